#include "ganhos_fixture.h"

#include "rt/db/table.h"
#include "store/arquivos.h"
#include "store/catalogo.h"

namespace gains::teste {

DeclaracaoGanhos::DeclaracaoGanhos() {
  const std::string nome = pasta + "/CUSTOS28";
  EXPECT_TRUE(
      rt::db::Table::create(nome, store::camposDbf(store::estrutura(workareas::Area::TMP_08)), rt::db::CreateMode::kReplace));
  rt::db::OpenOptions o;
  o.exclusive = true;
  EXPECT_TRUE(areas.open(workareas::Area::TMP_08, nome + ".DBF", o));
}

void DeclaracaoGanhos::operacao(int bem, Campos campos) {
  linha(store::Area::TMP_07, campos);
  ASSERT_TRUE(tabela(store::Area::TMP_07).put("BEM_NRO", rt::text::Decimal(bem)));
  ASSERT_TRUE(tabela(store::Area::TMP_07).flush());
}

void DeclaracaoGanhos::custo(int bem, int seq, Campos campos) {
  const std::uint32_t volta = tabela(store::Area::TMP_07).recNo();
  linha(store::Area::TMP_08, campos);
  ASSERT_TRUE(tabela(store::Area::TMP_08).put("BEM_NRO", rt::text::Decimal(bem)));
  ASSERT_TRUE(tabela(store::Area::TMP_08).put("RVAR_NRO", rt::text::Decimal(seq)));
  ASSERT_TRUE(tabela(store::Area::TMP_08).flush());
  tabela(store::Area::TMP_07).goTo(volta);
  ASSERT_TRUE(tabela(store::Area::TMP_07).status());
}

rt::text::Decimal DeclaracaoGanhos::campoCusto(int bem, int seq, const char* campo) {
  rt::db::Table& t = tabela(store::Area::TMP_08);
  for (std::uint32_t r = 1; r <= t.recordCount(); ++r) {
    t.goTo(r);
    EXPECT_TRUE(t.status());
    if (t.getNumber("BEM_NRO") == rt::text::Decimal(bem) && t.getNumber("RVAR_NRO") == rt::text::Decimal(seq))
      return t.getNumber(campo);
  }
  ADD_FAILURE() << "no cost row " << bem << "/" << seq;
  return {};
}

}  // namespace gains::teste

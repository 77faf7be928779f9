#include "copias_extras.h"

#include "rt/db/table.h"
#include "store/arquivos.h"
#include "store/catalogo.h"
#include "store/semente.h"
#include "store/sementes_embutidas.h"

namespace taxcalc::teste {

namespace {

void abre(workareas::AreasTrabalho& areas, const std::string& pasta, store::Area area) {
  const std::string nome = pasta + "/EXTRA" + std::to_string(store::numero(area));
  ASSERT_TRUE(rt::db::Table::create(nome, store::camposDbf(store::estrutura(area)),
                                    rt::db::CreateMode::kReplace));
  rt::db::OpenOptions o;
  o.exclusive = true;
  ASSERT_TRUE(areas.open(area, nome + ".DBF", o)) << nome;
}

// The checker's messages as the program ships them.
void carregaLisErro(rt::db::Table& t) {
  const store::TabelaDef* def = store::tabela(store::Area::LISERRO);
  for (const store::ArquivoEmbutido& a : store::sementesEmbutidas()) {
    if (a.nome != "LISERRO.csv") continue;
    const store::Semente s = store::leSemente(*def, a.texto, a.nome);
    EXPECT_TRUE(s.ok()) << (s.erros.empty() ? "" : s.erros.front().texto());
    for (const store::LinhaSemente& l : s.linhas) {
      ASSERT_TRUE(t.appendBlank());
      for (const store::ValorSemente& valor : l.valores) {
        const int i = t.fieldIndex(valor.campo);
        if (t.field(valor.campo)->type == 'N')
          ASSERT_TRUE(t.put(i, Decimal::val(valor.valor)));
        else
          ASSERT_TRUE(t.put(i, valor.valor));
      }
    }
    ASSERT_TRUE(t.flush());
  }
}

}  // namespace

DeclaracaoCompleta::DeclaracaoCompleta() {
  for (store::Area area : {store::Area::TMP_07, store::Area::TMP_11, store::Area::TMP_12, store::Area::TMP_15,
                           store::Area::TMP_16, store::Area::TMP_18, store::Area::TMP_19, store::Area::UFIRM,
                           store::Area::LISERRO, store::Area::DETALH})
    abre(areas, pasta, area);
  carregaLisErro(tabela(store::Area::LISERRO));
  d.REC_MENSAL = {};
}

void DeclaracaoCompleta::taxa(const char* anomes, Decimal tjm) {
  rt::db::Table& t = tabela(store::Area::UFIRM);
  ASSERT_TRUE(t.appendBlank());
  ASSERT_TRUE(t.put("ANOMES", std::string(anomes)));
  ASSERT_TRUE(t.put("TJM", tjm));
  ASSERT_TRUE(t.flush());
}

std::uint32_t DeclaracaoCompleta::linhaLeao(const char* cpf) {
  linha(store::Area::TMP_12, {{"CPFDEPEN", std::string(cpf)}});
  return tabela(store::Area::TMP_12).recNo();
}

void DeclaracaoCompleta::celula32(int mes, int coluna, Decimal valor) {
  const std::string campo = "I2_" + std::to_string(coluna - 1) + (mes < 10 ? "0" : "") + std::to_string(mes);
  ASSERT_TRUE(tabela(store::Area::TMP_12).put(campo, valor));
}

}  // namespace taxcalc::teste

// The entry journal: a month of entries posted into the declaration's summary, found again
// when the declaration is opened; entries whose account is gone, a title, or points at no
// amount of the declaration are not posted and stay for later; a second transfer posts nothing;
// the write-back keeps every entry with its mark.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "declaracao_fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "screens/diario.h"
#include "store/abertura.h"

namespace screens::teste {
namespace {

using namespace rt::text::literals;
using rt::text::Decimal;
namespace key = rt::term::key;

class Diario : public DeclaracaoFixture {
 protected:
  void conta(std::string codigo, std::string status, int pagina, int linha) {
    ASSERT_TRUE(store::ABERTURA(*p, store::Area::CONTAS));
    rt::db::Table& t = *p->areas.table(store::numero(store::Area::CONTAS));
    ASSERT_TRUE(t.appendBlank().isOk());
    ASSERT_TRUE(t.put("CDCONTA", rt::ui::Value(codigo)).isOk());
    ASSERT_TRUE(t.put("NMDESCRICA", rt::ui::Value(std::string("Conta ") + codigo)).isOk());
    ASSERT_TRUE(t.put("CDSTATUS", rt::ui::Value(status)).isOk());
    ASSERT_TRUE(t.put("PAGINA", rt::ui::Value(Decimal::fromInt(pagina))).isOk());
    ASSERT_TRUE(t.put("LINHA", rt::ui::Value(Decimal::fromInt(linha))).isOk());
    ASSERT_TRUE(t.flush().isOk());
    (void)t.unlock();
  }
};

TEST_F(Diario, EntriesArePostedOnceMarkedAndFoundInTheDeclaration) {
  novo(kNovo);
  termina('S');
  roda();
  conta("9001", "S", 3, 8);   // savings account income
  conta("9002", "S", 3, 12);  // other exempt income, with its description
  conta("9003", "S", 1, 2);   // the payer's name: no amount
  conta("9004", "N", 3, 8);   // a title
  conta("9005", "S", 13, 24);
  std::vector<Lancamento> l = {{"9001", "", "", "", Decimal::fromInt(1500), 1, 1},
                               {"9002", "Premio de loteria", "", "", Decimal::fromInt(300), 1, 1},
                               {"9003", "", "", "", Decimal::fromInt(10), 1, 1},
                               {"9004", "", "", "", Decimal::fromInt(20), 1, 1},
                               {"7777", "", "", "", Decimal::fromInt(30), 1, 1},
                               {"9005", "", "", "", Decimal::fromInt(45), 13, 13}};
  ASSERT_TRUE(gravaLancamentos(*p, kNovo, l));
  std::vector<Lancamento> lidos;
  ASSERT_TRUE(leLancamentos(*p, kNovo, lidos));
  ASSERT_EQ(lidos.size(), 6U);

  for (int i = 0; i < 3; ++i) term.press(key::Enter);  // the alerts of 9003, 9004 and 7777
  EXPECT_EQ(LANCAVAL(*p, kNovo, lidos), 3);
  EXPECT_TRUE(gravador.viu("O Lançamento código 9003"_cp));
  EXPECT_TRUE(gravador.viu("O Lançamento código 7777"_cp));
  EXPECT_TRUE(gravador.viu("não tem conta detalhada no plano de contas: não foi transferido."_cp));
  const std::vector<bool> marcas = {true, true, false, false, false, true};
  for (std::size_t i = 0; i < lidos.size(); ++i) EXPECT_EQ(lidos[i].LANCADO, marcas[i]) << lidos[i].CDCONTA;
  for (int i = 0; i < 3; ++i) term.press(key::Enter);  // the same three again
  EXPECT_EQ(LANCAVAL(*p, kNovo, lidos), 0);
  ASSERT_TRUE(gravaLancamentos(*p, kNovo, lidos));
  std::vector<Lancamento> relidos;
  ASSERT_TRUE(leLancamentos(*p, kNovo, relidos));
  ASSERT_EQ(relidos.size(), 6U);
  for (std::size_t i = 0; i < relidos.size(); ++i) EXPECT_EQ(relidos[i].LANCADO, marcas[i]) << relidos[i].CDCONTA;
  EXPECT_EQ(DeclaracaoFixture::conta("IMP1310", kNovo), 6);
  for (store::Area t : {store::Area::IMP0110, store::Area::IMP1310, store::Area::CONTAS}) (void)p->areas.close(store::numero(t));

  Decimal dividendos, outros, i13_24;
  std::string descricao;
  aoEntrar = [&](shell::Declara& d, int) {
    dividendos = d.dec.espelho.tabela01.num("I3_08");
    outros = d.dec.espelho.tabela01.num("I3_12");
    descricao = d.dec.espelho.tabela01.txt("I3_12D");
    i13_24 = d.dec.espelho.tabela01.num("I13_24");
  };
  telas.clear();
  abre(kNovo);
  termina('N');
  roda();
  EXPECT_EQ(dividendos, Decimal::fromInt(1500));
  EXPECT_EQ(outros, Decimal::fromInt(300));
  EXPECT_EQ(rt::text::trim(descricao), "Premio de loteria");
  EXPECT_EQ(i13_24, Decimal::fromInt(45));
}

}  // namespace
}  // namespace screens::teste

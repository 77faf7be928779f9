// Screen 10 and its detail lists on a declaration whose receipts pass its expenses and on one
// in deficit: the lines, the shares of each list (cut to what their fields hold), the balance
// line and the list of Alt-F1 in its grid.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "declaracao_fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "screens/balanco.h"
#include "shell/calculos_declaracao.h"
#include "taxcalc/balanco.h"

namespace screens::teste {
namespace {

using namespace rt::text::literals;
using rt::text::Decimal;
namespace key = rt::term::key;

TEST(PercentualBalanco, CutToCentsZeroOfNothingAndKeptWithinTheField) {
  EXPECT_EQ(percentualBalanco(Decimal::fromInt(1), Decimal::fromInt(3)), 33.33_d);
  EXPECT_EQ(percentualBalanco(Decimal::fromInt(5), Decimal(0)), Decimal(0));
  EXPECT_EQ(percentualBalanco(Decimal::fromInt(60000), Decimal::fromInt(10)), 999.99_d);
  EXPECT_EQ(percentualBalanco(Decimal::fromInt(-60000), Decimal::fromInt(10)), -99.99_d);
}

class Balanco : public DeclaracaoFixture {
 protected:
  // Screen 10 of a new taxpayer under the complete model whose summary holds `valores` (and
  // whose register holds `registro`); the lists are read as the screen starts. The screen
  // computes the summary again from what it holds, so the values are those no computation
  // makes from rows of their own.
  void roda10(std::vector<std::pair<std::string, int>> valores,
              std::vector<std::pair<std::string, int>> registro = {}) {
    aoEntrar = [this, valores, registro](shell::Declara& d, int n) {
      if (n != 10) return;
      d.dec.espelho.registro.txt("USAPADRAO", "N");
      for (const auto& [campo, v] : valores) d.dec.espelho.tabela01.num(campo, Decimal::fromInt(v));
      for (const auto& [campo, v] : registro) d.dec.espelho.registro.num(campo, Decimal::fromInt(v));
      taxcalc::Contexto c = d.calculos()->contexto(d.dec);
      (void)taxcalc::VE_SALDO(c);
      RECEITA = c.v.RECEITA;
      tributaveis = linhasDetalhe(c, 1);
      isentos = linhasDetalhe(c, 2);
    };
    novo(kNovo);
    term.press(key::F10);
    term.press(key::AltF1);  // the taxable incomes' list
    term.press(key::Esc);
    term.press(key::AltF3);  // nothing declared there
    term.press(key::Enter);
    termina('S');
    roda();
  }
  Decimal RECEITA;
  std::vector<LinhaDetalhe> tributaveis, isentos;
};

TEST_F(Balanco, ReceiptsAboveExpensesShowASurplusAndEachIncomesShare) {
  roda10({{"I13_01", 60000}, {"I13_03", 20000}, {"I13_07", 80000}, {"DESPNAO", 10000}, {"IMPOANTER", 1000},
          {"INDALERTA", 90}});
  EXPECT_EQ(RECEITA, Decimal::fromInt(80000));
  ASSERT_EQ(tributaveis.size(), 3U);
  EXPECT_EQ(tributaveis[0].DESCRICAO, "Recebido de P.Jurídica pelo Titular "_cp);
  EXPECT_EQ(tributaveis[0].PERCRECE, 75.00_d);
  EXPECT_EQ(tributaveis[1].DESCRICAO, "Recebido de P.Física pelo Titular "_cp);
  EXPECT_EQ(tributaveis[1].PERCRECE, 25.00_d);
  EXPECT_EQ(tributaveis[2].DESCRICAO, "Total dos Rendimentos Tributáveis"_cp);
  EXPECT_EQ(tributaveis[2].VALORDOC, Decimal::fromInt(80000));
  EXPECT_EQ(tributaveis[2].PERCRECE, 100.00_d);
  EXPECT_TRUE(isentos.empty());
  // The share left is below the alert of 90%: the surplus stands in the attention colour.
  EXPECT_TRUE(gravador.viuComCor(15, 41, "   Saldo de ", static_cast<rt::term::Attr>(p->cores.COR_TEL1)));
  EXPECT_TRUE(gravador.viuComCor(15, 54, " 86.25", static_cast<rt::term::Attr>(p->cores.COR_FERID)));
  EXPECT_TRUE(gravador.viu("Recebido de P.Jurídica pelo Titular"_cp));
  EXPECT_TRUE(gravador.viu("Nada declarado"));
}

// Receipts nearly cancelled by the spouse's deficit: the shares would pass what their fields
// hold and are kept at the limits; the balance is a deficit.
TEST_F(Balanco, ADeficitKeepsTheSharesWithinTheirFields) {
  roda10({{"I13_01", 60000}, {"I13_07", 60000}, {"DESPNAO", 50000}, {"I3_05", 0}}, {{"I9_3", -59990}});
  EXPECT_EQ(RECEITA, Decimal::fromInt(10));
  ASSERT_EQ(tributaveis.size(), 2U);
  EXPECT_EQ(tributaveis[0].PERCRECE, 999.99_d);
  EXPECT_EQ(tributaveis[1].PERCRECE, 999.99_d);
  EXPECT_TRUE(gravador.viuComCor(15, 41, "Deficit de  ", static_cast<rt::term::Attr>(p->cores.COR_FERID)));
  EXPECT_TRUE(gravador.viu("-99.99"));
}

}  // namespace
}  // namespace screens::teste

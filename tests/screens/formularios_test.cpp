// Screens 3, 4 and 5 as a clerk meets them: the exempt lines typed with their totals, the
// exempt gains typed in their dialog, letters refused in amounts; Shift+Tab from the
// dependants' grid back to screen 3; the spouse's data after the asset and debt grids, a
// wrong CPF and a flag other than S/N refused; and Esc on screen 5 of an estate's final
// declaration showing screen 5 again instead of ending; a payment linked to the dependant
// typed just before it on the same visit.
#include <gtest/gtest.h>

#include <vector>

#include "declaracao_fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/decimal.h"
#include "rt/text/strings.h"
#include "rt/db/table.h"
#include "store/travas.h"
#include "store/areas.h"

namespace screens::teste {
namespace {

using namespace rt::text::literals;
namespace key = rt::term::key;
using rt::text::Decimal;


using Formularios = DeclaracaoFixture;

TEST_F(Formularios, ExemptLinesAndTheirGainsDialogFeedTheTotal) {
  novo(kNovo);
  term.press(key::F4);
  term.press(key::ShiftTab);  // from the dependants' grid to screen 3
  term.type("1000");
  term.press(key::Enter);
  term.type("2x");  // letters have no place in an amount: said, and the field keeps the 2
  term.pause();
  term.press(key::Enter);  // the alert
  term.type("00");
  term.press(key::Enter);
  term.press(key::Enter);  // I3_03
  term.press(key::Enter);  // I3_04: its parts
  term.type("300");
  term.press(key::Enter);
  term.press(key::Enter);
  term.press(key::Enter);
  term.press(key::Enter);
  term.type("50");  // I3_08
  term.press(key::Enter);
  termina('S');
  roda();

  EXPECT_EQ(telas, (std::vector<int>{6, 4, 3}));
  EXPECT_TRUE(gravador.viu("(6)DEPENDENTES e ALIMENTANDOS"));
  EXPECT_TRUE(gravador.viu("Bens de pequeno valor"));
  // The dialog stays whole over the form: the form's amounts are not drawn again over it.
  EXPECT_TRUE(gravador.viu("Informado      Calculado"));
  EXPECT_TRUE(gravador.viu("Próxima página  ALT F6 Aux. Rend"_cp));
  EXPECT_TRUE(gravador.viu("Valor inválido: digite só algarismos, com vírgula para os centavos."_cp));
  auto t01 = dados("IMP0110", kNovo);
  ASSERT_TRUE(t01 && !t01->eof());
  EXPECT_EQ(t01->getNumber("I3_01"), Decimal::fromInt(1000));
  EXPECT_EQ(t01->getNumber("I3_02"), Decimal::fromInt(200));
  EXPECT_EQ(t01->getNumber("I3_04GCPV"), Decimal::fromInt(300));
  EXPECT_EQ(t01->getNumber("I3_04"), Decimal::fromInt(300));
  EXPECT_EQ(t01->getNumber("I3_08"), Decimal::fromInt(50));
  EXPECT_EQ(t01->getNumber("I13_37"), Decimal::fromInt(1550));
  EXPECT_TRUE(gravador.viuEm(16, 65, "     1.500,00"));  // the gains' line counted when left
  EXPECT_TRUE(gravador.viuEm(16, 65, "     1.550,00"));  // the total, on its line
}

// An "other exempt" amount typed on screen 3 goes into the savings grid as a row of its own
// when the grid opens: nothing asks to zero it, and it is kept with its description. Savings
// typed there that no row holds are zeroed only when the clerk says so.
class Poupanca : public DeclaracaoFixture {
 protected:
  void abreGrade(char resposta) {
    aoEntrar = [](shell::Declara& d, int n) {
      if (n != 6) return;
      d.dec.espelho.tabela01.txt("I3_12D", "PREMIO LOTERIA");
      d.dec.espelho.tabela01.num("I3_12", Decimal::fromInt(5000));
      d.dec.espelho.tabela01.num("I3_08", Decimal::fromInt(700));
    };
    novo(kNovo);
    term.press(key::F4);
    term.press(key::ShiftTab);  // screen 3
    term.press(key::AltF6);
    term.press(resposta);  // zero the savings typed on the screen?
    if (resposta == 'S') term.press(key::Esc);  // out of the savings grid
    termina('S');
    roda();
    EXPECT_TRUE(gravador.viu("Já existe valor lançado na Poupanca! Zera o valor?"_cp));
    EXPECT_FALSE(gravador.viu("Outros nao Trib! Zera o valor?"));
    t01 = dados("IMP0110", kNovo);
    ASSERT_TRUE(t01 && !t01->eof());
    EXPECT_EQ(t01->getNumber("I3_12"), Decimal::fromInt(5000));
    EXPECT_EQ(std::string(rt::text::trim(t01->getText("I3_12D"))), "PREMIO LOTERIA");
  }
  std::unique_ptr<rt::db::Table> t01;
};

TEST_F(Poupanca, ZeroedWhenTheClerkSaysSo) {
  abreGrade('S');
  EXPECT_TRUE(gravador.viu("PREMIO LOTERIA"));  // the row in the grid
  EXPECT_EQ(t01->getNumber("I3_08"), Decimal());
}

TEST_F(Poupanca, KeptWhenTheClerkSaysNo) {
  abreGrade('N');
  EXPECT_EQ(t01->getNumber("I3_08"), Decimal::fromInt(700));
}

// The enlarged asset list (Alt+X from the assets) shows the totals over its labels: the
// declared total of last year, and the totals of both years.
TEST_F(Formularios, TheEnlargedAssetListShowsItsTotals) {
  aoEntrar = [](shell::Declara& d, int n) {
    if (n != 6) return;
    store::Contexto& ctx = d.p;
    rt::db::Table& bens = *ctx.areas.table(store::Area::TMP_04);
    (void)ctx.areas.select(store::Area::TMP_04);
    for (int i = 1; i <= 2; ++i) {
      ASSERT_TRUE(store::ADD_REC(ctx, 5));
      ASSERT_TRUE(bens.put("CPF", std::string(kNovo)).isOk());
      ASSERT_TRUE(bens.put("I7_2", std::string("BEM ") + std::to_string(i)).isOk());
      ASSERT_TRUE(bens.put("I7_3", Decimal::fromInt(1000 * i)).isOk());
      ASSERT_TRUE(bens.put("I7_4", Decimal::fromInt(10000 * i)).isOk());
      ASSERT_TRUE(bens.put("I7_9", Decimal::fromInt(500 * i)).isOk());
      ASSERT_TRUE(bens.flush().isOk());
      (void)bens.unlock();
    }
  };
  novo(kNovo);
  term.press(key::F5);
  term.press(key::AltX);  // the enlarged asset list
  term.press(key::Esc);
  termina('N');
  roda();
  EXPECT_TRUE(gravador.viuJuntos("(8)DECLARACAO DE BENS", "      1.500,00"));
  EXPECT_TRUE(gravador.viuJuntos("Declarado em 2008", "      3.000,00"));
  EXPECT_TRUE(gravador.viuJuntos("Declarado em 2008", "     30.000,00"));
}

TEST_F(Formularios, TheSpouseDataFollowTheGridsAndRefuseBadValues) {
  novo(kNovo);
  term.press(key::F5);
  term.press(key::Tab);  // assets to debts
  term.press(key::Tab);  // debts to the spouse's data
  term.type("52998224726");
  term.pause();
  term.press(key::Enter);  // the alert
  term.press(rt::term::ctrlKey('u'));
  term.type("52998224725");
  term.press('X');
  term.pause();
  term.press(key::Enter);  // the alert
  term.press('N');
  termina('S');
  roda();
  EXPECT_EQ(telas, (std::vector<int>{6, 5}));
  EXPECT_TRUE(gravador.viu("ATENCAO!! CPF está incorreto. "_cp));
  EXPECT_TRUE(gravador.viu("Digite (S)im ou (N)ão caso deseje transportar automáticamente os"_cp));
  EXPECT_EQ(texto("IMP0910", kNovo, "CPFCONJU"), "52998224725");
  EXPECT_EQ(texto("IMP0910", kNovo, "I9_4"), "N");
}

TEST_F(Formularios, EscOnAnEstatesFinalDeclarationShowsScreenFiveAgain) {
  aoEntrar = [](shell::Declara& d, int n) {
    if (n == 6) d.dec.espelho.tabela01.txt("DECFINAL", "S");
  };
  novo(kNovo);
  term.press(key::F5);
  term.press(key::Tab);
  term.press(key::Tab);
  term.press(key::Esc);  // on the form: screen 5 again, nothing asked
  termina('I');          // Esc on its assets grid asks as usual
  roda();
  EXPECT_EQ(telas, (std::vector<int>{6, 5, 5}));
  EXPECT_TRUE(gravador.viu(" Termina  a  Declaração ?"_cp));
}

TEST_F(Formularios, ThePaymentsAreDrawnUnderTheDependantsBeforeTheyAreEdited) {
  int visitas = 0;
  aoEntrar = [this, &visitas](shell::Declara&, int n) {
    // The second visit is seen alone: the payments only drawn while the dependants are edited.
    if (n == 4 && ++visitas == 2) gravador.esquece();
  };
  novo(kNovo);
  term.press(key::F4);
  term.press(key::Tab);  // dependants to payments
  term.type("CLINICA SAUDE");
  term.press(key::Enter);
  term.press(key::F1);
  term.press(key::F4);
  termina('S');
  roda();

  EXPECT_EQ(telas, (std::vector<int>{6, 4, 1, 4}));
  // Still in view when the end is asked, after the dependants' grid was left.
  EXPECT_TRUE(gravador.viuJuntos(" Termina  a  Declaração ?"_cp, "Nome do beneficiário"_cp));
  EXPECT_TRUE(gravador.viuJuntos(" Termina  a  Declaração ?"_cp, "CLINICA SAUDE"));
  EXPECT_EQ(conta("IMP0610", kNovo), 1);
}

// The dependant typed a moment ago is counted before the payments open: his number is shown
// in the list above and the payment's number column takes it.
TEST_F(Formularios, APaymentTakesTheNumberOfTheDependantJustTyped) {
  novo(kNovo);
  term.press(key::F4);
  digitaDependenteEPagamento();
  term.press(key::Esc);
  term.pause();  // "Calculando!!" as the screen is left
  term.press('S');
  term.pause();
  term.press(key::Esc);
  roda();

  EXPECT_EQ(telas, (std::vector<int>{6, 4}));
  EXPECT_TRUE(gravador.viuJuntos("   1│FILHO UM"_cp, "CLINICA SAUDE"));
  auto pagamento = dados("IMP0610", kNovo);
  ASSERT_TRUE(pagamento && !pagamento->eof());
  EXPECT_EQ(pagamento->getNumber("I6_6"), Decimal::fromInt(1));
  EXPECT_EQ(pagamento->getText("I6_2").substr(0, 18), "11.222.333/0001-81");
  EXPECT_EQ(pagamento->getNumber("I6_4"), Decimal::fromInt(1500));
  auto dependente = dados("IMP0310", kNovo);
  ASSERT_TRUE(dependente && !dependente->eof());
  EXPECT_EQ(dependente->getNumber("NRODEPEN"), Decimal::fromInt(1));
}

}  // namespace
}  // namespace screens::teste

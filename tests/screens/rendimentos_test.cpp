// Screens 1 and 2 as a clerk fills them: a payer's row on screen 1 with the totals panel
// following it, and a month of income from individuals on screen 2 kept in the taxpayer's
// row of table 12 and shown again when the declaration is reopened; a dependant's months find
// the dependant's own row even when it is the table's only one.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "declaracao_fixture.h"
#include "rt/db/table.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/decimal.h"
#include "rt/text/strings.h"
#include "store/areas.h"
#include "store/travas.h"

namespace screens::teste {
namespace {

using namespace rt::text::literals;
namespace key = rt::term::key;
using rt::text::Decimal;

constexpr std::string_view kDependente = "52998224725";

using Rendimentos = DeclaracaoFixture;

TEST_F(Rendimentos, APayerTypedOnScreenOneFeedsTheTotalsAndTheSummaryLines) {
  novo(kNovo);
  term.press(key::F1);  // identification to screen 1
  term.type("EMPRESA X");
  term.press(key::Enter);
  term.type("50000");
  term.press(key::Enter);
  term.type("3000");
  term.press(key::Enter);
  term.type("4000");
  term.press(key::Enter);
  termina('S');
  roda();

  EXPECT_EQ(telas, (std::vector<int>{6, 1}));
  EXPECT_TRUE(gravador.viu("(1)RENDIMENTOS TRIBUTAVEIS E ISENTOS RECEBIDOS DE PESSOAS JURIDICAS"));
  // The empty grid is laid out as it is with its first row: no narrower heading before it.
  EXPECT_TRUE(gravador.viuEm(2, 2, "Fonte pagadora          Rendimentos   Previdência"_cp));
  EXPECT_FALSE(gravador.viu("Fonte pagadora Rendimentos"));
  // The panel under the grid follows the row: the income and the tax withheld.
  EXPECT_TRUE(gravador.viu("Pessoa Jurídica   50.000,00              Rec. Fonte    4.000,00"_cp));
  EXPECT_TRUE(gravador.viu("Prev./INSS    3.000,00"_cp));
  auto rendas = dados("IMP0210", kNovo);
  ASSERT_TRUE(rendas && !rendas->eof());
  EXPECT_EQ(rendas->getNumber("I1_4"), Decimal::fromInt(50000));
  auto t01 = dados("IMP0110", kNovo);
  ASSERT_TRUE(t01 && !t01->eof());
  EXPECT_EQ(t01->getNumber("I13_01"), Decimal::fromInt(50000));
  EXPECT_EQ(t01->getNumber("I13_21"), Decimal::fromInt(4000));
}

TEST_F(Rendimentos, TheMonthsOfScreenTwoAreKeptInThePersonsRowAndShownAgain) {
  // Only the totals are typed (mode 2): in mode 1 the months come from the payers' entries.
  aoEntrar = [](shell::Declara& d, int) { d.dec.espelho.tabela01.num("CAL_AUTO", 2); };
  novo(kNovo);
  term.press(key::F1);
  term.press(key::Tab);  // screen 1 to 2: no dependants, straight into the months
  term.type("1234,56");
  term.press(key::Down);
  term.press(key::Esc);  // out of the months, onto the contribution
  termina('S');
  roda();
  EXPECT_EQ(telas, (std::vector<int>{6, 1, 2}));
  auto leao = dados("IMP1210", kNovo);
  ASSERT_TRUE(leao && !leao->eof());
  EXPECT_EQ(leao->getNumber("I2_101"), Decimal::parse("1234.56").value());
  EXPECT_EQ(leao->getNumber("I2_113"), Decimal::parse("1234.56").value());
  EXPECT_EQ(conta("IMP1210", kNovo), 1);
  leao.reset();  // the table is the program's again

  // Reopened: the month is there, and leaving screen 2 adds no second row.
  telas.clear();
  abre(kNovo);
  term.press(key::Tab);
  term.press(key::Esc);  // out of the months
  term.press(key::Esc);  // and out of the contribution
  term.press('S');
  term.pause();
  term.press(key::Esc);
  roda();
  EXPECT_EQ(telas, (std::vector<int>{1, 2}));
  EXPECT_TRUE(gravador.viu(" 01-Jan│   1.234,56"_cp));
  EXPECT_EQ(conta("IMP1210", kNovo), 1);
}

// Alt+N on the monthly grid moves the asterisk to the carnê-leão value that goes to the
// summary: the one paid, or back to the one due.
TEST_F(Rendimentos, AltNMovesTheAsteriskOfTheMonthlyHeadings) {
  novo(kNovo);
  term.press(key::F1);
  term.press(key::Tab);  // screen 2: no dependants, straight into the months
  term.press(key::AltN);
  term.pause();
  term.press(key::Enter);  // the alert
  term.press(key::Down);
  termina('S');
  roda();
  EXPECT_TRUE(gravador.viu("Leão Pago   CL.Devido*"_cp));
  EXPECT_TRUE(gravador.viu("Leão Pago*  CL.Devido "_cp));
}

// A year's total wider than the month column's picture ("@Ez 9999,999.99") shows asterisks
// on the screen, yet goes back into the row exactly: the months are numbers, only drawn
// through the picture.
TEST_F(Rendimentos, AYearTotalWiderThanItsColumnIsKeptExactly) {
  aoEntrar = [](shell::Declara& d, int n) {
    if (n != 6) return;
    store::Contexto& ctx = d.p;
    d.dec.espelho.tabela01.num("CAL_AUTO", 2);
    rt::db::Table& leao = *ctx.areas.table(store::Area::TMP_12);
    (void)ctx.areas.select(store::Area::TMP_12);
    ASSERT_TRUE(store::ADD_REC(ctx, 5));
    ASSERT_TRUE(leao.put("CPF", std::string(kNovo)).isOk());
    ASSERT_TRUE(leao.put("I2_101", Decimal::parse("6000000.25").value()).isOk());
    ASSERT_TRUE(leao.put("I2_102", Decimal::parse("5000000.50").value()).isOk());
    ASSERT_TRUE(leao.put("I2_113", Decimal::parse("11000000.75").value()).isOk());
    ASSERT_TRUE(leao.flush().isOk());
    (void)leao.unlock();
  };
  novo(kNovo);
  term.press(key::F1);
  term.press(key::Tab);  // screen 2
  term.press(key::Esc);  // out of the months as they were, onto the contribution
  termina('S');          // and saved
  roda();
  EXPECT_EQ(telas, (std::vector<int>{6, 1, 2}));
  EXPECT_TRUE(gravador.viu("****.***,**"));  // the year's total does not fit its column
  auto leao = dados("IMP1210", kNovo);
  ASSERT_TRUE(leao && !leao->eof());
  EXPECT_EQ(leao->getNumber("I2_113"), Decimal::parse("11000000.75").value());
  EXPECT_EQ(leao->getNumber("I2_101"), Decimal::parse("6000000.25").value());
}

// A dependant whose months are the only row of table 12 is found there: a second row for the
// same dependant would have its months counted twice in the summary.
TEST_F(Rendimentos, ADependantsOnlyRowIsFoundNotDuplicated) {
  aoEntrar = [](shell::Declara& d, int n) {
    if (n != 6) return;
    store::Contexto& ctx = d.p;
    // The dependant, registered on screen 4, and his months, left by an earlier session.
    rt::db::Table& dep = *ctx.areas.table(store::Area::TMP_03);
    (void)ctx.areas.select(store::Area::TMP_03);
    ASSERT_TRUE(store::ADD_REC(ctx, 5));
    ASSERT_TRUE(dep.put("CPF", std::string(kNovo)).isOk());
    ASSERT_TRUE(dep.put("NOMEDEPEN", std::string("FILHO")).isOk());
    ASSERT_TRUE(dep.put("CODIDEPEN", Decimal::fromInt(21)).isOk());
    ASSERT_TRUE(dep.put("CPFDEPEN", std::string(kDependente)).isOk());
    ASSERT_TRUE(dep.flush().isOk());
    (void)dep.unlock();
    rt::db::Table& leao = *ctx.areas.table(store::Area::TMP_12);
    (void)ctx.areas.select(store::Area::TMP_12);
    ASSERT_TRUE(store::ADD_REC(ctx, 5));
    ASSERT_TRUE(leao.put("CPF", std::string(kNovo)).isOk());
    ASSERT_TRUE(leao.put("CPFDEPEN", std::string(kDependente)).isOk());
    ASSERT_TRUE(leao.put("I2_101", Decimal::fromInt(700)).isOk());
    ASSERT_TRUE(leao.flush().isOk());
    (void)leao.unlock();
  };
  novo(kNovo);
  term.press(key::F1);
  term.press(key::Tab);  // the taxpayer's grid to the dependants'
  term.press(key::Tab);  // screen 2
  term.press('N');       // a dependant's months
  term.type(kDependente);
  term.press(key::Esc);  // out of the months, as they were
  term.press('S');
  term.pause();
  term.press(key::Esc);
  roda();
  EXPECT_TRUE(gravador.viu("Renda do Titular N"));
  EXPECT_TRUE(gravador.viu("     700,00"));
  EXPECT_EQ(conta("IMP1210", kNovo, kDependente), 1);
}

// In the totals and reverse modes the contribution follows the months, whichever of Esc and
// Tab leaves them; the key that left them then goes on (Esc to the end question, Tab to
// screen 3). In the individual mode a month is the sum of its entries: typed straight into
// the matrix it is refused with the way to enter it, never shown.
TEST_F(Rendimentos, TheContributionFollowsTheMonthsAndIndividualMonthsAreNotTyped) {
  aoEntrar = [](shell::Declara& d, int n) {
    if (n == 6) d.dec.espelho.tabela01.num("CAL_AUTO", 2);
  };
  novo(kNovo);
  term.press(key::F1);
  term.press(key::Tab);  // screen 2, the months
  term.press(key::Tab);  // onto the contribution
  term.type("300");
  term.press(key::Enter);  // Tab goes on: screen 3
  term.press(key::ShiftTab);  // back on screen 2's months
  term.press(key::Esc);       // onto the contribution
  term.press(rt::term::ctrlKey('y'));
  term.type("500");
  term.press(key::Enter);  // Esc goes on: the end question
  term.press('S');
  term.pause();
  term.press(key::Esc);
  roda();
  EXPECT_EQ(telas, (std::vector<int>{6, 1, 2, 3, 2}));
  EXPECT_EQ(dados("IMP0110", kNovo)->getNumber("CARNEINSS"), Decimal::fromInt(500));

  gravador.esquece();
  telas.clear();
  aoEntrar = [](shell::Declara& d, int n) {
    if (n == 1) d.dec.espelho.tabela01.num("CAL_AUTO", 1);
  };
  abre(kNovo);
  term.press(key::Tab);  // screen 2 in the individual mode
  term.type("7");        // refused, with the way to enter it
  term.pause();
  term.press(key::Enter);
  termina('S');
  roda();
  EXPECT_EQ(telas, (std::vector<int>{1, 2}));
  EXPECT_TRUE(gravador.viu("[Enter]=Preenche mensal"));
  EXPECT_FALSE(gravador.viu("       7,00"));
  auto leao = dados("IMP1210", kNovo);
  ASSERT_TRUE(leao && !leao->eof());
  EXPECT_TRUE(leao->getNumber("I2_101").isZero());
}

// An existing taxpayer without incomes opens on screen 1's empty grid. The Enter a clerk types
// after a full CPF (which ended the prompt by itself) is not taken as the start of an edit, so
// the first Esc leaves the grid and asks whether the declaration ends.
TEST_F(Rendimentos, TheFirstEscOnAnEmptyIncomeGridAsksTheEnd) {
  aoEntrar = [this](shell::Declara&, int n) {
    if (n == 1) gravador.esquece();
  };
  novo(kNovo);
  term.press(key::Esc);
  term.press('S');
  term.pause();
  term.type(kNovo);
  term.press(key::Enter);
  term.pause();
  term.press(key::Esc);
  term.pause();
  term.press('S');
  term.pause();
  term.press(key::Esc);
  roda();
  EXPECT_EQ(telas, (std::vector<int>{6, 1}));
  EXPECT_TRUE(gravador.viu(" Termina  a  Declaração ?"_cp));
}

}  // namespace
}  // namespace screens::teste

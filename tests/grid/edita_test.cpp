// The table grid's keys over working copies and register lists: cell edits written at once
// under the record lock, appends with the link fields, deletes and their cascades, marks,
// copy and paste, sorts and the subtotal.
#include <gtest/gtest.h>

#include <filesystem>

#include "fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"

namespace {

using namespace rt::text::literals;
using grid::teste::C;
using grid::teste::GridFixture;
using grid::teste::N;
using Lista = std::vector<std::string>;
namespace key = rt::term::key;

class Edita : public GridFixture {};

TEST_F(Edita, TypingOnAnEmptyGridAppendsARowWithItsLinks) {
  tabela(store::Area::TMP_03);
  // The first column is frozen: the cursor starts on the name.
  teclas().type("MARIA").press(key::Enter).press(key::Esc);
  grid::EDITA(ctx, g, 3);
  EXPECT_EQ(coluna(store::Area::TMP_03, "NOMEDEPEN"), Lista{"MARIA"});
  EXPECT_EQ(coluna(store::Area::TMP_03, "CPF"), Lista{"12345678909"});
  EXPECT_EQ(g.ULTTECLA, key::Esc);
}

TEST_F(Edita, ACalculatorResultTooWideForItsFieldIsRefusedWithAMessage) {
  tabela(store::Area::TMP_02);
  linha(store::Area::TMP_02,
        {{"CPF", C("12345678909")}, {"I1_1", C("J")}, {"I1_2", C("EMPRESA")}, {"I1_4", N(100)}});
  // I1_4 is N 12,2: 9,999,999,999.00 does not fit, and the 100 typed before stays.
  teclas().press(key::Right).press(key::AltS).type("9999999999").press(key::CtrlEnter).pause().press(key::Enter);
  teclas().press(key::Esc);
  grid::EDITA(ctx, g, 1);
  EXPECT_EQ(coluna(store::Area::TMP_02, "I1_4"), Lista{"100"});
  EXPECT_TRUE(term.viu("O valor não cabe no campo I1_4"_cp));
}

TEST_F(Edita, ARowTypedAfterMovingAroundAnEmptyGridStaysOneRow) {
  // Ctrl+PgDn leaves the append row, Down opens it again: the code and the name typed then
  // are one row, not the name in a second one.
  tabela(store::Area::STATUS);
  teclas().press(key::CtrlPgDn).press(key::Down).type("77").type("PRONTA").press(key::Enter).press(key::Esc);
  (void)ctx.areas.select(store::Area::STATUS);
  grid::EDITA(ctx, g, 29);
  EXPECT_EQ(coluna(store::Area::STATUS, "COD"), Lista{"77"});
  EXPECT_EQ(coluna(store::Area::STATUS, "DESCRICAO"), Lista{"PRONTA"});
}

TEST_F(Edita, EnterMovesRightAndWrapsOnTheLastColumn) {
  tabela(store::Area::TMP_06);
  // Name, code, number, document, total, not deductible, employee CPF: the seventh column is
  // the last; a cell edit ended there goes to the first column of the next (phantom) row.
  // Enter opens a cell and Enter closes it, so a cell passed untouched takes two; the code
  // fills its two places and, confirm being off on this screen, closes itself; the Enter typed
  // after it only confirms it.
  teclas().type("CLINICA").press(key::Enter).type("10").press(key::Enter);
  teclas().press(key::Enter).press(key::Enter).press(key::Enter).press(key::Enter);
  teclas().type("150").press(key::Enter);
  teclas().press(key::Enter).press(key::Enter).press(key::Enter).press(key::Enter);
  teclas().type("LABORATORIO").press(key::Enter).press(key::Esc);
  grid::EDITA(ctx, g, 4);
  EXPECT_EQ(coluna(store::Area::TMP_06, "I6_1"), (Lista{"CLINICA", "LABORATORIO"}));
  EXPECT_EQ(coluna(store::Area::TMP_06, "I6_3"), (Lista{"10", "0"}));
  EXPECT_EQ(coluna(store::Area::TMP_06, "I6_2"), (Lista{"", ""}));
  EXPECT_EQ(coluna(store::Area::TMP_06, "I6_4"), (Lista{"150", "0"}));
  EXPECT_EQ(coluna(store::Area::TMP_06, "CPF"), (Lista{"12345678909", "12345678909"}));
  // The payment's total went through its check.
  EXPECT_NE(std::find(servicos.chamadas.begin(), servicos.chamadas.end(), "valida FDOAPAG"), servicos.chamadas.end());
}

TEST_F(Edita, TheEnterTypedAfterACellFilledUpConfirmsItAndOpensNothing) {
  tabela(store::Area::TMP_03);
  // A dependant typed as a clerk types him: each full cell is followed by Enter out of habit.
  // That Enter confirms the cell just left, in the middle of the row (the code, the birth
  // date) and on its last column (the CPF): the next cell is not opened unseen, so Esc then
  // leaves the grid and the "S" meant for the question after it is still to be read.
  teclas().type("FILHO UM").press(key::Enter).type("21").press(key::Enter);
  teclas().type("01012003").press(key::Enter).type("52998224725").press(key::Enter);
  teclas().press(key::Esc).type("S");
  grid::EDITA(ctx, g, 3);
  EXPECT_EQ(g.ULTTECLA, key::Esc);
  EXPECT_EQ(teclas().pending(), 1u);
  EXPECT_EQ(con.waitKey().code, 'S');
  EXPECT_EQ(coluna(store::Area::TMP_03, "NOMEDEPEN"), Lista{"FILHO UM"});
  EXPECT_EQ(coluna(store::Area::TMP_03, "CODIDEPEN"), Lista{"21"});
  EXPECT_EQ(coluna(store::Area::TMP_03, "CPFDEPEN"), Lista{"52998224725"});
  (void)ctx.areas.table(store::Area::TMP_03)->goTop();
  EXPECT_EQ(ctx.areas.table(store::Area::TMP_03)->getDate("DATADEPEN"), rt::text::Date::fromYmd(2003, 1, 1));
  // Any other key after a full cell is the clerk's own: Right and Left move, Enter then opens.
  teclas().press(key::Right).type("05").press(key::Right).press(key::Left).press(key::Enter).type("02022004");
  teclas().press(key::Esc);
  grid::EDITA(ctx, g, 3);
  EXPECT_EQ(coluna(store::Area::TMP_03, "CODIDEPEN"), Lista{"5"});
  (void)ctx.areas.table(store::Area::TMP_03)->goTop();
  EXPECT_EQ(ctx.areas.table(store::Area::TMP_03)->getDate("DATADEPEN"), rt::text::Date::fromYmd(2004, 2, 2));
}

TEST_F(Edita, TypingToTheEndOfACellLeavesItExceptOnTheLongDescriptionScreens) {
  tabela(store::Area::TMP_04);
  // The item's three places filled on screen 5 close the cell and write it; screens 8, 9,
  // 22 and 23 keep confirm on, so the cell stays open and Esc drops what was typed.
  teclas().type("123").press(key::Esc).press(key::Esc);
  grid::EDITA(ctx, g, 5);
  EXPECT_EQ(coluna(store::Area::TMP_04, "I7_1"), Lista{"123"});
  tabela(store::Area::TMP_04);
  teclas().type("123").press(key::Esc).press(key::Esc);
  grid::EDITA(ctx, g, 22);
  EXPECT_EQ(ctx.areas.table(store::Area::TMP_04)->recordCount(), 0u);
}

TEST_F(Edita, CheckBeforeTheCellCanKeepItClosed) {
  tabela(store::Area::TMP_06);
  linha(store::Area::TMP_06, {{"CPF", C("12345678909")}, {"I6_1", C("MEDICO")}, {"I6_3", N(10)}});
  // The number of a payment that takes no dependant: the cell does not open, the 5 typed
  // goes to the next cell's edit (the document) instead.
  servicos.gancho = [](std::string_view nome, rt::ui::Value&) { return nome != "CONF_DEP(1)"; };
  teclas().press(key::Right).press(key::Right).type("5").press(key::Enter).press(key::Esc);
  grid::EDITA(ctx, g, 4);
  EXPECT_EQ(coluna(store::Area::TMP_06, "I6_6"), Lista{"0"});
  EXPECT_TRUE(servicos.chamou("valida CONF_DEP(1)"));
  EXPECT_FALSE(servicos.chamou("valida CONF_DEP(2)"));
  // Allowed: the number typed goes through the check of the number.
  servicos.gancho = nullptr;
  servicos.chamadas.clear();
  teclas().press(key::Right).press(key::Right).type("2").press(key::Enter).press(key::Esc);
  grid::EDITA(ctx, g, 4);
  EXPECT_EQ(coluna(store::Area::TMP_06, "I6_6"), Lista{"2"});
  EXPECT_TRUE(servicos.chamou("valida CONF_DEP(2)"));
}

TEST_F(Edita, ChangedCellRecomputesTheTotals) {
  tabela(store::Area::TMP_02);
  linha(store::Area::TMP_02, {{"CPF", C("12345678909")}, {"I1_1", C("J")}, {"I1_2", C("EMPRESA A")}});
  teclas().press(key::Right).type("1000").press(key::Enter).press(key::Esc);
  grid::EDITA(ctx, g, 1);
  EXPECT_EQ(coluna(store::Area::TMP_02, "I1_4"), Lista{"1000"});
  EXPECT_NE(std::find(servicos.chamadas.begin(), servicos.chamadas.end(), "FI1_T(1)"), servicos.chamadas.end());
}

TEST_F(Edita, IncomeScreensShowOnlyTheirKind) {
  tabela(store::Area::TMP_02);
  linha(store::Area::TMP_02, {{"I1_1", C("J")}, {"I1_2", C("TITULAR SA")}});
  linha(store::Area::TMP_02, {{"I1_1", C("D")}, {"I1_2", C("DEPENDENTE SA")}});
  grid::EDITA(ctx, g, 2);
  EXPECT_TRUE(term.viu("DEPENDENTE SA"));
  EXPECT_FALSE(term.viu("TITULAR SA"));
  // A new row on screen 2 is a dependant's income.
  teclas().press(key::Down).type("OUTRA").press(key::Enter).press(key::Esc);
  grid::EDITA(ctx, g, 2);
  EXPECT_EQ(coluna(store::Area::TMP_02, "I1_1"), (Lista{"J", "D", "D"}));
}

TEST_F(Edita, DeleteAsksAndRemovesTheRow) {
  tabela(store::Area::TMP_06);
  linha(store::Area::TMP_06, {{"I6_1", C("PRIMEIRO")}});
  linha(store::Area::TMP_06, {{"I6_1", C("SEGUNDO")}});
  teclas().press(key::Del).pause().type("N").press(key::Down).press(key::Del).pause().type("S").press(key::Esc);
  grid::EDITA(ctx, g, 4);
  EXPECT_EQ(coluna(store::Area::TMP_06, "I6_1"), Lista{"PRIMEIRO"});
  EXPECT_TRUE(term.viu("Confirma a Exclusão dessa linha?"_cp));
}

TEST_F(Edita, DeletingTheLastRowTurnsAppendModeOn) {
  tabela(store::Area::TMP_04);
  linha(store::Area::TMP_04, {{"I7_2", C("CASA")}});
  teclas().press(key::Del).pause().type("S").type("CARRO").press(key::Enter).press(key::Esc);
  grid::EDITA(ctx, g, 8);
  EXPECT_EQ(coluna(store::Area::TMP_04, "I7_2"), Lista{"CARRO"});
}

class Dependentes : public GridFixture {
 protected:
  void SetUp() override {
    tabela(store::Area::TMP_02);
    tabela(store::Area::TMP_06);
    tabela(store::Area::TMP_12);
    tabela(store::Area::TMP_03);
    for (int i = 1; i <= 3; ++i)
      linha(store::Area::TMP_03, {{"NRODEPEN", N(i)},
                                  {"NOMEDEPEN", C("DEP " + std::to_string(i))},
                                  {"CPFDEPEN", C("0000000000" + std::to_string(i))}});
    linha(store::Area::TMP_02,
          {{"I1_1", C("D")}, {"I1_2", C("EMPRESA DO DOIS")}, {"I1_8", C("00000000002")}});
    linha(store::Area::TMP_02, {{"I1_1", C("J")}, {"I1_2", C("EMPRESA DO TITULAR")}});
    // Education and medical payments of each dependant, one of the titular (number 0).
    linha(store::Area::TMP_06, {{"I6_1", C("ESCOLA 2")}, {"I6_3", N(1)}, {"I6_6", N(2)}});
    linha(store::Area::TMP_06, {{"I6_1", C("MEDICO 2")}, {"I6_3", N(10)}, {"I6_6", N(2)}});
    linha(store::Area::TMP_06, {{"I6_1", C("ESCOLA 3")}, {"I6_3", N(1)}, {"I6_6", N(3)}});
    linha(store::Area::TMP_06, {{"I6_1", C("MEDICO 3")}, {"I6_3", N(10)}, {"I6_6", N(3)}});
    linha(store::Area::TMP_06, {{"I6_1", C("MEDICO 1")}, {"I6_3", N(10)}, {"I6_6", N(1)}});
    linha(store::Area::TMP_06, {{"I6_1", C("TITULAR")}, {"I6_3", N(10)}, {"I6_6", N(0)}});
    (void)ctx.areas.select(store::Area::TMP_03);
    (void)ctx.areas.table(store::Area::TMP_03)->goTop();
  }
};

TEST_F(Dependentes, DeletingADependantTakesHisRowsAndRenumbersTheOthersPayments) {
  teclas().press(key::Down).press(key::Del).pause().type("S").pause().type("S").press(key::Esc);
  grid::EDITA(ctx, g, 3);
  EXPECT_TRUE(term.viu("│Esse dependente tem rendimentos recebido de PJ e PF  │"_cp));
  EXPECT_TRUE(term.viu("│que também serão retirados. Exclui mesmo assim? "_cp));
  EXPECT_EQ(coluna(store::Area::TMP_03, "NOMEDEPEN"), (Lista{"DEP 1", "DEP 3"}));
  // Numbers are given again by NRODP.
  EXPECT_EQ(coluna(store::Area::TMP_03, "NRODEPEN"), (Lista{"0", "0"}));
  EXPECT_NE(std::find(servicos.chamadas.begin(), servicos.chamadas.end(), "NRODP"), servicos.chamadas.end());
  (void)ctx.areas.table(store::Area::TMP_02)->clearFilter();
  EXPECT_EQ(coluna(store::Area::TMP_02, "I1_2"), Lista{"EMPRESA DO TITULAR"});
  EXPECT_EQ(coluna(store::Area::TMP_06, "I6_1"), (Lista{"ESCOLA 3", "MEDICO 3", "MEDICO 1", "TITULAR"}));
  EXPECT_EQ(coluna(store::Area::TMP_06, "I6_6"), (Lista{"2", "2", "1", "0"}));
}

TEST_F(Dependentes, RefusingTheCascadeKeepsEverything) {
  teclas().press(key::Down).press(key::Del).pause().type("S").pause().type("N");
  grid::EDITA(ctx, g, 3);
  EXPECT_EQ(coluna(store::Area::TMP_03, "NOMEDEPEN"), (Lista{"DEP 1", "DEP 2", "DEP 3"}));
  EXPECT_EQ(coluna(store::Area::TMP_06, "I6_6"), (Lista{"2", "2", "3", "3", "1", "0"}));
  EXPECT_EQ(ctx.areas.table(store::Area::TMP_02)->recordCount(), 2u);
}

TEST_F(Dependentes, PaymentsAloneAlsoAskTheCascadeQuestion) {
  // Dependant 1 has no income, only a medical payment: the question still comes.
  teclas().press(key::Del).pause().type("S").pause().type("S").press(key::Esc);
  grid::EDITA(ctx, g, 3);
  EXPECT_TRUE(term.viu("Esse dependente tem"));
  EXPECT_EQ(coluna(store::Area::TMP_06, "I6_6"), (Lista{"1", "1", "2", "2", "0"}));
}

class Registro : public GridFixture {
 protected:
  void SetUp() override {
    tabela(store::Area::IMP0910);
    linha(store::Area::IMP0910, {{"CPF", C("11111111111")}, {"NOMECONTR", C("ANA")}, {"NRQUOTA", N(1)}});
    linha(store::Area::IMP0910, {{"CPF", C("22222222222")}, {"NOMECONTR", C("BRUNO")}, {"NRQUOTA", N(3)}});
    linha(store::Area::IMP0910, {{"CPF", C("33333333333")}, {"NOMECONTR", C("CARLA")}, {"NRCLEAO", N(2)}});
    (void)ctx.areas.select(store::Area::IMP0910);
    (void)ctx.areas.table(store::Area::IMP0910)->goTop();
    g.OPCAO_1 = 0;
  }
};

TEST_F(Registro, MarkAllAndUnmarkAllOnScreen41) {
  teclas().press(key::AltEquals).press(key::Esc);
  grid::EDITA(ctx, g, 41);
  EXPECT_EQ(coluna(store::Area::IMP0910, "IMPRE"), (Lista{"S", "S", "S"}));
  teclas().press(key::AltMinus).press(key::Esc);
  grid::EDITA(ctx, g, 41);
  EXPECT_EQ(coluna(store::Area::IMP0910, "IMPRE"), (Lista{"N", "N", "N"}));
}

TEST_F(Registro, MarkAllWaitsForTheFileLock) {
  // Another handle (another terminal) holds a record: the whole-table lock is not had and
  // nothing is marked.
  auto outro = rt::db::Table::open(caminhoTabela(store::Area::IMP0910));
  ASSERT_TRUE(outro.isOk());
  (*outro)->goTo(2);
  ASSERT_TRUE((*outro)->status().isOk());
  ASSERT_TRUE((*outro)->lockRecord().isOk());
  teclas().press(key::AltEquals).press(key::Esc);
  grid::EDITA(ctx, g, 41);
  EXPECT_EQ(coluna(store::Area::IMP0910, "IMPRE"), (Lista{"", "", ""}));
}

TEST_F(Registro, MarkAllOnScreen47TakesOnlyMoreThanOneQuota) {
  teclas().press(key::AltEquals).press(key::Esc);
  grid::EDITA(ctx, g, 47);
  EXPECT_EQ(coluna(store::Area::IMP0910, "IMPRE"), (Lista{"N", "S", "S"}));
}

TEST_F(Registro, DelAndAltVDoNothingOnTheRegisterLists) {
  g.CLIPTEX = C("X");
  teclas().press(key::Del).press(key::AltV).press(key::Down).press(key::Down).press(key::Down).press(key::Esc);
  grid::EDITA(ctx, g, 41);
  teclas().press(key::Del).press(key::AltV).press(key::Esc);
  grid::EDITA(ctx, g, 42);
  EXPECT_EQ(coluna(store::Area::IMP0910, "CPF"), (Lista{"11111111111", "22222222222", "33333333333"}));
  EXPECT_EQ(ctx.areas.table(store::Area::IMP0910)->recordCount(), 3u);
}

TEST_F(Registro, CellIsWrittenOnlyUnderItsRecordLock) {
  // Column 5 of screen 42 is the fee; three columns are frozen, the cursor starts on 4.
  auto outro = rt::db::Table::open(caminhoTabela(store::Area::IMP0910));
  ASSERT_TRUE(outro.isOk());
  (*outro)->goTo(1);
  ASSERT_TRUE((*outro)->status().isOk());
  ASSERT_TRUE((*outro)->lockRecord().isOk());
  teclas().press(key::Right).type("12").press(key::Enter).press(key::Esc);
  grid::EDITA(ctx, g, 42);
  EXPECT_EQ(coluna(store::Area::IMP0910, "VALOREC"), (Lista{"0", "0", "0"}));
  EXPECT_TRUE(term.viu("Registro não ficou disponível"_cp));
  (void)(*outro)->unlock();
  teclas().press(key::Right).type("12").press(key::Enter).press(key::Esc);
  grid::EDITA(ctx, g, 42);
  EXPECT_EQ(coluna(store::Area::IMP0910, "VALOREC"), (Lista{"12", "0", "0"}));
}

TEST_F(Edita, CopyAndPaste) {
  tabela(store::Area::TMP_04);
  linha(store::Area::TMP_04, {{"I7_2", C("TERRENO")}, {"I7_4", N(5)}});
  linha(store::Area::TMP_04, {{"I7_2", C("CASA")}});
  // Screen 8 starts on the description: copy it, paste it on the next row, and paste into a
  // new row with Alt+V; a buffer of another type is ignored.
  teclas().press(key::AltM).press(key::Down).press(key::AltC).press(key::AltV);
  teclas().press(key::CtrlHome).press(key::Up).press(key::Right).press(key::Right).press(key::Right).press(key::Right);
  teclas().press(key::AltM).press(key::Left).press(key::Left).press(key::Left).press(key::Left).press(key::AltC).press(key::Esc);
  grid::EDITA(ctx, g, 8);
  EXPECT_EQ(coluna(store::Area::TMP_04, "I7_2"), (Lista{"TERRENO", "TERRENO", "TERRENO"}));
  EXPECT_EQ(coluna(store::Area::TMP_04, "CPF"), (Lista{"", "", "12345678909"}));
  // The new row got its line number.
  EXPECT_EQ(coluna(store::Area::TMP_04, "I7_0"), (Lista{"0", "0", "30"}));
  EXPECT_TRUE(g.CLIPTEX.has_value());
}

class Caixa : public GridFixture {
 protected:
  void SetUp() override {
    tabela(store::Area::TMP_19);
    g.TIPOCR = "C";
    linha(store::Area::TMP_19, {{"TIPOCR", C("C")},
                                {"DT_LC", rt::text::Date::fromYmd(2009, 3, 1)},
                                {"DESCR", C("MARCO")},
                                {"VALOR", N(30)}});
    linha(store::Area::TMP_19, {{"TIPOCR", C("C")},
                                {"DT_LC", rt::text::Date::fromYmd(2009, 1, 1)},
                                {"DESCR", C("JANEIRO")},
                                {"VALOR", N(10)}});
    linha(store::Area::TMP_19, {{"TIPOCR", C("D")},
                                {"DT_LC", rt::text::Date::fromYmd(2009, 1, 5)},
                                {"DESCR", C("DESPESA")},
                                {"VALOR", N(99)}});
    linha(store::Area::TMP_19, {{"TIPOCR", C("C")},
                                {"DT_LC", rt::text::Date::fromYmd(2009, 2, 1)},
                                {"DESCR", C("FEVEREIRO")},
                                {"VALOR", N(20)}});
    (void)ctx.areas.select(store::Area::TMP_19);
  }
};

TEST_F(Caixa, SortByTheDateColumn) {
  teclas().press(key::AltO).press(key::Esc);
  grid::EDITA(ctx, g, 38);
  ctx.areas.table(store::Area::TMP_19)->setFilter([](const rt::db::Table& t) { return t.getText("TIPOCR") == "C"; });
  EXPECT_EQ(coluna(store::Area::TMP_19, "DESCR"), (Lista{"JANEIRO", "FEVEREIRO", "MARCO"}));
}

TEST_F(Caixa, SecondarySortIndexIsRemovedWhenTheGridCloses) {
  teclas().press(key::AltO).press(key::Right).press(key::Right).press(key::AltEquals).press(key::Esc);
  grid::EDITA(ctx, g, 38);
  for (const auto& e : std::filesystem::directory_iterator(trabalho.caminho()))
    EXPECT_EQ(e.path().filename().string().rfind("PRA_", 0), std::string::npos) << e.path();
  EXPECT_TRUE(term.viu("JANEIRO"));
}

TEST_F(Caixa, SubtotalBetweenTwoRows) {
  teclas().press(key::AltO).press(key::Alt1 + 1).press(key::Down).press(key::Down).press(key::Alt1 + 2);
  grid::EDITA(ctx, g, 38);
  EXPECT_TRUE(term.viu("SUBTOTAL=")) << term.script.dump();
  EXPECT_TRUE(term.viu("60,00"));
}

TEST_F(Edita, RenumberSkipsContinuationLines) {
  tabela(store::Area::TMP_04);
  linha(store::Area::TMP_04, {{"I7_1", N(5)}, {"I7_2", C("A")}});
  linha(store::Area::TMP_04, {{"I7_1", N(9)}, {"I7_2", C("B")}});
  linha(store::Area::TMP_04, {{"I7_1", N(0)}, {"I7_2", C("B cont")}});
  linha(store::Area::TMP_04, {{"I7_1", N(2)}, {"I7_2", C("C")}});
  teclas().press(key::AltR).pause().type("S").press(key::Esc);
  grid::EDITA(ctx, g, 5);
  EXPECT_EQ(coluna(store::Area::TMP_04, "I7_1"), (Lista{"5", "6", "0", "7"}));
  teclas().press(key::Down).press(key::Down).press(key::AltR).pause().type("S").press(key::Esc);
  grid::EDITA(ctx, g, 5);
  EXPECT_TRUE(term.viu("Só é possível reorganizar a partir de um Item diferente de 0"_cp));
}

TEST_F(Edita, InsertAfterAnItemMovesTheFollowingLines) {
  tabela(store::Area::TMP_04);
  linha(store::Area::TMP_04, {{"I7_2", C("A")}, {"I7_0", N(10)}});
  linha(store::Area::TMP_04, {{"I7_2", C("B")}, {"I7_0", N(20)}});
  teclas().press(key::Ins).pause().type("S").press(key::Esc);
  grid::EDITA(ctx, g, 5);
  EXPECT_EQ(coluna(store::Area::TMP_04, "I7_0"), (Lista{"10", "21", "11"}));
  EXPECT_EQ(coluna(store::Area::TMP_04, "CPF"), (Lista{"", "", "12345678909"}));
}

TEST_F(Edita, ScreenKeysLeaveOnlyInsideADeclaration) {
  tabela(store::Area::TMP_03);
  linha(store::Area::TMP_03, {{"NOMEDEPEN", C("X")}});
  g.OPCAO_1 = 0;
  teclas().press(key::F1).press(key::Tab);
  grid::EDITA(ctx, g, 3);
  EXPECT_EQ(g.ULTTECLA, key::Tab);
  g.OPCAO_1 = 11;
  teclas().press(key::F1);
  grid::EDITA(ctx, g, 3);
  EXPECT_EQ(g.ULTTECLA, key::F1);
  EXPECT_TRUE(g.TECLAMUDA);
}

}  // namespace

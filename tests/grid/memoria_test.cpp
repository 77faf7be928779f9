// The remembered payees and asset texts: Ctrl+Enter (or Ctrl+J) keeps a row's name or text,
// and the nested pick screens append the one picked to the calling grid and return to it.
#include <gtest/gtest.h>

#include "fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"

namespace {

using namespace rt::text::literals;
using grid::teste::C;
using grid::teste::GridFixture;
using grid::teste::N;
using Lista = std::vector<std::string>;
namespace key = rt::term::key;

class Memoria : public GridFixture {
 protected:
  void SetUp() override {
    tabela(store::Area::AUXBENS);
    tabela(store::Area::AUXPAG);
  }
};

TEST_F(Memoria, CtrlEnterRemembersAPayeeOnce) {
  tabela(store::Area::TMP_06);
  linha(store::Area::TMP_06, {{"CPF", C("12345678909")},
                              {"I6_1", C("CLINICA BOA")},
                              {"I6_2", C("12.345.678/0001-95")},
                              {"I6_3", N(10)}});
  linha(store::Area::TMP_06, {{"CPF", C("12345678909")}, {"I6_1", C("LABORATORIO")}, {"I6_3", N(11)}});
  // The same payee twice, the second row once with Ctrl+J, which terminals send for Ctrl+Enter.
  teclas().press(key::CtrlEnter).press(key::CtrlEnter).press(key::Down).press(rt::term::ctrlKey('j')).press(key::Esc);
  grid::EDITA(ctx, g, 4);
  EXPECT_EQ(coluna(store::Area::AUXPAG, "NOME"), (Lista{"CLINICA BOA", "LABORATORIO"}));
  EXPECT_EQ(coluna(store::Area::AUXPAG, "CGCCPF"), (Lista{"12.345.678/0001-95", ""}));
  EXPECT_EQ(coluna(store::Area::AUXPAG, "CODIGO"), (Lista{"10", "11"}));
  // The grid went on over its own table.
  EXPECT_EQ(ctx.areas.current(), store::Area::TMP_06);
  EXPECT_EQ(ctx.areas.table(store::Area::TMP_06)->recordCount(), 2u);
}

TEST_F(Memoria, CtrlEnterRemembersAssetAndDebtTexts) {
  tabela(store::Area::TMP_04);
  tabela(store::Area::TMP_05);
  linha(store::Area::TMP_04,
        {{"CPF", C("12345678909")}, {"I7_2", C("APARTAMENTO NA PRAIA")}, {"I7_5", N(11)}});
  linha(store::Area::TMP_05,
        {{"CPF", C("12345678909")}, {"I8_2", C("FINANCIAMENTO DO CARRO")}, {"I8_5", N(14)}});
  linha(store::Area::AUXBENS, {{"DESCRICAO", C("APARTAMENTO NA PRAIA")}, {"CODIGO", N(11)}});
  teclas().press(key::CtrlEnter).press(key::Esc);
  grid::EDITA(ctx, g, 8);
  (void)ctx.areas.select(store::Area::TMP_05);
  teclas().press(key::CtrlEnter).press(key::Esc);
  grid::EDITA(ctx, g, 9);
  EXPECT_EQ(coluna(store::Area::AUXBENS, "DESCRICAO"),
            (Lista{"APARTAMENTO NA PRAIA", "FINANCIAMENTO DO CARRO"}));
  EXPECT_EQ(coluna(store::Area::AUXBENS, "CODIGO"), (Lista{"11", "14"}));
}

TEST_F(Memoria, NothingIsRememberedFromAnEmptyRowOrOtherScreens) {
  tabela(store::Area::TMP_06);
  linha(store::Area::TMP_06, {{"CPF", C("12345678909")}, {"I6_3", N(10)}});
  teclas().press(key::CtrlEnter).press(key::Esc);
  grid::EDITA(ctx, g, 4);
  tabela(store::Area::TMP_03);
  linha(store::Area::TMP_03, {{"NOMEDEPEN", C("MARIA")}});
  teclas().press(key::CtrlEnter).press(key::Esc);
  grid::EDITA(ctx, g, 3);
  EXPECT_EQ(ctx.areas.table(store::Area::AUXPAG)->recordCount(), 0u);
  EXPECT_EQ(ctx.areas.table(store::Area::AUXBENS)->recordCount(), 0u);
}

TEST_F(Memoria, AltF4PicksARememberedPayeeAndReturnsToTheSameRow) {
  tabela(store::Area::TMP_06);
  linha(store::Area::TMP_06, {{"CPF", C("12345678909")}, {"I6_1", C("PRIMEIRO")}});
  linha(store::Area::TMP_06, {{"CPF", C("12345678909")}, {"I6_1", C("SEGUNDO")}});
  linha(store::Area::AUXPAG,
        {{"NOME", C("ESCOLA A")}, {"CGCCPF", C("11.111.111/0001-11")}, {"CODIGO", N(1)}});
  linha(store::Area::AUXPAG,
        {{"NOME", C("HOSPITAL B")}, {"CGCCPF", C("22.222.222/0001-22")}, {"CODIGO", N(10)}});
  (void)ctx.areas.select(store::Area::TMP_06);
  // On the second row: Alt+F4, leave the list with Esc: nothing added, still on the second row,
  // whose name is then copied; Alt+F4 again and pick the second payee.
  teclas().press(key::Down).press(key::AltF4).press(key::Esc).press(key::AltM);
  teclas().press(key::AltF4).press(key::Down).press(key::CtrlEnter).press(key::Esc);
  grid::EDITA(ctx, g, 4);
  EXPECT_EQ(g.CLIPTEX, rt::ui::Value(std::string("SEGUNDO") + std::string(43, ' ')));
  EXPECT_EQ(coluna(store::Area::TMP_06, "I6_1"), (Lista{"PRIMEIRO", "SEGUNDO", "HOSPITAL B"}));
  EXPECT_EQ(coluna(store::Area::TMP_06, "I6_2"), (Lista{"", "", "22.222.222/0001-22"}));
  EXPECT_EQ(coluna(store::Area::TMP_06, "I6_3"), (Lista{"0", "0", "10"}));
  EXPECT_EQ(coluna(store::Area::TMP_06, "CPF"), (Lista{"12345678909", "12345678909", "12345678909"}));
  // The payment grid's columns and number came back, and it was left by its own Esc.
  EXPECT_EQ(g.OPC, 4);
  EXPECT_EQ(g.TABCPOIN.front(), "I6_1");
  EXPECT_EQ(g.ULTTECLA, key::Esc);
  EXPECT_TRUE(g.TECLAMUDA);
  EXPECT_TRUE(term.viu("HOSPITAL B"));
}

TEST_F(Memoria, AltF5PickedTextsSortBeforeTheRowLastWorkedOn) {
  tabela(store::Area::TMP_04);
  linha(store::Area::TMP_04,
        {{"CPF", C("12345678909")}, {"I7_1", N(1)}, {"I7_2", C("CASA")}, {"I7_0", N(10)}});
  linha(store::Area::TMP_04,
        {{"CPF", C("12345678909")}, {"I7_1", N(2)}, {"I7_2", C("CARRO")}, {"I7_0", N(20)}});
  linha(store::Area::AUXBENS, {{"DESCRICAO", C("ACOES DA EMPRESA X")}, {"CODIGO", N(31)}});
  (void)ctx.areas.select(store::Area::TMP_04);
  // An insert after the first row sets the running line to 10; two picks then take 9 and 8.
  teclas().press(key::Ins).pause().type("S");
  teclas().press(key::AltF5).press(key::CtrlEnter).press(key::AltF5).press(key::CtrlEnter).press(key::Esc);
  grid::EDITA(ctx, g, 5);
  EXPECT_EQ(coluna(store::Area::TMP_04, "I7_2"),
            (Lista{"CASA", "CARRO", "", "ACOES DA EMPRESA X", "ACOES DA EMPRESA X"}));
  EXPECT_EQ(coluna(store::Area::TMP_04, "I7_5"), (Lista{"0", "0", "0", "31", "31"}));
  EXPECT_EQ(coluna(store::Area::TMP_04, "I7_0"), (Lista{"10", "21", "11", "9", "8"}));
  EXPECT_EQ(g.I7_0, rt::text::Decimal(8));
}

TEST_F(Memoria, RuralDebtTakesThePickedCodeAsItsItem) {
  tabela(store::Area::TMP_18);
  linha(store::Area::TMP_18, {{"CPF", C("12345678909")}, {"ITEM", N(1)}, {"I9R_1", C("CUSTEIO")}});
  linha(store::Area::AUXBENS, {{"DESCRICAO", C("EMPRESTIMO RURAL")}, {"CODIGO", N(7)}});
  (void)ctx.areas.select(store::Area::TMP_18);
  teclas().press(key::AltF5).press(key::CtrlEnter).press(key::Esc);
  grid::EDITA(ctx, g, 36);
  EXPECT_EQ(coluna(store::Area::TMP_18, "I9R_1"), (Lista{"CUSTEIO", "EMPRESTIMO RURAL"}));
  EXPECT_EQ(coluna(store::Area::TMP_18, "ITEM"), (Lista{"1", "7"}));
  EXPECT_EQ(coluna(store::Area::TMP_18, "I9R_0"), (Lista{"0", "-1"}));
}

TEST_F(Memoria, AltF6OpensTheSavingsGridAndTakesItsTotalsAsking) {
  tabela(store::Area::TMP_04);
  tabela(store::Area::TMP_14);
  linha(store::Area::TMP_04, {{"CPF", C("12345678909")}, {"I7_2", C("POUPANCA")}});
  (void)ctx.areas.select(store::Area::TMP_04);
  teclas().press(key::AltF6).press(key::Esc).press(key::Esc);
  grid::EDITA(ctx, g, 5);
  EXPECT_EQ(servicos.conta("FCALPOUPA(0)"), 2);
  EXPECT_FALSE(servicos.chamou("FCALPOUPA(1)"));
  EXPECT_EQ(ctx.areas.current(), store::Area::TMP_04);
  EXPECT_EQ(g.OPC, 5);
}

TEST_F(Memoria, GridOpenedFromACellCheckGivesTheOuterGridBackItsColumns) {
  // The rural asset's situation check opens the rural cash book; the situation typed is then
  // written into the asset's own field, not into a column of the cash book.
  tabela(store::Area::TMP_17);
  tabela(store::Area::TMP_19);
  linha(store::Area::TMP_17,
        {{"CPF", C("12345678909")}, {"ATV_BRASIL", C("S")}, {"ITEM", N(1)}, {"I8R_1", C("TRATOR")}});
  (void)ctx.areas.select(store::Area::TMP_17);
  servicos.gancho = [this](std::string_view nome, rt::ui::Value&) {
    if (nome == "TES_SIT") {
      g.TIPOCR = "D";
      grid::EDITA(ctx, g, 38, 1);
    }
    return true;
  };
  // It., description, code, value, situation.
  teclas().press(key::End).type("2").press(key::Esc).press(key::Enter).press(key::Esc);
  grid::EDITA(ctx, g, 35);
  EXPECT_EQ(coluna(store::Area::TMP_17, "I8R_4"), Lista{"2"});
  EXPECT_EQ(ctx.areas.table(store::Area::TMP_19)->recordCount(), 0u);
  EXPECT_EQ(g.OPC, 35);
  EXPECT_EQ(g.TABCPOIN[4], "I8R_4");
  EXPECT_EQ(g.nivel, 0);
}

}  // namespace

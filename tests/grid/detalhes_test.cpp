// The long descriptions shown whole while edited, the savings grid's totals, the grids only
// drawn behind a form, and the keys that reach other parts of the program.
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

class Detalhes : public GridFixture {};

const std::string kLonga =
    "APARTAMENTO RESIDENCIAL NA RUA DAS FLORES 123, BAIRRO JARDIM, ADQUIRIDO EM 10/03/2005 DE JOSE DA SILVA "
    "POR ESCRITURA PUBLICA LAVRADA NO 2O TABELIONATO, MATRICULA 4567 DO REGISTRO DE IMOVEIS, VALOR PAGO A VISTA "
    "COM RECURSOS PROPRIOS E FINANCIAMENTO QUITADO EM 2008";

TEST_F(Detalhes, DescriptionEditedWithEnterIsShownWhole) {
  tabela(store::Area::TMP_04);
  linha(store::Area::TMP_04, {{"CPF", C("12345678909")}, {"I7_1", N(1)}, {"I7_2", C(kLonga)}});
  // The cell shows 39 characters; the end of the text only appears in the message window.
  teclas().press(key::Right).press(key::Enter).press(key::Esc).press(key::Esc);
  grid::EDITA(ctx, g, 5);
  EXPECT_TRUE(term.viu("TABELIONATO")) << term.script.dump();
  // Opening the cell by typing into it does not show it.
  term.telas.clear();
  teclas().press(key::Right).type("X").press(key::Esc).press(key::Esc);
  grid::EDITA(ctx, g, 5);
  EXPECT_FALSE(term.viu("TABELIONATO"));
}

TEST_F(Detalhes, DebtDescriptionIsShownWholeToo) {
  tabela(store::Area::TMP_05);
  linha(store::Area::TMP_05, {{"CPF", C("12345678909")},
                              {"I8_1", N(1)},
                              {"I8_2", C("EMPRESTIMO BANCARIO CONTRATADO EM MARCO DE 2009 COM GARANTIA")}});
  teclas().press(key::Right).press(key::Enter).press(key::Esc).press(key::Esc);
  grid::EDITA(ctx, g, 6);
  EXPECT_TRUE(term.viu("COM GARANTIA"));
  // The window closed with the edit.
  EXPECT_FALSE(term.script.contains("COM GARANTIA"));
}

TEST_F(Detalhes, SavingsGridShowsItsTotalsAndTakesUpTheTypedLists) {
  tabela(store::Area::TMP_14);
  linha(store::Area::TMP_14, {{"CPF", C("12345678909")}, {"DESCRICAO", C("BANCO A")}, {"POUPANCA", N(1200)}});
  linha(store::Area::TMP_14,
        {{"CPF", C("12345678909")}, {"DESCRICAO", C("BANCO B")}, {"POUPANCA", N(300)}, {"APLICACAO", N(45)}});
  grid::ListasPoupanca l;
  l.I3_12D = "HERANCA DO PAI";
  l.I3_12 = rt::text::Decimal(5000);
  l.I4_05D = "BANCO B, CDB";  // names a row already there: nothing added
  l.I4_05 = rt::text::Decimal(70);
  servicos.listas = l;
  (void)ctx.areas.select(store::Area::TMP_14);
  teclas().press(key::Esc);
  grid::EDITA(ctx, g, 13);
  EXPECT_EQ(coluna(store::Area::TMP_14, "DESCRICAO"), (Lista{"BANCO A", "BANCO B", "HERANCA DO PAI"}));
  EXPECT_EQ(coluna(store::Area::TMP_14, "LUCROEPP"), (Lista{"0", "0", "5000"}));
  EXPECT_EQ(coluna(store::Area::TMP_14, "CPF"), (Lista{"12345678909", "12345678909", "12345678909"}));
  ASSERT_EQ(g.MATAUX.size(), 6u);
  EXPECT_EQ(g.MATAUX[1], "     1.500,00");
  EXPECT_EQ(g.MATAUX[2], "        45,00");
  EXPECT_EQ(g.MATAUX[4], "     5.000,00");
  EXPECT_TRUE(term.viu("1.500,00"));
  EXPECT_TRUE(term.viu("┴─"_cp));
  EXPECT_FALSE(term.viu("Use uma linha para o Tributado e outra para o Isento"));
  // Asked, never the mode that replaces typed values unasked.
  EXPECT_TRUE(servicos.chamou("FCALPOUPA(0)"));
  EXPECT_FALSE(servicos.chamou("FCALPOUPA(1)"));
}

TEST_F(Detalhes, SavingsRowWithExemptAndTaxedAmountsIsWarned) {
  tabela(store::Area::TMP_14);
  linha(store::Area::TMP_14,
        {{"CPF", C("12345678909")}, {"DESCRICAO", C("FUNDO")}, {"LUCROEPP", N(10)}, {"LUCROREAL", N(20)}});
  (void)ctx.areas.select(store::Area::TMP_14);
  teclas().press(key::Esc).press(key::Esc);
  grid::EDITA(ctx, g, 13);
  EXPECT_TRUE(term.viu("Use uma linha para o Tributado e outra para o Isento"));
}

TEST_F(Detalhes, GridOnlyDrawnReadsNoKey) {
  tabela(store::Area::TMP_03);
  linha(store::Area::TMP_03, {{"NOMEDEPEN", C("MARIA")}});
  g.SO_MOS = 1;
  teclas().press(key::Del);
  grid::EDITA(ctx, g, 3);
  EXPECT_TRUE(term.viu("MARIA"));
  EXPECT_EQ(teclas().pending(), 1u);
  EXPECT_EQ(ctx.areas.table(store::Area::TMP_03)->recordCount(), 1u);
}

TEST_F(Detalhes, InsOnTheBankSlipsIssuesOne) {
  tabela(store::Area::BOLETO);
  linha(store::Area::BOLETO, {{"NOSSONRO", N(1)}});
  (void)ctx.areas.select(store::Area::BOLETO);
  g.OPCAO_1 = 0;
  teclas().press(key::Ins).press(key::Esc);
  grid::EDITA(ctx, g, 45);
  EXPECT_EQ(servicos.conta("UNICO_BOL"), 1);
}

TEST_F(Detalhes, AltJAppendsTheCopiedTextToTheDescription) {
  tabela(store::Area::TMP_04);
  linha(store::Area::TMP_04, {{"CPF", C("12345678909")}, {"I7_1", N(1)}, {"I7_2", C("CASA")}});
  pagina.TELA = 5;
  g.CLIPTEX = C("  NA PRAIA ");
  teclas().press(key::Right).press(key::AltJ).pause().type("S").press(key::Esc);
  grid::EDITA(ctx, g, 5);
  EXPECT_TRUE(term.viu("│Essa opção acrescenta os dado copiados com ALT M│"_cp));
  EXPECT_TRUE(term.viu("│ para o fim dessa descrição.Confirma?"_cp));
  // Its own blanks at the end go, those the copy starts with stay.
  EXPECT_EQ(coluna(store::Area::TMP_04, "I7_2"), Lista{"CASA  NA PRAIA"});
  // Another declaration screen, another column or a number in the buffer: nothing.
  pagina.TELA = 6;
  teclas().press(key::Right).press(key::AltJ).press(key::Esc);
  grid::EDITA(ctx, g, 5);
  pagina.TELA = 5;
  g.CLIPTEX = N(3);
  teclas().press(key::Right).press(key::AltJ).press(key::Esc);
  grid::EDITA(ctx, g, 5);
  EXPECT_EQ(coluna(store::Area::TMP_04, "I7_2"), Lista{"CASA  NA PRAIA"});
}

TEST_F(Detalhes, AltBRebuildsTheMaintenanceListOnlyFromTheBalanceScreen) {
  tabela(store::Area::TMP_10);
  // An empty list is rebuilt on entry anyway; this one has a row.
  teclas().press(key::Esc);
  grid::EDITA(ctx, g, 15);
  EXPECT_EQ(servicos.conta("BUSCA_DESP"), 1);
  servicos.chamadas.clear();
  linha(store::Area::TMP_10, {{"DESCRITEM", C("CASA")}, {"VALODESP", N(100)}});
  (void)ctx.areas.select(store::Area::TMP_10);
  pagina.TELA = 9;
  teclas().press(key::AltB).press(key::Esc);
  grid::EDITA(ctx, g, 15);
  EXPECT_FALSE(servicos.chamou("BUSCA_DESP"));
  pagina.TELA = 10;
  teclas().press(key::AltB).press(key::Esc);
  grid::EDITA(ctx, g, 15);
  EXPECT_TRUE(servicos.chamou("BUSCA_DESP"));
}

}  // namespace

#include <gtest/gtest.h>

#include "ajustes_fixture.h"
#include "console/mensagens.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "shell/cores_editor.h"
#include "shell/cores_registro.h"

namespace shell::teste {
namespace {

using namespace rt::text::literals;
namespace key = rt::term::key;

class Cores : public AjustesFixture {
 protected:
  rt::term::Cell celula(int r, int c) { return con.screen().at(r, c); }
};

TEST_F(Cores, AFirstStartMakesTheRecordWithTheDefaults) {
  EXPECT_TRUE(CRIACOR(ctx));
  EXPECT_FALSE(ctx.areas.isOpen(workareas::Area::CORES));
  auto t = abre("CORES", true);
  ASSERT_FALSE(t->eof());
  EXPECT_EQ(t->getText("NRO_TERM"), "00");
  EXPECT_EQ(t->getNumber("COR_TEL1"), rt::text::Decimal(30));
  EXPECT_EQ(t->getNumber("COR_ESCOL"), rt::text::Decimal(79));
  EXPECT_EQ(t->getText("COR_ESC_CL"), "W/R+      ");
  EXPECT_EQ(t->getText("COR_ENCH_C"), "W+/B      ");
}

TEST_F(Cores, EditedColoursAreStoredAndComeBackAfterARestart) {
  ASSERT_TRUE(CRIACOR(ctx));
  // Texto (the first line): from 30 (GR+/B) two right, stopping at 15, and one down.
  term.press(key::Enter).press(key::Right).press(key::Right).press(key::Down).press(key::Enter);
  // Mensagens by its letter: one right, Esc keeps it too.
  term.type("M").press(key::Right).press(key::Esc);
  term.press(key::Esc);
  MODCOR(ctx, true);
  EXPECT_FALSE(term.exhausted());
  EXPECT_EQ(ctx.cores.COR_TEL1, 15 + 16 * 2);
  EXPECT_EQ(ctx.cores.COR_1_CLI, "W+/G");
  EXPECT_EQ(ctx.cores.COR_MENS, 113);
  EXPECT_EQ(ctx.cores.COR_SAY, "B/W");
  EXPECT_EQ(ctx.janelas.find(console::Jan::kMensagem)->cor1, ctx.cores.COR_MENS);

  // Another terminal start on the same program folder.
  rt::term::ScriptedTerminal t2;
  rt::term::Console c2{t2};
  store::Contexto outro{c2, relogio, espera};
  outro.definePastaPrograma(programa.caminho());
  outro.NUSU = "00";
  ASSERT_TRUE(CRIACOR(outro));
  EXPECT_EQ(outro.cores.COR_TEL1, ctx.cores.COR_TEL1);
  EXPECT_EQ(outro.cores.COR_1_CLI, "W+/G");
  EXPECT_EQ(outro.cores.COR_MENS, ctx.cores.COR_MENS);
  EXPECT_EQ(outro.cores.COR_SAY, ctx.cores.COR_SAY);
  EXPECT_EQ(outro.cores.COR_ENCH_C, "W+/B");
  // And the new start shows them: a message window's text is in the edited colour.
  console::MENS(outro, console::mens::Espera, "Teste", {.linha = 20, .coluna = 10});
  EXPECT_EQ(outro.screen().rowText(20).substr(10, 5), "Teste");
  EXPECT_EQ(outro.screen().at(20, 10).attr, 47);
  // Another terminal's number gets its own record with the defaults.
  rt::term::ScriptedTerminal t3;
  rt::term::Console c3{t3};
  store::Contexto terceiro{c3, relogio, espera};
  terceiro.definePastaPrograma(programa.caminho());
  terceiro.NUSU = "07";
  ASSERT_TRUE(CRIACOR(terceiro));
  EXPECT_EQ(terceiro.cores.COR_TEL1, 30);
}

TEST_F(Cores, MovesStopAtThePalettesEdges) {
  ctx.cores.COR_PEGA = 15;  // foreground 15 on background 0
  term.press(key::Right).press(key::Up).press(key::F2).type("x").press(key::Enter);
  ESCOL_COR(ctx, 5);
  EXPECT_EQ(ctx.cores.COR_PEGA, 15);
  ctx.cores.COR_PEGA = 7 * 16;  // foreground 0 on background 7
  term.press(key::Left).press(key::Down).press(key::Enter);
  ESCOL_COR(ctx, 5);
  EXPECT_EQ(ctx.cores.COR_PEGA, 112);
  EXPECT_EQ(ctx.cores.COR_GET, "W/N");  // untouched: no move happened
}

TEST_F(Cores, ThePaletteShowsEveryColourAndMarksTheCurrentOne) {
  ctx.cores.COR_HELP = 112;
  term.press(key::Right);  // then Esc when the keys run out
  ESCOL_COR(ctx, 7);
  // The last screen shown is the one waiting for the key after the move.
  EXPECT_TRUE(gravador.viuEm(4, 62, "┌────────────────┐"_cp));
  EXPECT_TRUE(gravador.viuEm(5, 62, "│■■■■■■■■■■■■■■■■│"_cp));
  EXPECT_TRUE(gravador.viuEm(12, 62, "│*■■■■■■■■■■■■■■■│"_cp));  // 112: foreground 0, background 7
  EXPECT_TRUE(gravador.viuEm(12, 62, "│■*■■■■■■■■■■■■■■│"_cp));  // after Right
  EXPECT_TRUE(gravador.viuEm(15, 62, "┌─Cor do texto───┐"_cp));
  EXPECT_TRUE(gravador.viuEm(16, 64, "Item Escolhido"));
  EXPECT_TRUE(gravador.viuEm(19, 64, "Telas de Help "));
  EXPECT_EQ(ctx.cores.COR_HELP, 113);
  EXPECT_EQ(ctx.cores.COR_CLI_HE, "B/W");
  // The windows are closed again; the cells were each in their own colour while shown.
  EXPECT_FALSE(ctx.janelas.isOpen(console::Jan::kDialogo));
  EXPECT_FALSE(ctx.janelas.isOpen(console::Jan::kSobreposta));
  EXPECT_EQ(ctx.POSVER, 1);
}

TEST_F(Cores, CellsAndSamplesAreInTheirOwnColours) {
  ctx.cores.COR_ESC_CL = "W+/R";
  ctx.cores.COR_GET = "GR+/G";
  term.press(key::Down).press(key::Enter);
  ESCOL_COR(ctx, 2);
  EXPECT_TRUE(gravador.viuComCor(5, 63, "■"_cp, rt::term::makeAttr(0, 0)));
  EXPECT_TRUE(gravador.viuComCor(7, 64 + 9, "■"_cp, rt::term::makeAttr(10, 2)));
  EXPECT_TRUE(gravador.viuComCor(12, 63 + 15, "■"_cp, rt::term::makeAttr(15, 7)));
  EXPECT_TRUE(gravador.viuComCor(16, 64, "Item Escolhido", rt::term::makeAttr(15, 4)));
  EXPECT_TRUE(gravador.viuComCor(17, 64, "Entrada Dados ", rt::term::makeAttr(14, 2)));
  // Contorno from 31 (W+/B) one down: the boxes are drawn again in the new colour at once.
  EXPECT_EQ(ctx.cores.COR_TEL2, 15 + 32);
  EXPECT_EQ(ctx.cores.COR_2_CLI, "W+/G");
  EXPECT_TRUE(gravador.viuComCor(4, 62, "┌"_cp, rt::term::makeAttr(15, 2)));
  EXPECT_TRUE(gravador.viuComCor(11, 40, "│"_cp, rt::term::makeAttr(15, 2)));
  EXPECT_TRUE(
      gravador.viuComCor(11, 41, " Contorno        "_cp, static_cast<rt::term::Attr>(ctx.cores.COR_ESCOL)));
}

TEST_F(Cores, TheBackgroundElementRefillsTheScreen) {
  term.type("F").press(key::Left).press(key::Enter).press(key::Esc);
  MODCOR(ctx, false);
  EXPECT_EQ(ctx.cores.COR_ENCHE, 30);
  EXPECT_EQ(ctx.cores.COR_ENCH_C, "GR+/B");
  EXPECT_EQ(celula(0, 0).attr, 30);
  EXPECT_EQ(celula(24, 79).attr, 30);
  // The other layout: menu at row 8, column 38; palette and samples at column 61.
  EXPECT_TRUE(gravador.viuEm(8, 38, "┌─────────────────┐"_cp));
  EXPECT_TRUE(gravador.viuEm(16, 38, "│ Fundo Geral     │"_cp));
  EXPECT_TRUE(gravador.viuEm(4, 61, "┌────────────────┐"_cp));
  auto t = abre("CORES", true);
  ASSERT_FALSE(t->eof());
  EXPECT_EQ(t->getNumber("COR_ENCHE"), rt::text::Decimal(30));
}

TEST_F(Cores, TheMenuListsTheElementsAndLightsTheOneBeingEdited) {
  term.press(key::Down).press(key::Down).press(key::Enter).press(key::Left).press(key::Enter).press(key::Esc);
  MODCOR(ctx, true);
  for (std::string_view item :
       {" Texto           ", " Contorno        ", " Item Escolhido  ", " Sombra 3D       ",
        " Entr. de dados  ", " Mensagens       ", " Help e Avisos   ", " Fundo Geral     "})
    EXPECT_TRUE(gravador.viu(item)) << item;
  EXPECT_TRUE(gravador.viuEm(9, 40, "┌─────────────────┐"_cp));
  EXPECT_TRUE(gravador.viuEm(12, 40, "│ Item Escolhido  │"_cp));
  // Item Escolhido: 79 (W+/R) one left.
  EXPECT_EQ(ctx.cores.COR_ESCOL, 78);
  EXPECT_EQ(ctx.cores.COR_ESC_CL, "GR+/R");
  // The highlight takes the new colour at once.
  EXPECT_TRUE(gravador.viuComCor(12, 41, " Item Escolhido  ", 78));
  // Kept as the program always set it: 12 + the background of the colour left.
  EXPECT_EQ(ctx.cores.COR_FERID, 16);
  EXPECT_FALSE(ctx.janelas.isOpen(console::Jan::kSubdialogo));
}

TEST_F(Cores, WithoutAStoredRecordTheFirstStoreMakesIt) {
  ctx.cores.COR_TEL2 = 100;
  EXPECT_TRUE(GRAVACOR(ctx));
  auto t = abre("CORES", true);
  ASSERT_FALSE(t->eof());
  EXPECT_EQ(t->getNumber("COR_TEL2"), rt::text::Decimal(100));
  EXPECT_EQ(t->recordCount(), 1u);
  ctx.cores.COR_TEL2 = 101;
  EXPECT_TRUE(GRAVACOR(ctx));
  t = abre("CORES", true);
  EXPECT_EQ(t->getNumber("COR_TEL2"), rt::text::Decimal(101));
  EXPECT_EQ(t->recordCount(), 1u);
}

TEST(CoresTexto, ColourListsFromTheTerminalsColours) {
  console::Cores c;
  EXPECT_EQ(CORNORM(c), "N/W+,W/N,N/N,N/N,N/W+");
  EXPECT_EQ(CORLIMP(c), "GR+/B,W/N,N/N,N/N,N/W+");
  EXPECT_EQ(CORSELE(c), "N/W,W/N,N/N,N/N,N/W+");
  EXPECT_EQ(CORMENU(c), "GR+/B,W/R+,W+/B,W+/B,W+/B,W+/B");
}

}  // namespace
}  // namespace shell::teste

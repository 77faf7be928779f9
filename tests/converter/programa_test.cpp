// The converter's start-up, menu and grids, driven as a clerk would on the scripted terminal.
#include "console/pastas.h"
#include "converter/grade.h"
#include "converter/inicio.h"
#include "converter/menu.h"
#include "converter/molduras.h"
#include "fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/pastas_dados.h"
#include "support/termina_em_tempo.h"

namespace converter::teste {
namespace {

using namespace rt::text::literals;
using store::Area;
namespace key = rt::term::key;

using Programa = ConversorFixture;

// An empty folder list gets exactly one row, the program folder, chosen; a year folder that
// does not exist is said and the program folder taken; the banner names the terminal.
TEST_F(Programa, StartUp) {
  ctx.definePastaDados("/nao/existe");
  ASSERT_TRUE(inicia(ctx, c));
  EXPECT_TRUE(gravador.viu(std::string("O diretório /nao/existe não encontrado.Assumido o atual."_cp)));
  EXPECT_EQ(ctx.LOCARQ, console::BAR_DIR(programa.caminho()));
  EXPECT_EQ(c.DIRORIG, ctx.LOCARQ);
  bool banner = false;
  for (int r = 6; r <= 22; ++r) banner = banner || con.screen().rowText(r).find("Term. 05 Converte Ver.1.07D ") != std::string::npos;
  EXPECT_TRUE(banner);
  EXPECT_EQ(le(programa.caminho(), "DIRET05", "DIRETOR,SELEC"), (std::vector<std::string>{programa.caminho() + "|S"}));
  // Started again, the list keeps its one row.
  (void)ctx.areas.closeAll();
  ASSERT_TRUE(inicia(ctx, c));
  EXPECT_EQ(le(programa.caminho(), "DIRET05", "DIRETOR").size(), 1u);
  // Started by tavren: its folder, whatever the terminal's settings named; a blank one is
  // no folder handed over.
  (void)ctx.areas.closeAll();
  Conversor cedido;
  pastaCedida(ctx, cedido, "   ");
  EXPECT_TRUE(cedido.pastaDoTavren.empty());
  pastaCedida(ctx, cedido, dados.caminho());
  ASSERT_TRUE(inicia(ctx, cedido));
  EXPECT_EQ(cedido.pastaDoTavren, dados.caminho());
  EXPECT_EQ(ctx.LOCARQ, console::BAR_DIR(dados.caminho()));
  EXPECT_EQ(cedido.DIRORIG, ctx.LOCARQ);
}

// "Terminar" ends at once; "Sair" asks and stays on "N"; an item with nothing plugged in says
// so and the menu goes on; a plugged item runs under its id.
TEST_F(Programa, MenuItems) {
  // In a child with a time limit: a menu that never ends would otherwise hang the tests.
  EXPECT_TRUE(support::terminaEmTempo([&] {
    int rodou = 0;
    c.itens[kComprovante] = [&rodou](store::Contexto&, Conversor& cv) { rodou = cv.OPCAO_1; };
    term.pause().type("N");
    (void)MENUSELECT(ctx, c, kSair);  // asks, stays on "N"
    EXPECT_FALSE(c.encerra);
    term.pause().press(key::Esc);
    (void)MENUSELECT(ctx, c, kBrantel);  // nothing plugged in: said
    (void)MENUSELECT(ctx, c, kComprovante);
    term.pause().press(key::AltT);  // Terminar, by its key, ends the menu
    rodaMenu(ctx, c);
    EXPECT_TRUE(c.encerra);
    EXPECT_TRUE(gravador.viu(std::string(" Confirma saída do sistema"_cp)));
    EXPECT_TRUE(gravador.viu(std::string("Função não disponível nesta versão"_cp)));
    EXPECT_EQ(rodou, kComprovante);
    EXPECT_EQ(term.pending(), 0u);
  }));

  Conversor outro;
  gravador.esquece();
  EXPECT_EQ(MENUSELECT(ctx, outro, kTerminar), "");
  EXPECT_TRUE(outro.encerra);
  EXPECT_FALSE(gravador.viu(std::string("Confirma saída"_cp)));
}

// A menu item that switches the data folder, as staying in a conversion's target does, leaves
// nothing of it on the screen when its frames have closed: the converter has no taxpayer page
// for the store to show the folder on.
TEST_F(Programa, AFolderSwitchedToInAnItemLeavesNothingOnTheScreen) {
  outraPasta("12345678909", "ANA");
  c.itens[kBrantel] = [this](store::Contexto& x, Conversor& cv) {
    MTELA3(x, 3);  // the taxpayer header of a conversion, then closed
    x.janelas.FECHAJAN(console::Jan::kTela);
    rt::db::Table& lista = *store::tabela(x.areas, store::Area::DIRET);
    for (lista.goTop(); !lista.eof(); lista.skip(1))
      if (rt::text::alltrim(lista.getText("DIRETOR")) == outra.caminho()) break;
    ASSERT_FALSE(lista.eof());
    ASSERT_TRUE(store::TROCASIM(x, 1));
    cv.ROTA = x.ROTADOANO;
  };
  (void)MENUSELECT(ctx, c, kBrantel);
  EXPECT_EQ(ctx.LOCARQ, console::BAR_DIR(outra.caminho()));
  for (int r = 0; r < 25; ++r) {
    const std::string texto = con.screen().rowText(r);
    EXPECT_EQ(texto.find(outra.caminho()), std::string::npos) << r << ": " << texto;
  }
}

// The selection grid marks and unmarks every row whatever the order, and F1/F2 choose the
// name and CPF orders; its footing counts the rows.
TEST_F(Programa, SelectionGridMarksEveryRow) {
  for (const auto& [cpf, nome] : {std::pair{"98765432100", "ANA"}, {"12345678909", "CARLOS"}, {"11144477735", "BIA"}})
    linha(Area::LISNOME, {{"CPF", std::string(cpf)}, {"NOMECONTR", std::string(nome)}, {"ORIGEM", std::string("PASTA")}});
  rt::db::Table& t = *store::tabela(ctx.areas, Area::LISNOME);
  ASSERT_TRUE(t.useOrder(2).isOk());
  term.press(key::AltEquals).press(key::Esc);
  EDITA(ctx, 1);
  EXPECT_EQ(le(programa.caminho(), "LISNOME", "IMPRE"), (std::vector<std::string>{"S", "S", "S"}));
  EXPECT_TRUE(gravador.viu("Marque [S] nos nomes"));
  // Under the list: how many were found.
  EXPECT_TRUE(gravador.viuJuntos("Nro. de Declarações."_cp, "............    3"));
  term.press(key::F2).press(key::AltKeypadMinus).press(key::F1).press(key::Esc);
  EDITA(ctx, 1);
  EXPECT_EQ(le(programa.caminho(), "LISNOME", "IMPRE"), (std::vector<std::string>{"", "", ""}));
  EXPECT_EQ(t.order(), 1);
  term.press(key::AltKeypadPlus).press(key::Esc);
  EDITA(ctx, 1);
  EXPECT_EQ(le(programa.caminho(), "LISNOME", "IMPRE"), (std::vector<std::string>{"S", "S", "S"}));
}

// The statements grid checks the CPF's digits and punctuates and checks the payer; Del asks
// the converter's own question.
TEST_F(Programa, StatementsGridChecksItsDocuments) {
  ASSERT_TRUE(store::ABERTURA(ctx, Area::FOLHAPG));
  term.type("12345678900").pause().press(key::Enter);  // a wrong check digit: said, typed again
  term.type("12345678909");
  term.press(key::Right).press(key::Right).press(key::Enter).type("11222333000181").press(key::Enter);
  term.press(key::Esc);
  EDITA(ctx, 3);
  EXPECT_EQ(le(programa.caminho(), "FOLHAPG", "CPF,CNPJFONTE"), (std::vector<std::string>{"12345678909|11.222.333/0001-81"}));
  term.press(key::Del).pause().type("S").press(key::Esc);
  EDITA(ctx, 3);
  // The question ends in a blank, which widens its window by one column to the left.
  bool pergunta = false;
  for (int r = 0; r < 25; ++r) pergunta = pergunta || gravador.viuEm(r, 40, std::string("Confirma a Exclusão dessa linha? "_cp));
  EXPECT_TRUE(pergunta);
  EXPECT_TRUE(le(programa.caminho(), "FOLHAPG", "CPF").empty());
}

}  // namespace
}  // namespace converter::teste

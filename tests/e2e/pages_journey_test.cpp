// A declaration's pages printed on the real program in tmux: the "NAO DOS" printer chosen, the
// preview asked for, and menu item 51 for one taxpayer. The preview shows the pages of the
// captured file, which holds them split by form feeds.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

#include "programa_e2e.h"
#include "tmux_session.h"

namespace {

using e2e::teclas;
using e2e::TmuxSession;

class PaginasDaDeclaracao : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
    home_ = pasta_.caminho() + "/tavren";
  }
  e2e::RaizDeTeste pasta_;
  std::string home_;
};

TEST_F(PaginasDaDeclaracao, ItemFiftyOnePrintsTheDeclarationToTheCaptureAndThePreviewShowsItsPages) {
  // No CUPS in the way: the preview is left with Esc, so nothing reaches a printer.
  TmuxSession s(e2e::comandoTavren(home_, {}, "LPDEST=escritorio"), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(s.waitForText("Terminal 00", e2e::kPartida)) << s.capture();

  std::string tela;
  ASSERT_TRUE(e2e::cadastraContribuinte(s, "12345678909", tela)) << tela;

  // The "NAO DOS" model: the mark moves from the first row to the second.
  teclas(s, {"M-s", "Down", "Down", "Down", "Down", "Enter"});
  ASSERT_TRUE(s.waitForText("Impressora padr")) << s.capture();
  teclas(s, {"I", "Enter"});
  ASSERT_TRUE(s.waitForText("Selecione a impressora com [S]")) << s.capture();
  teclas(s, {"Space", "Down", "Left", "S", "Escape"});
  ASSERT_TRUE(s.waitForText("Impressora: NAO DOS")) << s.capture();
  teclas(s, {"Escape", "Escape"});

  // The "NAO DOS" choices: no list of printers, the preview, no copy by CPF.
  teclas(s, {"M-s", "Down", "Down", "Down", "Down", "Down", "Enter"});
  ASSERT_TRUE(s.waitForText("Mostre antes de imprimir as Impressoras")) << s.capture();
  teclas(s, {"N"});
  ASSERT_TRUE(s.waitForText("Mostre antes de imprimir no video")) << s.capture();
  teclas(s, {"S"});
  ASSERT_TRUE(s.waitForText("Crie uma copia do arquivo TXT")) << s.capture();
  teclas(s, {"N"});

  // Item 51: the CPF fills its field and the job starts; the preview opens on page 1.
  teclas(s, {"M-i", "Enter"});
  ASSERT_TRUE(s.waitForText("Pasta atual")) << s.capture();
  s.text("12345678909");
  ASSERT_TRUE(s.waitForText("Página 1/")) << s.capture();
  EXPECT_TRUE(s.waitForText("IDENTIFICACAO DO CONTRIBUINTE")) << s.capture();
  EXPECT_TRUE(s.waitForText("CPF:  123.456.789-09")) << s.capture();
  teclas(s, {"PageDown"});
  EXPECT_TRUE(s.waitForText("Página 2/")) << s.capture();
  EXPECT_TRUE(s.waitForText("DECLARACAO DE AJUSTE ANUAL")) << s.capture();
  teclas(s, {"Escape"});

  std::ifstream in(home_ + "/NAO-DOS.TXT", std::ios::binary);
  ASSERT_TRUE(in) << s.capture();
  std::stringstream bytes;
  bytes << in.rdbuf();
  const std::string fluxo = bytes.str();
  EXPECT_NE(fluxo.find("IDENTIFICACAO DO CONTRIBUINTE"), std::string::npos);
  EXPECT_NE(fluxo.find("RESUMO"), std::string::npos) << "the summary sheet";
  EXPECT_GE(std::count(fluxo.begin(), fluxo.end(), '\f'), 4) << "one page a sheet at least";
}

}  // namespace

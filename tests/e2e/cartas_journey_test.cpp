// Letters as an office writes and prints them, on the real program in tmux: item 53 opens the
// editor, "Novo" names a letter, the merge field «Nome» is inserted from the field list, the
// letter is saved and the editor left; then item 51 with the personal letter prints it merged
// for the taxpayer into the printer's file.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "programa_e2e.h"
#include "rt/db/table.h"
#include "tmux_session.h"

namespace {

using e2e::teclas;
using e2e::TmuxSession;
using namespace std::chrono_literals;

class JornadaCartas : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
  }
  std::string home() const { return pasta_.caminho() + "/tavren"; }
  std::string le(const std::string& nome) const {
    std::ifstream f(home() + "/" + nome, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
  }
  e2e::RaizDeTeste pasta_;
};

TEST_F(JornadaCartas, WriteALetterWithTheNameFieldAndPrintItMerged) {
  TmuxSession s(e2e::comandoTavren(home(), "00", {}, 180), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(s.waitForText("Terminal 00", 30s)) << s.capture();
  std::string tela;
  ASSERT_TRUE(e2e::cadastraContribuinte(s, "12345678909", tela)) << tela;
  ASSERT_TRUE(e2e::impressoraEmArquivo(s, "lista", tela)) << tela;
  // The taxpayer's name, given beside the terminal under the row's lock.
  {
    auto r = rt::db::Table::open(home() + "/DADOS2010/IMP0910.DBF");
    ASSERT_TRUE(r);
    ASSERT_TRUE((*r)->goTop());
    ASSERT_TRUE((*r)->lockRecord());
    ASSERT_TRUE((*r)->put("NOMECONTR", std::string("ANA DE SOUZA")));
    ASSERT_TRUE((*r)->commit());
  }

  // Item 53: the editor on a new letter.
  teclas(s, {"M-i", "Down", "Down", "Enter"});
  ASSERT_TRUE(s.waitForText("F10 Menu", 10s)) << s.capture();
  EXPECT_TRUE(s.waitForText("Arquivo: semnome.txt")) << s.capture();
  teclas(s, {"F10"});
  ASSERT_TRUE(s.waitForText("salvar Como")) << s.capture();
  teclas(s, {"Enter", "N"});
  ASSERT_TRUE(s.waitForText("Nome da Carta:")) << s.capture();
  s.text("aviso");
  teclas(s, {"Enter"});
  ASSERT_TRUE(s.waitForText("Arquivo: AVISO.TXT")) << s.capture();
  s.text("Prezado");
  teclas(s, {"Enter"});
  teclas(s, {"M-e", "I"});
  ASSERT_TRUE(s.waitForText("Informe o n")) << s.capture();
  s.text("2");
  teclas(s, {"Enter", "M-a", "S"});
  ASSERT_TRUE(s.waitForText("Gravação OK")) << s.capture();
  teclas(s, {"M-a", "R"});
  ASSERT_TRUE(s.waitForText("Sair do Editor")) << s.capture();
  teclas(s, {"S"});
  ASSERT_TRUE(s.waitForText("Terminal 00", 10s)) << s.capture();
  EXPECT_EQ(le("AVISO.TXT"), "\xB2\xB3  0  0 8066 0 0\xB3\xB2Prezado\r\n \xAENome\xAF \x1A");

  // What to print: the personal letter; then item 51 for the taxpayer.
  teclas(s, {"M-s", "Enter"});
  ASSERT_TRUE(s.waitForText("carta Personalizad")) << s.capture();
  teclas(s, {"Down", "Down", "Down", "Down", "Down", "Down", "Down", "Enter"});
  teclas(s, {"M-s"});
  ASSERT_TRUE(s.waitForText("1-carta Personalizada")) << s.capture();
  teclas(s, {"Escape"});
  teclas(s, {"M-i", "Enter"});
  ASSERT_TRUE(s.waitForText("Pasta atual", 10s)) << s.capture();
  s.text("12345678909");
  ASSERT_TRUE(s.waitForText("Nome da Carta:", 10s)) << s.capture();
  s.text("aviso");
  teclas(s, {"Enter"});
  std::string texto;
  for (int i = 0; i < 100 && texto.find("Prezado") == std::string::npos; ++i) {
    std::this_thread::sleep_for(100ms);
    texto = le("LISTA.TXT");
  }
  EXPECT_NE(texto.find("Prezado\r\n ANA DE SOUZA\f"), std::string::npos) << texto << s.capture();
  EXPECT_EQ(texto.find('\xAE'), std::string::npos) << "the field was merged";
}

}  // namespace

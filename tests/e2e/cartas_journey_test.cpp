// Letters as an office writes and prints them, on the real program in tmux: item 53 opens the
// editor, "Novo" names a letter, the merge field «Nome» is inserted from the field list, the
// letter is saved and the editor left; then item 51 with the personal letter prints it merged
// for the taxpayer into the printer's file. Esc after typing asks before leaving and keeps
// the text; "salvar Como" onto an existing letter asks before replacing it.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "programa_e2e.h"
#include "rt/db/table.h"
#include "tmux_session.h"

namespace {

using e2e::teclas;
using e2e::TmuxSession;

class JornadaCartas : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
  }
  std::string home() const { return pasta_.caminho() + "/tavren"; }
  std::string le(const std::string& nome) const { return e2e::leArquivo(home() + "/" + nome); }
  // The program started on terminal 00 with the editor (item 53) open on a new letter.
  bool abreEditor(TmuxSession& s) {
    if (!s.started() || !s.waitForText("Terminal 00", e2e::kPartida)) return false;
    teclas(s, {"M-i", "Down", "Down", "Enter"});
    return s.waitForText("F10 Menu") && s.waitForText("Arquivo: semnome.txt");
  }
  e2e::RaizDeTeste pasta_;
};

TEST_F(JornadaCartas, WriteALetterWithTheNameFieldAndPrintItMerged) {
  TmuxSession s(e2e::comandoTavren(home(), "00", {}, 300), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(s.waitForText("Terminal 00", e2e::kPartida)) << s.capture();
  std::string tela;
  ASSERT_TRUE(e2e::cadastraContribuinte(s, "12345678909", tela)) << tela;
  ASSERT_TRUE(e2e::impressoraEmArquivo(s, "lista", tela)) << tela;
  // The taxpayer's name, given beside the terminal under the row's lock.
  {
    auto r = rt::db::Table::open(home() + "/DADOS2010/IMP0910.DBF");
    ASSERT_TRUE(r);
    (*r)->goTop();
    ASSERT_TRUE((*r)->status());
    ASSERT_TRUE((*r)->lockRecord());
    ASSERT_TRUE((*r)->put("NOMECONTR", std::string("ANA DE SOUZA")));
    ASSERT_TRUE((*r)->commit());
  }

  // Item 53: the editor on a new letter.
  teclas(s, {"M-i", "Down", "Down", "Enter"});
  ASSERT_TRUE(s.waitForText("F10 Menu")) << s.capture();
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
  ASSERT_TRUE(s.waitForText("Terminal 00")) << s.capture();
  EXPECT_EQ(le("AVISO.TXT"), "\xB2\xB3  0  0 8066 0 0\xB3\xB2Prezado\r\n \xAENome\xAF \x1A");

  // What to print: the personal letter; then item 51 for the taxpayer.
  teclas(s, {"M-s", "Enter"});
  ASSERT_TRUE(s.waitForText("carta Personalizad")) << s.capture();
  teclas(s, {"Down", "Down", "Down", "Down", "Down", "Down", "Down", "Enter"});
  teclas(s, {"M-s"});
  ASSERT_TRUE(s.waitForText("1-carta Personalizada")) << s.capture();
  teclas(s, {"Escape"});
  teclas(s, {"M-i", "Enter"});
  ASSERT_TRUE(s.waitForText("Pasta atual")) << s.capture();
  s.text("12345678909");
  ASSERT_TRUE(s.waitForText("Nome da Carta:")) << s.capture();
  s.text("aviso");
  teclas(s, {"Enter"});
  std::string texto;
  (void)e2e::ate([&] { return (texto = le("LISTA.TXT")).find("Prezado") != std::string::npos; });
  EXPECT_NE(texto.find("Prezado\r\n ANA DE SOUZA\f"), std::string::npos) << texto << s.capture();
  EXPECT_EQ(texto.find('\xAE'), std::string::npos) << "the field was merged";
}

// Two lines typed, then Esc: the leaving question comes and "Nao" goes on with both lines;
// more typing, Esc, "Sim" and the save question's "Sim" write the letter and leave.
TEST_F(JornadaCartas, EscAfterTypingAsksAndKeepsTheText) {
  TmuxSession s(e2e::comandoTavren(home(), "00", {}, 300), 80, 25);
  ASSERT_TRUE(abreEditor(s)) << s.capture();
  e2e::digita(s, "Linha um");
  teclas(s, {"Enter"});
  e2e::digita(s, "Linha dois");
  teclas(s, {"Escape"});
  ASSERT_TRUE(s.waitForText("Sair do Editor")) << s.capture();
  teclas(s, {"N"});
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("Sair do Editor") == std::string::npos; }))
      << s.capture();
  EXPECT_NE(s.capture().find("Linha dois"), std::string::npos) << "the text typed is still there: " << s.capture();
  e2e::digita(s, " e tres");
  teclas(s, {"Escape"});
  ASSERT_TRUE(s.waitForText("Sair do Editor")) << s.capture();
  teclas(s, {"S"});
  ASSERT_TRUE(s.waitForText("O arquivo semnome.txt foi modificado. Gravar?")) << s.capture();
  teclas(s, {"S"});
  ASSERT_TRUE(s.waitForText("Terminal 00")) << s.capture();
  EXPECT_EQ(le("SEMNOME.TXT"), "Linha um\r\nLinha dois e tres\x1A");
}

// "salvar Como" with the name of another letter: the question comes; "Nao" leaves that letter
// as it was and shows the menu again; asked again, "Sim" replaces it.
TEST_F(JornadaCartas, SaveAsOntoAnExistingLetterAsksFirst) {
  const std::string antiga = "\xB2\xB3  5  0 70 60 2 2\xB3\xB2" "Carta antiga\x1A";
  TmuxSession s(e2e::comandoTavren(home(), "00", {}, 300), 80, 25);
  ASSERT_TRUE(s.started() && s.waitForText("Terminal 00", e2e::kPartida)) << s.capture();
  // Another letter of the office, with its own page format, in the letters' folder.
  std::ofstream(home() + "/AVISO.TXT", std::ios::binary) << antiga;
  ASSERT_TRUE(abreEditor(s)) << s.capture();
  e2e::digita(s, "Carta nova");
  teclas(s, {"M-a", "C"});
  ASSERT_TRUE(s.waitForText("Nome da Carta:")) << s.capture();
  s.text("aviso");
  teclas(s, {"Enter"});
  ASSERT_TRUE(s.waitForText("O arquivo AVISO.TXT já existe. Substituir?")) << s.capture();
  teclas(s, {"N"});
  ASSERT_TRUE(s.waitForText("salvar Como")) << "the menu again: " << s.capture();
  EXPECT_EQ(le("AVISO.TXT"), antiga);
  teclas(s, {"C"});
  ASSERT_TRUE(s.waitForText("Nome da Carta:")) << s.capture();
  s.text("aviso");
  teclas(s, {"Enter"});
  ASSERT_TRUE(s.waitForText("Substituir?")) << s.capture();
  teclas(s, {"S"});
  ASSERT_TRUE(s.waitForText("Gravação OK")) << s.capture();
  EXPECT_EQ(le("AVISO.TXT"), "Carta nova\x1A");
  EXPECT_TRUE(s.waitForText("Arquivo: AVISO.TXT")) << s.capture();
}

}  // namespace

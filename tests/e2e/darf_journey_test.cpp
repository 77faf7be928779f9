// A DARF slip on the real program in tmux: the printer set to a file, "Darfes" chosen in the
// print menu, item 51 for one taxpayer reaches the slip dialog, and a free slip typed there
// (its own code, principal, text line and interest rate) is printed into the file as confirmed.
#include <gtest/gtest.h>

#include <string>

#include "programa_e2e.h"
#include "tmux_session.h"

namespace {

using e2e::teclas;
using e2e::TmuxSession;

class JornadaDarf : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
  }
  std::string home() const { return pasta_.caminho() + "/tavren"; }
  e2e::RaizDeTeste pasta_;
};

TEST_F(JornadaDarf, FreeSlipFromTheDialogIsPrintedToTheFile) {
  TmuxSession s(e2e::comandoTavren(home(), "00", {}, 300), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(s.waitForText("Terminal 00", e2e::kPartida)) << s.capture();
  std::string tela;
  ASSERT_TRUE(e2e::cadastraContribuinte(s, "12345678909", tela)) << tela;

  // The printer: no port, the output file LISTA.TXT of the work folder.
  ASSERT_TRUE(e2e::impressoraEmArquivo(s, "lista", tela)) << tela;

  // What to print: the slips.
  teclas(s, {"M-s", "Enter"});
  ASSERT_TRUE(s.waitForText("Darfes")) << s.capture();
  teclas(s, {"Down", "Down", "Down", "Down", "Enter"});
  teclas(s, {"M-s"});
  ASSERT_TRUE(s.waitForText("1-Darfes")) << s.capture();
  teclas(s, {"Escape"});

  // Item 51 for the taxpayer: the dialog's code menu, then the free slip.
  teclas(s, {"M-i", "Enter"});
  ASSERT_TRUE(s.waitForText("Pasta atual")) << s.capture();
  s.text("12345678909");
  ASSERT_TRUE(s.waitForText("Código do DARF")) << s.capture();
  teclas(s, {"Down", "Down", "Down", "Down", "Down", "Enter"});
  ASSERT_TRUE(s.waitForText("06-Data de Vencimento 01/01/2009")) << s.capture();
  s.text("29012010");  // due date
  s.text("29012010");  // paid on it: not late
  teclas(s, {"Enter"});  // the period kept
  s.text("1234");        // revenue code
  s.text("1234,56");     // principal
  s.text("SLIP DE TESTE");
  teclas(s, {"Enter", "Enter", "Enter", "Enter", "Enter"});  // text lines
  s.text("2");  // interest rate typed
  teclas(s, {"Enter"});
  ASSERT_TRUE(s.waitForText("Confirma a altera")) << s.capture();
  EXPECT_TRUE(s.waitForText("1.259,25")) << s.capture();  // 1,234.56 + 2% cut to 24.69
  teclas(s, {"S"});
  ASSERT_TRUE(s.waitForText("Outro tipo de DARF?")) << s.capture();
  teclas(s, {"N"});  // the job ends, its file closed

  const std::string arquivo = home() + "/LISTA.TXT";
  std::string texto;
  (void)e2e::ate([&] { return (texto = e2e::leArquivo(arquivo)).find("1.259,25") != std::string::npos; });
  EXPECT_NE(texto.find("04-Codigo da receita"), std::string::npos) << texto;
  EXPECT_NE(texto.find("1234"), std::string::npos) << texto;
  EXPECT_NE(texto.find("123.456.789-09"), std::string::npos) << texto;
  EXPECT_NE(texto.find("1.234,56"), std::string::npos) << texto;
  EXPECT_NE(texto.find("24,69"), std::string::npos) << texto;
  EXPECT_NE(texto.find("1.259,25"), std::string::npos) << texto;
  EXPECT_NE(texto.find("Valido p/ pagamento ate 29/01/2010"), std::string::npos) << texto;
}

}  // namespace

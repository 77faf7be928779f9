// Loose ends of the declaration screens on the real program in tmux: Alt+A on screen 2's
// monthly matrix cycles the four modes of the carnê-leão and the mode's title follows each
// one, also once the mode's notice has been closed.
#include <gtest/gtest.h>

#include <string>

#include "programa_e2e.h"
#include "tmux_session.h"

namespace {

using e2e::TmuxSession;

class PontasDasTelas : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
  }
  // Whether row 4 of the screen (the matrix's window, its fourth line) ends with the title.
  static bool titulo(const std::string& tela, const std::string& modo) {
    return e2e::linha(tela, 4).find(modo + "│") != std::string::npos;
  }
  // Declaração from the menu, the CPF typed; a new taxpayer is registered.
  static void abre(TmuxSession& s, bool novo) {
    ASSERT_TRUE(s.waitForText("Sair", e2e::kPartida)) << s.capture();
    e2e::teclas(s, {"Enter", "Enter"});
    ASSERT_TRUE(s.waitForText("C P F")) << s.capture();
    s.text("12345678909");
    if (novo) {
      ASSERT_TRUE(s.waitForText("Esse Contribuinte")) << s.capture();
      s.keys({"S"});
    }
  }
  // Whether a window is open over the months (rows 5 on).
  static bool aviso(const std::string& tela) {
    for (std::size_t n = 5; n < 25; ++n)
      if (e2e::linha(tela, n).find("┌") != std::string::npos) return true;
    return false;
  }
  e2e::RaizDeTeste raiz;
};

TEST_F(PontasDasTelas, AltACyclesTheModesAndTheTitleFollows) {
  TmuxSession s(e2e::comandoTavren(raiz.caminho() + "/tavren", "00"), 80, 25);
  ASSERT_TRUE(s.started());
  abre(s, true);
  ASSERT_TRUE(s.waitForText("IDENTIFICAÇÃO DO CONTRIBUINTE")) << s.capture();
  s.keys({"F1"});
  ASSERT_TRUE(s.waitForText("(1)RENDIMENTOS TRIBUTAVEIS")) << s.capture();
  s.keys({"Tab"});  // no dependants: straight into the taxpayer's months
  ASSERT_TRUE(s.waitForText("ALT A Troca")) << s.capture();
  ASSERT_TRUE(s.waitFor([&](const std::string& t) { return titulo(t, "1)INDIVIDUAL  "); })) << s.capture();

  for (const std::string modo : {"2)SO OS TOTAIS", "3)LIVRO CAIXA ", "4)CALC.INVERSO", "1)INDIVIDUAL  "}) {
    s.keys({"M-a"});
    EXPECT_TRUE(s.waitFor([&](const std::string& t) { return titulo(t, modo); })) << modo << "\n" << s.capture();
    // A mode's notice over the months is closed with a key; the title stays. The notice is
    // shown with the title, once the screen holds still.
    if (aviso(e2e::telaParada(s))) {
      s.keys({"Enter"});
      ASSERT_TRUE(s.waitFor([](const std::string& t) { return !aviso(t); })) << s.capture();
    }
    EXPECT_TRUE(titulo(s.capture(), modo)) << modo << "\n" << s.capture();
  }
}

}  // namespace

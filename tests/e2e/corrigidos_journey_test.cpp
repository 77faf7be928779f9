// The corrected refund and quota list on the real program in tmux: F5 at the taxpayer prompt
// builds the list for the data folder and shows it in its grid; today is long past the end of
// the shipped interest table, so the status line warns that the interest is incomplete; Esc
// goes back to the prompt.
#include <gtest/gtest.h>

#include <string>

#include "programa_e2e.h"
#include "tmux_session.h"

namespace {

using e2e::teclas;
using e2e::TmuxSession;

class JornadaCorrigidos : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
  }
  e2e::RaizDeTeste pasta_;
};

TEST_F(JornadaCorrigidos, F5ShowsTheCorrectedListAndWarnsPastTheInterestTable) {
  TmuxSession s(e2e::comandoTavren(pasta_.caminho() + "/tavren", "00"), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(s.waitForText("Terminal 00", e2e::kPartida)) << s.capture();
  teclas(s, {"M-l", "Enter"});
  ASSERT_TRUE(s.waitForText("Pasta atual")) << s.capture();
  ASSERT_TRUE(s.waitForText("F5 Cor.IR")) << s.capture();
  teclas(s, {"F5"});
  ASSERT_TRUE(s.waitForText("Corrigido")) << s.capture();
  EXPECT_TRUE(s.waitForText("Atenção! A tabela de juros termina antes do mês atual")) << s.capture();
  teclas(s, {"Escape"});
  EXPECT_TRUE(s.waitFor([](const std::string& t) { return t.find("Corrigido") == std::string::npos; }))
      << s.capture();
  EXPECT_TRUE(s.waitForText("Pasta atual")) << s.capture();
}

}  // namespace

// The corrected refund and quota list on the real program in tmux: F5 at the taxpayer prompt
// builds the list for the data folder and shows it in its grid; today is long past the end of
// the shipped interest table, so the status line warns that the interest is incomplete; Esc
// goes back to the prompt.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "programa_e2e.h"
#include "tmux_session.h"

namespace {

using e2e::TmuxSession;
using namespace std::chrono_literals;

class JornadaCorrigidos : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
  }
  static void teclas(TmuxSession& s, const std::vector<std::string>& k) {
    for (const std::string& x : k) {
      s.keys({x});
      std::this_thread::sleep_for(150ms);
    }
  }
  e2e::RaizDeTeste pasta_;
};

TEST_F(JornadaCorrigidos, F5ShowsTheCorrectedListAndWarnsPastTheInterestTable) {
  TmuxSession s(e2e::comandoTavren(pasta_.caminho() + "/tavren", "00"), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(s.waitForText("Terminal 00", 15s)) << s.capture();
  teclas(s, {"M-l", "Enter"});
  ASSERT_TRUE(s.waitForText("Pasta atual", 10s)) << s.capture();
  ASSERT_TRUE(s.waitForText("F5 Cor.IR")) << s.capture();
  teclas(s, {"F5"});
  ASSERT_TRUE(s.waitForText("Corrigido", 10s)) << s.capture();
  EXPECT_TRUE(s.waitForText("Atenção! A tabela de juros termina antes do mês atual")) << s.capture();
  teclas(s, {"Escape"});
  EXPECT_TRUE(s.waitFor([](const std::string& t) { return t.find("Corrigido") == std::string::npos; }))
      << s.capture();
  EXPECT_TRUE(s.waitForText("Pasta atual")) << s.capture();
}

}  // namespace

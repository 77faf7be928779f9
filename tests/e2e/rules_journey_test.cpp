// The field rules of the identification and the balance screen on the real program in tmux:
// the taxpayer's own CPF refused as the spouse's, a receipt number with wrong check digits
// refused and ten digits completed, and screen 10 with its receipts and expenses.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "programa_e2e.h"
#include "tmux_session.h"

namespace {

using e2e::TmuxSession;

class JornadaRegras : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
  }
  void teclas(const std::vector<std::string>& k) { e2e::teclas(*s_, k); }
  e2e::RaizDeTeste pasta_;
  std::unique_ptr<TmuxSession> s_;
};

TEST_F(JornadaRegras, IdentificationRulesAndTheBalance) {
  s_ = std::make_unique<TmuxSession>(e2e::comandoTavren(pasta_.caminho() + "/tavren", "00"), 80, 25);
  TmuxSession& s = *s_;
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(s.waitForText("Terminal 00", e2e::kPartida)) << s.capture();
  teclas({"M-l", "Enter"});
  ASSERT_TRUE(s.waitForText("Pasta atual")) << s.capture();
  s.text("12345678909");
  ASSERT_TRUE(s.waitForText("Esse Contribuinte")) << s.capture();
  teclas({"S"});
  ASSERT_TRUE(s.waitForText("IDENTIFICAÇÃO DO CONTRIBUINTE")) << s.capture();

  teclas({"N"});
  s.text("fulano");
  teclas({"Enter", "Enter", "Enter"});  // name, birth date, voter's title
  s.text("12345678909");                // his own CPF as the spouse's
  ASSERT_TRUE(s.waitForText("O CPF do cônjuge não pode ser o do próprio contribuinte.")) << s.capture();
  // The alert closed, the field emptied (Home shows nothing when the cursor is there already).
  teclas({"Enter"});
  s.keys({"Home"});
  teclas({"C-y", "Enter", "Enter", "Enter"});  // empty; joint; rectifying
  s.text("123456789000");
  ASSERT_TRUE(s.waitForText("Numero do recibo invalido")) << s.capture();
  teclas({"Enter"});
  s.keys({"Home"});
  teclas({"C-y"});
  s.text("1234567890");
  teclas({"Enter"});
  ASSERT_TRUE(s.waitForText("1234567890-91")) << s.capture();

  teclas({"F10"});
  ASSERT_TRUE(s.waitForText(" R E C E I T A S")) << s.capture();
  EXPECT_TRUE(s.waitForText("Total das receitas")) << s.capture();
  EXPECT_TRUE(s.waitForText("Deficit de")) << s.capture();
  teclas({"Escape"});
  ASSERT_TRUE(s.waitForText("Termina  a  Declaração ?")) << s.capture();
  teclas({"S"});
  ASSERT_TRUE(s.waitForText("Pasta atual")) << s.capture();
}

}  // namespace

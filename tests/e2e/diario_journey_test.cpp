// The entry journal on the real program in tmux: menu item 12 for a registered taxpayer, an
// account added to the chart, an entry of the carnê-leão's social security typed from March
// to a thirteenth month, transferred, seen in the entries grid, and found in the payers'
// table month by month up to December.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "programa_e2e.h"
#include "rt/db/table.h"
#include "rt/text/decimal.h"
#include "rt/text/strings.h"
#include "tmux_session.h"

namespace {

using e2e::TmuxSession;
using namespace std::chrono_literals;

class JornadaDiario : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
  }
  e2e::RaizDeTeste pasta_;
  std::unique_ptr<TmuxSession> s_;
};

TEST_F(JornadaDiario, AnAccountAnEntryAndItsTransfer) {
  const std::string programa = pasta_.caminho() + "/tavren";
  s_ = std::make_unique<TmuxSession>(e2e::comandoTavren(programa, "00"), 80, 25);
  TmuxSession& s = *s_;
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(s.waitForText("Terminal 00", 15s)) << s.capture();
  std::string tela;
  ASSERT_TRUE(e2e::cadastraContribuinte(s, "12345678909", tela)) << tela;

  e2e::teclas(s, {"M-l", "l"});
  ASSERT_TRUE(s.waitForText("Pasta atual", 10s)) << s.capture();
  s.text("12345678909");
  ASSERT_TRUE(s.waitForText("Visualizar", 10s)) << s.capture();
  ASSERT_TRUE(s.waitForText("Faz os lançamentos dos dados")) << s.capture();

  // The chart: account 2.004, the carnê-leão's social security (page 2, line 4), by month.
  e2e::teclas(s, {"a"});
  ASSERT_TRUE(s.waitForText("Altera ou cria novo plano de contas")) << s.capture();
  s.text("2004");
  s.text("INSS carne leao");
  e2e::teclas(s, {"Enter", "S", "2", "Enter", "4", "Enter", "N", "N", "S", "Escape"});
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("Cnpj?") == std::string::npos; }, 10s))
      << s.capture();

  e2e::teclas(s, {"l"});
  ASSERT_TRUE(s.waitForText("Desc./Nome")) << s.capture();
  s.text("2004");
  ASSERT_TRUE(s.waitForText("Conta INSS carne leao")) << s.capture();
  s.text("150");
  e2e::teclas(s, {"Enter", "3", "Enter"});
  s.text("13");
  ASSERT_TRUE(s.waitForText("Confirma ?")) << s.capture();
  e2e::teclas(s, {"S", "Escape"});
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("Desc./Nome") == std::string::npos; }, 10s))
      << s.capture();

  e2e::teclas(s, {"t"});
  ASSERT_TRUE(s.waitForText("1 lançamento(s) transferido(s).")) << s.capture();
  e2e::teclas(s, {"Enter", "v"});
  ASSERT_TRUE(s.waitForText("Visualiza os lançamentos feitos")) << s.capture();
  EXPECT_TRUE(s.waitForText("150,00")) << s.capture();
  e2e::teclas(s, {"Escape", "Escape"});
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("Visualizar") == std::string::npos; }, 10s))
      << s.capture();

  auto t = rt::db::Table::open(programa + "/DADOS2010/IMP0210.DBF");
  ASSERT_TRUE(t) << t.status().message();
  int linhas = 0;
  for (bool ok = (*t)->goTop().isOk(); ok && !(*t)->eof(); ok = (*t)->skip().isOk()) {
    if ((*t)->isDeleted() || rt::text::trim((*t)->getText("I1_2")) != "Carne do INSS") continue;
    ++linhas;
    EXPECT_EQ((*t)->getText("I1_1"), "P");
    EXPECT_EQ((*t)->getNumber("I1_402"), rt::text::Decimal());
    EXPECT_EQ((*t)->getNumber("I1_412"), rt::text::Decimal::fromInt(150));
    EXPECT_EQ((*t)->getNumber("I1_4"), rt::text::Decimal::fromInt(1500));
  }
  EXPECT_EQ(linhas, 1);
}

}  // namespace

// The entry journal on the real program in tmux: menu item 12 for a registered taxpayer, an
// account added to the chart, an entry of the carnê-leão's social security typed from March
// to a thirteenth month, transferred, seen in the entries grid, and found in the payers'
// table month by month up to December. Two terminals in one taxpayer's journal: the second is
// sent away while the first is in it, and every entry typed by either is kept.
#include <gtest/gtest.h>

#include <algorithm>
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
  ASSERT_TRUE(s.waitForText("Terminal 00", e2e::kPartida)) << s.capture();
  std::string tela;
  ASSERT_TRUE(e2e::cadastraContribuinte(s, "12345678909", tela)) << tela;

  e2e::teclas(s, {"M-l", "l"});
  ASSERT_TRUE(s.waitForText("Pasta atual")) << s.capture();
  s.text("12345678909");
  ASSERT_TRUE(s.waitForText("Visualizar")) << s.capture();
  ASSERT_TRUE(s.waitForText("Faz os lançamentos dos dados")) << s.capture();

  // The chart: account 2.004, the carnê-leão's social security (page 2, line 4), by month.
  e2e::teclas(s, {"a"});
  ASSERT_TRUE(s.waitForText("Altera ou cria novo plano de contas")) << s.capture();
  s.text("2004");
  s.text("INSS carne leao");
  e2e::teclas(s, {"Enter", "S", "2", "Enter", "4", "Enter", "N", "N", "S", "Escape"});
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("Cnpj?") == std::string::npos; }))
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
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("Desc./Nome") == std::string::npos; }))
      << s.capture();

  e2e::teclas(s, {"t"});
  ASSERT_TRUE(s.waitForText("1 lançamento(s) transferido(s).")) << s.capture();
  e2e::teclas(s, {"Enter", "v"});
  ASSERT_TRUE(s.waitForText("Visualiza os lançamentos feitos")) << s.capture();
  EXPECT_TRUE(s.waitForText("150,00")) << s.capture();
  e2e::teclas(s, {"Escape", "Escape"});
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("Visualizar") == std::string::npos; }))
      << s.capture();

  auto t = rt::db::Table::open(programa + "/DADOS2010/IMP0210.DBF");
  ASSERT_TRUE(t) << t.status().message();
  int linhas = 0;
  for ((*t)->goTop(); (*t)->status() && !(*t)->eof(); (*t)->skip()) {
    if ((*t)->isDeleted() || rt::text::trim((*t)->getText("I1_2")) != "Carne do INSS") continue;
    ++linhas;
    EXPECT_EQ((*t)->getText("I1_1"), "P");
    EXPECT_EQ((*t)->getNumber("I1_402"), rt::text::Decimal());
    EXPECT_EQ((*t)->getNumber("I1_412"), rt::text::Decimal::fromInt(150));
    EXPECT_EQ((*t)->getNumber("I1_4"), rt::text::Decimal::fromInt(1500));
  }
  EXPECT_EQ(linhas, 1);
}

// Terminal 00 in a taxpayer's journal types an entry; terminal 01 asking for the same journal
// is told 00 has it and stays out; once 00 has left, 01 types its own. Both entries are in
// the entries' table.
TEST_F(JornadaDiario, TwoTerminalsInOneJournalKeepEveryEntry) {
  const std::string programa = pasta_.caminho() + "/tavren";
  s_ = std::make_unique<TmuxSession>(e2e::comandoTavren(programa, "00"), 80, 25);
  TmuxSession& a = *s_;
  ASSERT_TRUE(a.started());
  ASSERT_TRUE(a.waitForText("Terminal 00", e2e::kPartida)) << a.capture();
  std::string tela;
  ASSERT_TRUE(e2e::cadastraContribuinte(a, "12345678909", tela)) << tela;
  TmuxSession b(e2e::comandoTavren(programa, "01"), 80, 25);
  ASSERT_TRUE(b.started());
  ASSERT_TRUE(b.waitForText("Terminal 01", e2e::kPartida)) << b.capture();

  const auto abreDiario = [](TmuxSession& s) {
    e2e::teclas(s, {"M-l", "l"});
    EXPECT_TRUE(s.waitForText("Pasta atual")) << s.capture();
    s.text("12345678909");
  };
  // The carnê-leão's social security from March to the thirteenth month.
  const auto lanca = [](TmuxSession& s, const std::string& valor) {
    e2e::teclas(s, {"l"});
    EXPECT_TRUE(s.waitForText("Desc./Nome")) << s.capture();
    s.text("2004");
    EXPECT_TRUE(s.waitForText("Conta INSS carne leao")) << s.capture();
    s.text(valor);
    e2e::teclas(s, {"Enter", "3", "Enter"});
    s.text("13");
    EXPECT_TRUE(s.waitForText("Confirma ?")) << s.capture();
    e2e::teclas(s, {"S", "Escape"});
    EXPECT_TRUE(
        s.waitFor([](const std::string& t) { return t.find("Desc./Nome") == std::string::npos; }))
        << s.capture();
  };
  const auto sai = [](TmuxSession& s) { EXPECT_TRUE(e2e::escAte(s, "Visualizar", 2)) << s.capture(); };

  abreDiario(a);
  ASSERT_TRUE(a.waitForText("Faz os lançamentos dos dados")) << a.capture();
  e2e::teclas(a, {"a"});
  ASSERT_TRUE(a.waitForText("Altera ou cria novo plano de contas")) << a.capture();
  a.text("2004");
  a.text("INSS carne leao");
  e2e::teclas(a, {"Enter", "S", "2", "Enter", "4", "Enter", "N", "N", "S", "Escape"});
  ASSERT_TRUE(a.waitFor([](const std::string& t) { return t.find("Cnpj?") == std::string::npos; }))
      << a.capture();
  lanca(a, "150");

  abreDiario(b);
  ASSERT_TRUE(b.waitForText("Lançamentos em uso no terminal 00")) << b.capture();
  e2e::teclas(b, {"Enter"});
  ASSERT_TRUE(
      b.waitFor([](const std::string& t) { return t.find("em uso no terminal") == std::string::npos; }))
      << b.capture();
  EXPECT_EQ(b.capture().find("Faz os lançamentos dos dados"), std::string::npos) << b.capture();

  sai(a);
  abreDiario(b);
  ASSERT_TRUE(b.waitForText("Faz os lançamentos dos dados")) << b.capture();
  lanca(b, "275");
  sai(b);

  auto t = rt::db::Table::open(programa + "/DADOS2010/IMP1310.DBF");
  ASSERT_TRUE(t) << t.status().message();
  std::vector<rt::text::Decimal> valores;
  for ((*t)->goTop(); (*t)->status() && !(*t)->eof(); (*t)->skip())
    if (!(*t)->isDeleted()) valores.push_back((*t)->getNumber("VALODESP"));
  std::sort(valores.begin(), valores.end());
  EXPECT_EQ(valores, (std::vector<rt::text::Decimal>{rt::text::Decimal::fromInt(150),
                                                     rt::text::Decimal::fromInt(275)}));
}

}  // namespace

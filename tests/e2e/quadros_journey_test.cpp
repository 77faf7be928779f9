// The rural months on the real program in tmux, as a clerk types them by their names: each
// month's receipts stand on the row of its name, the year's beside " TOTAIS ", and what was
// typed beside "Fevereiro" is stored as February's.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "programa_e2e.h"
#include "rt/db/table.h"
#include "rt/text/decimal.h"
#include "tmux_session.h"

namespace {

using e2e::TmuxSession;
using namespace std::chrono_literals;

// The row of a captured screen holding a text ("" when none does).
std::string linhaCom(const std::string& tela, const std::string& texto) {
  for (std::size_t n = 0;; ++n) {
    const std::string l = e2e::linha(tela, n);
    if (l.empty() && n > 30) return {};
    if (l.find(texto) != std::string::npos) return l;
  }
}

TEST(JornadaQuadros, TheRuralMonthsAreTypedBesideTheirNames) {
  if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
  e2e::RaizDeTeste raiz;
  const std::string home = raiz.caminho() + "/tavren";
  TmuxSession s(e2e::comandoTavren(home, "00"), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(s.waitForText("Sair", 30s)) << s.capture();
  s.keys({"Enter", "Enter"});
  ASSERT_TRUE(s.waitForText("C P F")) << s.capture();
  s.text("12345678909");
  ASSERT_TRUE(s.waitForText("Esse Contribuinte")) << s.capture();
  s.keys({"S"});
  ASSERT_TRUE(s.waitForText("IDENTIFICAÇÃO DO CONTRIBUINTE")) << s.capture();
  s.keys({"S"});  // rural activity
  ASSERT_TRUE(s.waitForText("Atividade Rural? S")) << s.capture();
  s.keys({"F12"});
  ASSERT_TRUE(s.waitForText("(1) IDENTIFICAÇÃO DA ATIVIDADE")) << s.capture();
  s.keys({"Tab"});
  ASSERT_TRUE(s.waitForText("(3) RECEITAS E DESPESAS")) << s.capture();
  s.text("100");
  s.keys({"Enter", "Down"});
  s.text("250");
  s.keys({"Enter"});
  ASSERT_TRUE(s.waitForText("350,00")) << s.capture();
  const std::string tela = s.capture();
  EXPECT_NE(linhaCom(tela, " Janeiro ").find("100,00│"), std::string::npos) << tela;
  EXPECT_NE(linhaCom(tela, "Fevereiro").find("250,00│"), std::string::npos) << tela;
  EXPECT_NE(linhaCom(tela, " TOTAIS ").find("350,00│"), std::string::npos) << tela;
  EXPECT_EQ(linhaCom(tela, "Dezembro").find(",00"), std::string::npos) << tela;

  s.keys({"Escape"});
  ASSERT_TRUE(s.waitForText("Termina  a  Declaração ?")) << s.capture();
  s.keys({"S"});
  ASSERT_TRUE(s.waitForText("C P F", 10s)) << s.capture();
  std::this_thread::sleep_for(300ms);
  s.keys({"Escape"});
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("C P F") == std::string::npos; })) << s.capture();

  auto rural = rt::db::Table::open(home + "/DADOS2010/IMP1510.DBF");
  ASSERT_TRUE(rural);
  auto& t = **rural;
  for ((void)t.goTop(); !t.eof() && t.getText("CPF") != "12345678909"; (void)t.skip()) {
  }
  ASSERT_FALSE(t.eof());
  EXPECT_EQ(t.getNumber("I3_01OR"), rt::text::Decimal::fromInt(100));
  EXPECT_EQ(t.getNumber("I3_02OR"), rt::text::Decimal::fromInt(250));
}

}  // namespace

// The summary and the balance on the real program in tmux after a change on the rural screens:
// January's rural receipts typed on screen 13 show at once as the rural result and its exempt
// part on screen 7 and in the balance, and the balance's detail list of the exempt incomes
// (Alt-F2) gives each row its share of the receipts.
#include <gtest/gtest.h>

#include <chrono>
#include <regex>
#include <string>

#include "programa_e2e.h"
#include "tmux_session.h"

namespace {

using e2e::TmuxSession;
using namespace std::chrono_literals;

TEST(JornadaBalanco, RuralChangeShowsInTheSummaryAndTheBalanceWithItsShare) {
  if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
  e2e::RaizDeTeste pasta;
  TmuxSession s(e2e::comandoTavren(pasta.caminho() + "/tavren", "00", {}, 180), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(s.waitForText("Sair", 30s)) << s.capture();
  e2e::teclas(s, {"Enter", "Enter"});  // Declaração, Declaração
  ASSERT_TRUE(s.waitForText("C P F")) << s.capture();
  s.text("52998224725");
  ASSERT_TRUE(s.waitForText("Esse Contribuinte")) << s.capture();
  e2e::teclas(s, {"S"});
  ASSERT_TRUE(s.waitForText("IDENTIFICAÇÃO DO CONTRIBUINTE")) << s.capture();
  e2e::teclas(s, {"S", "S"});  // rural activity, in Brazil
  ASSERT_TRUE(s.waitForText("Atividade Rural? S  No Brasil? S")) << s.capture();

  // Screen 13: 200,000.00 of receipts in January; screen 14 shows the result.
  e2e::teclas(s, {"F12"});
  ASSERT_TRUE(s.waitForText("IDENTIFICAÇÃO DA ATIVIDADE")) << s.capture();
  e2e::teclas(s, {"Tab"});
  ASSERT_TRUE(s.waitForText("RECEITAS E DESPESAS")) << s.capture();
  s.text("200000");
  e2e::teclas(s, {"Enter", "Tab"});
  ASSERT_TRUE(s.waitForText("Resultado não tributável                            160.000,00")) << s.capture();

  // The summary and the balance, straight from the rural screens.
  // A label and its amount on one row, however far apart the form puts them.
  const auto mostra = [&s](const std::string& rotulo, const std::string& valor) {
    const std::regex linha(rotulo + " +" + valor);
    return s.waitFor([&linha](const std::string& tela) { return std::regex_search(tela, linha); });
  };
  e2e::teclas(s, {"F7"});
  EXPECT_TRUE(mostra("Rend\\.Tributável da Atividade Rural", "40\\.000,00")) << s.capture();
  EXPECT_TRUE(mostra("Rendimentos Isentos e Não Tributáveis", "160\\.000,00")) << s.capture();
  e2e::teclas(s, {"F10"});
  EXPECT_TRUE(mostra("\\(2\\)Isentos/não tribut\\.", "160\\.000,00")) << s.capture();
  EXPECT_TRUE(mostra("Total das receitas", "200\\.000,00")) << s.capture();

  // Alt-F2: the exempt part is 80% of the receipts.
  e2e::teclas(s, {"M-F2"});
  ASSERT_TRUE(s.waitForText("VALOR % REC.")) << s.capture();
  EXPECT_TRUE(s.waitForText("Parcela isenta da atividade rural       │    160.000,00│ 80,00")) << s.capture();
  e2e::teclas(s, {"Escape", "Escape"});
  ASSERT_TRUE(s.waitForText("Termina  a  Declaração")) << s.capture();
  e2e::teclas(s, {"S"});
  EXPECT_TRUE(s.waitForText("C P F", 10s)) << s.capture();
}

}  // namespace

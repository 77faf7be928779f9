// Printing as an office meets it, on the real program in tmux: the printer set-up sends the
// output to a file of the work folder, menu item 51 prints one taxpayer there, and item 52
// without a captured file asks for the "NAO DOS" printer first. The record is checked in the
// table itself.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "rt/db/table.h"
#include "programa_e2e.h"
#include "tmux_session.h"

namespace {

using e2e::shellQuote;
using e2e::teclas;
using e2e::TmuxSession;
using namespace std::chrono_literals;

class Impressao : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
    std::string modelo = "/tmp/e2eXXXXXX";
    raiz_ = mkdtemp(modelo.data());
    home_ = raiz_ + "/tavren";
  }
  void TearDown() override {
    std::error_code ec;
    if (!raiz_.empty()) std::filesystem::remove_all(raiz_, ec);
  }
  std::string raiz_, home_;
};

TEST_F(Impressao, SetUpToAFileThenPrintOneTaxpayerAndAskForNaoDosBeforeItem52) {
  // No CUPS in the way: the default printer comes from LPDEST.
  const std::string cmd = "env -u TERMINAL TERM=xterm-256color LANG=C.UTF-8 LC_ALL=C.UTF-8 TAVREN_NO_BUILD=1 "
                          "LPDEST=escritorio TAVREN_BUILD=" +
                          shellQuote(TAVREN_BUILD_DIR) + " TAVREN_HOME=" + shellQuote(home_) +
                          " timeout --foreground 120 " + shellQuote(TAVREN_RUN_SCRIPT) +
                          "; echo tavren-ended $?; sleep 30";
  TmuxSession s(cmd, 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(s.waitForText("Terminal 00", 15s)) << s.capture();

  std::string tela;
  ASSERT_TRUE(e2e::cadastraContribuinte(s, "12345678909", tela)) << tela;

  // The printer set-up: no port, the output file LISTA.
  ASSERT_TRUE(e2e::impressoraEmArquivo(s, "lista", tela)) << tela;

  // Item 51 for the taxpayer: the job goes to the file.
  teclas(s, {"M-i", "Enter"});
  ASSERT_TRUE(s.waitForText("Pasta atual", 10s)) << s.capture();
  s.text("12345678909");
  teclas(s, {"Enter"});
  for (int i = 0; i < 50 && !std::filesystem::exists(home_ + "/LISTA.TXT"); ++i) std::this_thread::sleep_for(100ms);
  EXPECT_TRUE(std::filesystem::exists(home_ + "/LISTA.TXT")) << s.capture();

  // Item 52 without a captured file.
  teclas(s, {"M-i", "Down", "Enter"});
  EXPECT_TRUE(s.waitForText("Selecione a impressora Nao DOS antes")) << s.capture();
  teclas(s, {"Enter"});

  auto confimp = rt::db::Table::open(home_ + "/CONFIMP.DBF");
  ASSERT_TRUE(confimp);
  (*confimp)->goTop();
  ASSERT_TRUE((*confimp)->status());
  EXPECT_EQ((*confimp)->getText("NRO_TERM"), "00");
  EXPECT_EQ((*confimp)->getNumber("NROLPT").wholePart(), 0);
  EXPECT_EQ((*confimp)->getText("SAIDAPR"), "LISTA   ");
  EXPECT_EQ((*confimp)->getText("NOMEREDE").substr(0, 10), "escritorio");
}

}  // namespace

// Printing as an office meets it, on the real program in tmux: the printer set-up sends the
// output to a file of the work folder, menu item 51 prints one taxpayer there, and item 52
// without a captured file asks for the "NAO DOS" printer first. The record is checked in the
// table itself.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "rt/db/table.h"
#include "programa_e2e.h"
#include "tmux_session.h"

namespace {

using e2e::teclas;
using e2e::TmuxSession;

class Impressao : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
    home_ = raiz_.caminho() + "/tavren";
  }
  e2e::RaizDeTeste raiz_;
  std::string home_;
};

TEST_F(Impressao, SetUpToAFileThenPrintOneTaxpayerAndAskForNaoDosBeforeItem52) {
  // No CUPS in the way: the default printer comes from LPDEST.
  TmuxSession s(e2e::comandoTavren(home_, {}, "LPDEST=escritorio"), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(s.waitForText("Terminal 00", e2e::kPartida)) << s.capture();

  std::string tela;
  ASSERT_TRUE(e2e::cadastraContribuinte(s, "12345678909", tela)) << tela;

  // The printer set-up: no port, the output file LISTA.
  ASSERT_TRUE(e2e::impressoraEmArquivo(s, "lista", tela)) << tela;

  // Item 51 for the taxpayer: the job goes to the file.
  teclas(s, {"M-i", "Enter"});
  ASSERT_TRUE(s.waitForText("Pasta atual")) << s.capture();
  s.text("12345678909");
  s.keys({"Enter"});
  (void)e2e::ate([&] { return std::filesystem::exists(home_ + "/LISTA.TXT"); });
  EXPECT_TRUE(std::filesystem::exists(home_ + "/LISTA.TXT")) << s.capture();

  // Item 52 without a captured file.
  teclas(s, {"M-i", "Down", "Enter"});
  EXPECT_TRUE(s.waitForText("Selecione a impressora Nao DOS antes")) << s.capture();
  teclas(s, {"Enter"});

  auto confimp = rt::db::Table::open(home_ + "/CONFIMP.DBF");
  ASSERT_TRUE(confimp);
  ASSERT_TRUE((*confimp)->goTop());
  EXPECT_EQ((*confimp)->getText("NRO_TERM"), "00");
  EXPECT_EQ((*confimp)->getNumber("NROLPT").wholePart(), 0);
  EXPECT_EQ((*confimp)->getText("SAIDAPR"), "LISTA   ");
  EXPECT_EQ((*confimp)->getText("NOMEREDE").substr(0, 10), "escritorio");
}

}  // namespace

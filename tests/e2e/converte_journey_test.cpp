// The converter started from tavren's menu (Declaracao, Importação) on tavren's terminal: its
// banner and menu; the income statements of a payroll's FOLHA.TXT imported (the count said; the
// same file again is told to be waiting and skipped; an empty one has nothing to import) and
// transferred into the declaration of a taxpayer registered in tavren, once; back in tavren, its
// menu and banner.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "programa_e2e.h"
#include "rt/db/table.h"
#include "tmux_session.h"

namespace {

using e2e::teclas;
using e2e::TmuxSession;

class JornadaConverte : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
  }
  std::string home() const { return pasta_.caminho() + "/tavren"; }
  e2e::RaizDeTeste pasta_;
};

TEST_F(JornadaConverte, FromTavrenTheStatementsOfAPayrollGoIntoTheDeclaration) {
  TmuxSession s(e2e::comandoTavren(home(), "05", {}, 300), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(s.waitForText("Terminal 05", e2e::kPartida)) << s.capture();
  std::string tela;
  ASSERT_TRUE(e2e::cadastraContribuinte(s, "12345678909", tela)) << tela;
  {
    std::ofstream f(home() + "/DADOS2010/folha.txt", std::ios::binary);
    f << "\"123.456.789-09\",\"JOSE\",\"ACME LTDA\",\"11222333000181\",1000.50,110,0,0,15\r\n";
  }

  // Declaracao, Importação: the converter on terminal 05.
  teclas(s, {"M-l", "I"});
  ASSERT_TRUE(s.waitForText("Term. 05 Converte Ver.1.07D", e2e::kPartida)) << s.capture();
  // Comprovante, Importar dados in the year's folder, Transferir adding to the amounts.
  teclas(s, {"M-c", "C"});
  ASSERT_TRUE(s.waitForText("Importar dados")) << s.capture();
  teclas(s, {"I"});
  ASSERT_TRUE(s.waitForText("Drive e pasta do Arquivo FOLHA.TXT")) << s.capture();
  teclas(s, {"Enter"});
  // The import says what it took.
  ASSERT_TRUE(s.waitForText("1 declaração de rendimentos importada")) << s.capture();
  teclas(s, {"Enter"});
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("FOLHA.TXT") == std::string::npos; })) << s.capture();
  // The same file again: its statement is still waiting, and the clerk skips the file.
  teclas(s, {"I"});
  ASSERT_TRUE(s.waitForText("Drive e pasta do Arquivo FOLHA.TXT")) << s.capture();
  teclas(s, {"Enter"});
  ASSERT_TRUE(s.waitForText("do mesmo CPF e fonte pagadora: 1 de 1 no FOLHA.TXT")) << s.capture();
  EXPECT_TRUE(s.waitForText("(CPF 123.456.789-09, fonte 11.222.333/0001-81).")) << s.capture();
  teclas(s, {"S"});
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("FOLHA.TXT") == std::string::npos; })) << s.capture();
  // An empty file says there is nothing to import.
  std::ofstream(home() + "/DADOS2010/folha.txt", std::ios::binary | std::ios::trunc);
  teclas(s, {"I"});
  ASSERT_TRUE(s.waitForText("Drive e pasta do Arquivo FOLHA.TXT")) << s.capture();
  teclas(s, {"Enter"});
  ASSERT_TRUE(s.waitForText("O arquivo FOLHA.TXT não tem declarações de rendimentos.")) << s.capture();
  teclas(s, {"Enter"});
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("FOLHA.TXT") == std::string::npos; })) << s.capture();
  teclas(s, {"T"});
  ASSERT_TRUE(s.waitForText("Encontrando valores")) << s.capture();
  teclas(s, {"A"});
  ASSERT_TRUE(s.waitForText("Dados Transferidos")) << s.capture();
  // The notice stays 2 seconds; the menu takes keys again after it.
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("Dados Transferidos") == std::string::npos; }))
      << s.capture();
  teclas(s, {"Escape"});
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("Importar dados") == std::string::npos; })) << s.capture();
  // Terminar. After an item the menu comes back past a pause of up to 2 seconds that a key
  // ends, which shows nothing: a Terminar taken by the pause is sent again.
  const auto voltou = [](const std::string& t) { return t.find("Converte Ver.") == std::string::npos; };
  s.keys({"M-t"});
  if (!s.waitFor(voltou, std::chrono::seconds(4))) s.keys({"M-t"});
  ASSERT_TRUE(s.waitFor(voltou)) << s.capture();
  // Back in tavren: its menu over its banner.
  ASSERT_TRUE(e2e::noMenu(s)) << s.capture();
  EXPECT_TRUE(s.waitForText("Terminal 05")) << s.capture();

  {
    // Read and closed before tavren loads the declaration, which opens it alone.
    auto t = rt::db::Table::open(home() + "/DADOS2010/IMP0210", {.exclusive = false, .readOnly = true, .alias = {}});
    ASSERT_TRUE(t) << t.status().message();
    (*t)->goTop();
    ASSERT_FALSE((*t)->eof());
    EXPECT_EQ((*t)->getText("CPF"), "12345678909");
    EXPECT_EQ((*t)->getText("I1_3"), "11.222.333/0001-81");
    EXPECT_EQ((*t)->getNumber("I1_4").toString(2), "1000.50");
    (*t)->skip(1);
    EXPECT_TRUE((*t)->eof()) << "one payer row";
  }

  // The taxpayer's first page, the incomes from companies, shows the payer.
  teclas(s, {"M-l", "Enter"});
  ASSERT_TRUE(s.waitForText("Pasta atual")) << s.capture();
  s.text("12345678909");
  s.keys({"Enter"});
  ASSERT_TRUE(s.waitForText("10=Balan")) << s.capture();
  EXPECT_TRUE(s.waitForText("ACME LTDA")) << s.capture();
}

}  // namespace

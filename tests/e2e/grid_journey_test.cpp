// Journeys through the grids on the real program in tmux: the deletion list of the register,
// whose CPF and name columns are frozen, and the save-mode setting whose refused interval must
// never be stored. Each journey ends the program and reads the tables it left.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "rt/db/table.h"
#include "tmux_session.h"

namespace {

using e2e::shellQuote;
using e2e::TmuxSession;
using namespace std::chrono_literals;

std::string linha(const std::string& tela, std::size_t n) {
  std::istringstream in(tela);
  std::string l;
  for (std::size_t i = 0; std::getline(in, l); ++i)
    if (i == n) return l;
  return {};
}

class JornadaGrade : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
    // Folder names are kept in 40-character fields: a short folder under /tmp.
    std::string modelo = "/tmp/e2gXXXXXX";
    home_ = mkdtemp(modelo.data());
    home_ += "/tavren";
  }
  void TearDown() override {
    std::error_code ec;
    if (!home_.empty()) std::filesystem::remove_all(std::filesystem::path(home_).parent_path(), ec);
  }
  // The README's command on the existing build.
  std::string comando() const {
    return "env -u TERMINAL TERM=xterm-256color LANG=C.UTF-8 LC_ALL=C.UTF-8 TAVREN_NO_BUILD=1 TAVREN_BUILD=" +
           shellQuote(TAVREN_BUILD_DIR) + " TAVREN_HOME=" + shellQuote(home_) + " timeout --foreground 90 " +
           shellQuote(TAVREN_RUN_SCRIPT) + "; echo tavren-ended $?; sleep 30";
  }
  static bool noMenu(TmuxSession& s) {
    return s.waitFor([](const std::string& t) { return linha(t, 0).find("Sair") != std::string::npos; }, 10s);
  }
  // Declaracao -> Declaração, a new CPF, its first screen, Esc and "Sim" to save; back on the
  // main menu.
  static void declaracao(TmuxSession& s, const std::string& cpf) {
    s.keys({"M-l"});
    ASSERT_TRUE(s.waitForText("Inicia ou modifica uma declaração")) << s.capture();
    s.keys({"Enter"});
    ASSERT_TRUE(s.waitForText("Pasta atual")) << s.capture();
    s.text(cpf);
    s.keys({"Enter"});
    ASSERT_TRUE(s.waitForText("Identificação do contribuinte", 10s)) << s.capture();
    s.keys({"Escape"});
    ASSERT_TRUE(s.waitForText("Termina  a  Declaração ?")) << s.capture();
    s.keys({"S"});
    ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("Termina  a  Declaração ?") == std::string::npos; }, 10s))
        << s.capture();
    ASSERT_TRUE(s.waitForText("Pasta atual")) << s.capture();
    s.keys({"Escape"});
    ASSERT_TRUE(noMenu(s)) << s.capture();
  }
  static void sai(TmuxSession& s) {
    s.keys({"M-r"});
    ASSERT_TRUE(s.waitForText("Confirma saída do sistema")) << s.capture();
    s.keys({"S"});
    ASSERT_TRUE(s.waitForText("tavren-ended 0", 20s)) << s.capture();
  }
  std::string home_;
};

TEST_F(JornadaGrade, TheDeletionListTakesOnlyItsMarkColumn) {
  TmuxSession s(comando(), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(noMenu(s)) << s.capture();
  declaracao(s, "12345678909");
  declaracao(s, "11144477735");

  // Exclusão: the second row, three columns to the left (the status, name and CPF, all
  // frozen), a CPF typed, Enter, then Esc out of the cell and out of the list.
  s.keys({"M-l", "Down", "Down", "Down", "Down"});
  ASSERT_TRUE(s.waitForText("Elimina um contribuinte do banco de dados")) << s.capture();
  s.keys({"Enter"});
  ASSERT_TRUE(s.waitForText("Elim.")) << s.capture();
  s.keys({"Down", "Left", "Left", "Left"});
  s.text("52998224725");
  s.keys({"Enter", "Escape", "Escape"});
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("Elim.") == std::string::npos; })) << s.capture();
  EXPECT_EQ(s.capture().find("529.982.247-25"), std::string::npos);
  ASSERT_TRUE(noMenu(s)) << s.capture();
  sai(s);

  auto registro = rt::db::Table::open(home_ + "/DADOS2010/IMP0910.DBF");
  ASSERT_TRUE(registro);
  std::multiset<std::string> cpfs;
  for ((void)(*registro)->goTop(); !(*registro)->eof(); (void)(*registro)->skip())
    if (!(*registro)->isDeleted()) cpfs.insert((*registro)->getText("CPF"));
  EXPECT_EQ(cpfs, (std::multiset<std::string>{"11144477735", "12345678909"}));
}

TEST_F(JornadaGrade, ARefusedAutosaveIntervalIsNeverStored) {
  TmuxSession s(comando(), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(noMenu(s)) << s.capture();
  // Opções -> Gravar os dados -> Automático; the interval emptied, 0 refused, Esc.
  s.keys({"M-p", "Down", "Down", "Down", "Down", "Down"});
  ASSERT_TRUE(s.waitForText("Quando e como o programa deve salvar os dados")) << s.capture();
  s.keys({"Enter"});
  ASSERT_TRUE(s.waitForText("Autom")) << s.capture();
  s.keys({"Home", "Enter"});
  ASSERT_TRUE(s.waitForText("Gravar a cada")) << s.capture();
  s.keys({"C-y"});
  s.text("0");
  s.keys({"Enter", "Escape"});
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("Gravar a cada") == std::string::npos; })) << s.capture();
  ASSERT_TRUE(noMenu(s)) << s.capture();
  sai(s);

  // A fresh DEFINE: manual mode, autosave every 15 minutes; both kept.
  auto define = rt::db::Table::open(home_ + "/DEFINE.DBF");
  ASSERT_TRUE(define);
  ASSERT_TRUE((*define)->goTop());
  ASSERT_FALSE((*define)->eof());
  EXPECT_EQ((*define)->getNumber("COMO_SAL").wholePart(), 2);
  EXPECT_EQ((*define)->getNumber("TEMP_SAL").wholePart(), 15);
}

}  // namespace

// Journeys on the real program in tmux through the keys that used to end it or freeze it: Esc
// in the empty town list of a state, and a character typed on the empty last row of the
// income, dependant, payment and asset grids. Each journey ends the program normally, so a
// crash or a loop that reads no key fails it.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "programa_e2e.h"
#include "rt/db/table.h"
#include "tmux_session.h"

namespace {

using e2e::linha;
using e2e::TmuxSession;
using namespace std::chrono_literals;

class JornadaTeclas : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
    home_ = pasta_.caminho() + "/tavren";
  }
  std::string comando() const { return e2e::comandoTavren(home_, {}, {}, 90); }
  static bool noMenu(TmuxSession& s) {
    return s.waitFor([](const std::string& t) { return linha(t, 0).find("Sair") != std::string::npos; }, 10s);
  }
  // Esc on its own: a key sent right after it would reach the program as Alt plus that key.
  static void esc(TmuxSession& s) {
    s.keys({"Escape"});
    std::this_thread::sleep_for(300ms);
  }
  // Declaração, a new CPF: its identification screen.
  static void novaDeclaracao(TmuxSession& s, const std::string& cpf) {
    s.keys({"M-l"});
    ASSERT_TRUE(s.waitForText("Inicia ou modifica uma declaração")) << s.capture();
    s.keys({"Enter"});
    ASSERT_TRUE(s.waitForText("Pasta atual")) << s.capture();
    s.text(cpf);
    s.keys({"Enter"});
    ASSERT_TRUE(s.waitForText("IDENTIFICAÇÃO DO CONTRIBUINTE", 10s)) << s.capture();
  }
  // Esc, "Sim" to save, Esc at the next CPF and the exit: the program ends by itself.
  static void salvaESai(TmuxSession& s) {
    esc(s);
    ASSERT_TRUE(s.waitForText("Termina  a  Declaração ?", 10s)) << s.capture();
    s.keys({"S"});
    ASSERT_TRUE(s.waitForText("Pasta atual", 20s)) << s.capture();
    esc(s);
    ASSERT_TRUE(noMenu(s)) << s.capture();
    s.keys({"M-r"});
    ASSERT_TRUE(s.waitForText("Confirma saída do sistema")) << s.capture();
    s.keys({"S"});
    ASSERT_TRUE(s.waitForText("tavren-ended 0", 20s)) << s.capture();
  }
  e2e::RaizDeTeste pasta_;
  std::string home_;
};

// A state without towns in the table (here a town table without towns): the town list opens empty, and Esc
// leaves it with the town typed kept; the declaration is saved with it.
TEST_F(JornadaTeclas, EscInTheEmptyTownListKeepsTheTownTyped) {
  // The program folder comes with a town table that has no towns.
  std::filesystem::create_directories(home_);
  ASSERT_TRUE(rt::db::Table::create(
                  home_ + "/TABMUNI.DBF",
                  {{"NOMEMUNI", 'C', 30, 0, 0}, {"NROMUNI", 'C', 4, 0, 0}, {"UNIFED", 'C', 2, 0, 0}},
                  rt::db::CreateMode::kReplace)
                  .isOk());
  TmuxSession s(comando(), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(noMenu(s)) << s.capture();
  novaDeclaracao(s, "11144477735");
  // Enter from field to field down to the state (row 12, column 48).
  for (int i = 0; i < 40 && s.format("#{cursor_y},#{cursor_x}") != "12,48"; ++i) {
    s.keys({"Enter"});
    std::this_thread::sleep_for(150ms);
  }
  ASSERT_EQ(s.format("#{cursor_y},#{cursor_x}"), "12,48") << s.capture();
  // The two letters fill the field and leave it; no town typed yet: the state's towns, in a
  // list headed as the state field's.
  s.text("SP");
  ASSERT_TRUE(s.waitForText("Nome dos Estados")) << s.capture();
  esc(s);
  ASSERT_TRUE(s.waitFor([](const std::string& t) {
    return t.find("Nome dos Estados") == std::string::npos;
  })) << s.capture();
  s.text("SAO PAULO");
  s.keys({"Enter"});
  ASSERT_TRUE(s.waitForText("Nome dos municípios")) << s.capture();
  esc(s);
  ASSERT_TRUE(s.waitFor([](const std::string& t) {
    return t.find("Nome dos municípios") == std::string::npos &&
           t.find("Município SAO PAULO") != std::string::npos;
  })) << s.capture();
  EXPECT_NE(linha(s.capture(), 12).find("UF SP"), std::string::npos) << s.capture();
  salvaESai(s);
  auto r = rt::db::Table::open(home_ + "/DADOS2010/IMP0910.DBF");
  ASSERT_TRUE(r);
  (void)(*r)->goTop();
  ASSERT_FALSE((*r)->eof());
  EXPECT_EQ((*r)->getText("MUNICIPIO").substr(0, 9), "SAO PAULO");
  EXPECT_EQ((*r)->getText("UF"), "SP");
}

// Up on the empty income, dependant, payment and asset grids leaves the append row; the first
// character typed then starts the new row, and the program goes on reading keys.
TEST_F(JornadaTeclas, ACharacterOnTheEmptyLastRowOfEachGridStartsTheRow) {
  TmuxSession s(comando(), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(noMenu(s)) << s.capture();
  novaDeclaracao(s, "11144477735");
  struct Grade {
    std::vector<std::string> abre;  // the keys that open it
    const char* cabecalho;          // a heading it shows
    const char* digitado;
  };
  const Grade grades[] = {
      {{"F1"}, "Fonte pagadora", "HOSPITAL"},
      {{"F4"}, "Nome Completo", "HELENA"},
      {{"Tab"}, "Nome do beneficiário", "CLINICA"},
      {{"F5"}, "Discriminação", "7"},
  };
  for (const Grade& g : grades) {
    SCOPED_TRACE(g.cabecalho);
    e2e::teclas(s, g.abre);
    ASSERT_TRUE(s.waitForText(g.cabecalho, 10s)) << s.capture();
    std::this_thread::sleep_for(300ms);
    e2e::teclas(s, {"Up"});
    s.text(g.digitado);
    e2e::teclas(s, {"Enter"});
    const std::string celula = std::string("│") + g.digitado;
    const std::string numero = std::string(" ") + g.digitado + "│";
    ASSERT_TRUE(s.waitFor([&](const std::string& t) {
      return t.find(celula) != std::string::npos || t.find(numero) != std::string::npos;
    })) << s.capture();
  }
  salvaESai(s);
}

}  // namespace

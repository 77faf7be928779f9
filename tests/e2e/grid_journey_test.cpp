// Journeys through the grids on the real program in tmux: the deletion list of the register,
// whose CPF and name columns are frozen; the save-mode setting, whose refused interval must
// never be stored; the notes shown by F11 in the taxpayer chooser, only looked through; the
// status menu's grids. Each journey ends the program and reads the tables it left.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "rt/db/table.h"
#include "programa_e2e.h"
#include "tmux_session.h"

namespace {

using e2e::teclas;
using e2e::TmuxSession;

class JornadaGrade : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
    home_ = pasta_.caminho() + "/tavren";
  }
  // The README's command on the existing build.
  std::string comando() const {
    return e2e::comandoTavren(home_, {}, {}, 300);
  }
  static bool noMenu(TmuxSession& s) { return e2e::noMenu(s); }
  // Declaracao -> Declaração, a new CPF, its first screen, Esc and "Sim" to save; back on the
  // main menu.
  static void declaracao(TmuxSession& s, const std::string& cpf) {
    teclas(s, {"M-l"});
    ASSERT_TRUE(s.waitForText("Inicia ou modifica uma declaração")) << s.capture();
    teclas(s, {"Enter"});
    ASSERT_TRUE(s.waitForText("Pasta atual")) << s.capture();
    s.text(cpf);
    s.keys({"Enter"});
    ASSERT_TRUE(s.waitForText("IDENTIFICAÇÃO DO CONTRIBUINTE")) << s.capture();
    esc(s);
    ASSERT_TRUE(s.waitForText("Termina  a  Declaração ?")) << s.capture();
    teclas(s, {"S"});
    ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("Termina  a  Declaração ?") == std::string::npos; }))
        << s.capture();
    ASSERT_TRUE(s.waitForText("Pasta atual")) << s.capture();
    esc(s);
    ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("Pasta atual") == std::string::npos; }))
        << s.capture();
  }
  // Esc on its own: a key sent right after it would reach the program as Alt plus that key.
  static void esc(TmuxSession& s) { teclas(s, {"Escape"}); }
  static void sai(TmuxSession& s) {
    teclas(s, {"M-r"});
    ASSERT_TRUE(s.waitForText("Confirma saída do sistema")) << s.capture();
    s.keys({"S"});
    ASSERT_TRUE(s.waitForText("tavren-ended 0")) << s.capture();
  }
  e2e::RaizDeTeste pasta_;
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
  s.keys({"Enter"});
  ASSERT_TRUE(e2e::escAte(s, "Elim.", 2)) << s.capture();
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
  s.keys({"Enter"});
  esc(s);
  ASSERT_TRUE(s.waitFor([](const std::string& t) { return t.find("Gravar a cada") == std::string::npos; })) << s.capture();
  ASSERT_TRUE(noMenu(s)) << s.capture();
  sai(s);

  // A fresh DEFINE: manual mode, autosave every 15 minutes; both kept.
  auto define = rt::db::Table::open(home_ + "/DEFINE.DBF");
  ASSERT_TRUE(define);
  (*define)->goTop();
  ASSERT_TRUE((*define)->status());
  ASSERT_FALSE((*define)->eof());
  EXPECT_EQ((*define)->getNumber("COMO_SAL").wholePart(), 2);
  EXPECT_EQ((*define)->getNumber("TEMP_SAL").wholePart(), 15);
}

// Every row of a table that is not deleted, as the text of one field.
std::multiset<std::string> campo(const std::string& arquivo, const std::string& nome) {
  std::multiset<std::string> v;
  auto t = rt::db::Table::open(arquivo);
  if (!t) return v;
  for ((void)(*t)->goTop(); !(*t)->eof(); (void)(*t)->skip())
    if (!(*t)->isDeleted()) {
      const rt::db::FieldDef* f = (*t)->field(nome);
      v.insert(f != nullptr && f->type == 'N' ? (*t)->getNumber(nome).toString(0) : (*t)->getText(nome));
    }
  return v;
}

TEST_F(JornadaGrade, NotesShownFromTheChooserTakeNoTyping) {
  TmuxSession s(comando(), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(noMenu(s)) << s.capture();
  declaracao(s, "12345678909");
  s.keys({"M-l", "Enter"});
  ASSERT_TRUE(s.waitForText("Pasta atual")) << s.capture();
  s.keys({"F11"});
  ASSERT_TRUE(s.waitForText("Notas e observaçoes")) << s.capture();
  s.text("NOTA PERDIDA");
  s.keys({"Enter", "Down"});
  s.text("OUTRA");
  s.keys({"Enter"});
  ASSERT_TRUE(s.waitForText("Notas e observaçoes")) << s.capture();
  EXPECT_EQ(s.capture().find("NOTA PERDIDA"), std::string::npos) << s.capture();
  esc(s);
  esc(s);
  sai(s);
  for (const std::string& nota : campo(home_ + "/DADOS2010/IMP1110.DBF", "OBSERV"))
    EXPECT_EQ(nota.find("NOTA PERDIDA"), std::string::npos) << nota;
}

TEST_F(JornadaGrade, StatusMenuNamesAStatusAndGivesItToATaxpayer) {
  TmuxSession s(comando(), 80, 25);
  ASSERT_TRUE(s.started());
  ASSERT_TRUE(noMenu(s)) << s.capture();
  declaracao(s, "12345678909");
  s.keys({"M-p", "Down", "Down", "Down", "Down", "Down", "Down"});
  ASSERT_TRUE(s.waitForText("Cadastra ou altera o status ou o numero dos recibos")) << s.capture();
  s.keys({"Enter"});
  ASSERT_TRUE(s.waitForText("Cadastrar status")) << s.capture();
  // "Cadastrar status": code 77 named PRONTA on a new row at the end.
  s.text("c");
  ASSERT_TRUE(s.waitForText("Descrição")) << s.capture();
  s.keys({"C-PageDown", "Down"});
  s.text("77PRONTA");
  s.keys({"Enter"});
  esc(s);
  // "Alterar situação": the taxpayer's status number, after the frozen CPF, name and status.
  s.text("a");
  ASSERT_TRUE(s.waitForText("Tempo(s)")) << s.capture();
  s.text("77");
  ASSERT_TRUE(s.waitForText("PRONTA")) << s.capture();
  esc(s);
  esc(s);
  sai(s);
  EXPECT_EQ(campo(home_ + "/DADOS2010/IMP0910.DBF", "ESTATUS"), std::multiset<std::string>{"77"});
  EXPECT_EQ(campo(home_ + "/DADOS2010/IMP0910.DBF", "CPF"), std::multiset<std::string>{"12345678909"});
  EXPECT_EQ(campo(home_ + "/STATUS.DBF", "COD").count("77"), 1u);
}

}  // namespace

// A table made whole beside its name and moved into place only when no file has taken it.
#include "store/montagem.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "store_fixture.h"

namespace store {
namespace {

namespace fs = std::filesystem;

const std::vector<rt::db::FieldDef> kCampos{{"CPF", 'C', 11, 0, 0}, {"TEXTO", 'M', 10, 0, 0}};

rt::Status umaLinha(rt::db::Table& t) {
  RT_TRY(t.appendBlank());
  RT_TRY(t.put("CPF", std::string("11111111111")));
  return t.put("TEXTO", std::string("texto longo"));
}

TEST(Montagem, TheTableAndItsMemoFileAppearWholeUnderTheirNames) {
  teste::Pasta p;
  bool jaExistia = true;
  ASSERT_TRUE(montaTabela(p / "HELP.DBF", p / "CRIA00.DBF", kCampos, umaLinha, &jaExistia));
  EXPECT_FALSE(jaExistia);
  EXPECT_EQ(p.arquivos(), (std::vector<std::string>{"HELP.DBF", "HELP.DBT"}));
  auto t = teste::abre(p / "HELP.DBF");
  ASSERT_EQ(t->recordCount(), 1u);
  t->goTop();
  ASSERT_TRUE(t->status());
  auto texto = t->memo(1);
  ASSERT_TRUE(texto);
  EXPECT_EQ(*texto, "texto longo");
}

TEST(Montagem, AFileMadeMeanwhileByAnotherTerminalWinsAndOursIsThrownAway) {
  teste::Pasta p;
  ASSERT_TRUE(rt::db::Table::create(p / "help", {{"X", 'C', 1, 0, 0}}));
  bool jaExistia = false;
  ASSERT_TRUE(montaTabela(p / "HELP.DBF", p / "CRIA00.DBF", kCampos, umaLinha, &jaExistia));
  EXPECT_TRUE(jaExistia);
  EXPECT_EQ(p.arquivos(), (std::vector<std::string>{"HELP.DBF"}));
  EXPECT_EQ(teste::abre(p / "HELP.DBF")->fieldCount(), 1);
}

TEST(Montagem, AFillThatFailsLeavesNothingBehind) {
  teste::Pasta p;
  auto falha = [](rt::db::Table& t) -> rt::Status {
    RT_TRY(t.appendBlank());
    return t.put("NAOHA", std::string("x"));
  };
  EXPECT_FALSE(montaTabela(p / "HELP.DBF", p / "CRIA00.DBF", kCampos, falha, nullptr));
  EXPECT_TRUE(p.arquivos().empty());
}

TEST(Montagem, MoveNeverReplacesANameTakenInAnyCase) {
  teste::Pasta p;
  ASSERT_TRUE(rt::db::Table::create(p / "A", {{"X", 'C', 1, 0, 0}}));
  ASSERT_TRUE(rt::db::Table::create(p / "b", {{"X", 'C', 1, 0, 0}}));
  fs::rename(p / "B.DBF", p / "b.dbf");
  bool jaExistia = false;
  ASSERT_TRUE(moveSemSubstituir(p / "A.DBF", p / "B.DBF", &jaExistia));
  EXPECT_TRUE(jaExistia);
  EXPECT_TRUE(fs::exists(p / "A.DBF"));
  ASSERT_TRUE(moveSemSubstituir(p / "A.DBF", p / "C.DBF", &jaExistia));
  EXPECT_FALSE(jaExistia);
  EXPECT_EQ(p.arquivos(), (std::vector<std::string>{"C.DBF", "b.dbf"}));
}

}  // namespace
}  // namespace store

#include <gtest/gtest.h>

#include "db_test_util.h"
#include "rt/db/transfer.h"
#include "rt/text/strings.h"

using namespace rt::db;
using rt::Error;
using rt::Status;
using namespace rt::db::testing;
using rt::text::Date;
using rt::text::Decimal;
using namespace rt::text::literals;

namespace {

void fill(Table& t) {
  struct Row {
    const char* cpf;
    const char* nome;
    Decimal valor;
    Date dt;
    bool ok;
  };
  const Row rows[] = {{"11111111111", "Ana", 10.5_d, Date::fromYmd(2009, 1, 2), true},
                      {"22222222222", "Bia, \"B\"", -3.25_d, Date(), false},
                      {"11111111111", "Caio", 0, Date::fromYmd(2009, 12, 31), true}};
  for (const Row& r : rows) {
    ASSERT_OK(t.appendBlank());
    ASSERT_OK(t.put("CPF", std::string(r.cpf)));
    ASSERT_OK(t.put("NOME", std::string(r.nome)));
    ASSERT_OK(t.put("VALOR", r.valor));
    ASSERT_OK(t.put("DT", r.dt));
    ASSERT_OK(t.put("OK", r.ok));
  }
}

std::vector<FieldDef> fields() {
  return {{"CPF", 'C', 11, 0}, {"NOME", 'C', 20, 0}, {"VALOR", 'N', 12, 2}, {"DT", 'D', 8, 0}, {"OK", 'L', 1, 0}};
}

TEST(Transfer, AppendsFromAnotherTableMatchingFieldsByNameWithACondition) {
  TempDir dir;
  ASSERT_OK(Table::create(dir.file("SRC"), fields()));
  ASSERT_OK(Table::create(dir.file("ACERTO"), {{"NOME", 'C', 3, 0}, {"NOVO", 'N', 3, 0}, {"CPF", 'C', 11, 0},
                                               {"VALOR", 'N', 5, 1}}));
  auto src = openOrDie(dir.file("SRC"), true);
  fill(*src);
  src->goTo(3);
  ASSERT_OK(src->status());
  ASSERT_OK(src->markDeleted());
  src->setDeletedHidden(true);
  auto dst = openOrDie(dir.file("ACERTO"), true);
  ASSERT_OK(appendFrom(*dst, *src, [](const Table& t) { return t.getText("CPF") == "11111111111"; }));
  EXPECT_EQ(dst->recordCount(), 1u);
  dst->goTop();
  ASSERT_OK(dst->status());
  EXPECT_EQ(dst->getText("NOME"), "Ana");  // cut to the target's width
  EXPECT_EQ(dst->getNumber("VALOR"), 10.5_d);
  EXPECT_TRUE(dst->getNumber("NOVO").isZero());
  // A value too wide for the target field stops the copy, naming the field.
  src->goTo(1);
  ASSERT_OK(src->status());
  ASSERT_OK(src->put("VALOR", 123456.0_d));
  Status s = appendFrom(*dst, *src);
  EXPECT_EQ(s.code(), Error::kOverflow);
  EXPECT_EQ(s.detail(), "VALOR");
}

TEST(Transfer, CopiesToANewTableAndAppendsFromAFile) {
  TempDir dir;
  ASSERT_OK(Table::create(dir.file("SRC"), fields()));
  auto src = openOrDie(dir.file("SRC"), true);
  fill(*src);
  ASSERT_OK(copyTo(*src, dir.file("tmp_02"), [](const Table& t) { return t.getLogical("OK"); }));
  auto copy = openOrDie(dir.file("TMP_02"), true);
  EXPECT_EQ(copy->recordCount(), 2u);
  EXPECT_EQ(copy->fieldCount(), 5);
  // The source file is open exclusively: reading it from another open is refused.
  EXPECT_EQ(appendFrom(*copy, dir.file("SRC")).code(), Error::kInUse);
  ASSERT_OK(src->close());
  ASSERT_OK(appendFrom(*copy, dir.file("SRC"), [](const Table& t) { return !t.getLogical("OK"); }));
  EXPECT_EQ(copy->recordCount(), 3u);
  copy->goBottom();
  ASSERT_OK(copy->status());
  EXPECT_EQ(copy->getNumber("VALOR"), -3.25_d);
}

TEST(Transfer, WritesAndReadsTheClassicDelimitedText) {
  TempDir dir;
  ASSERT_OK(Table::create(dir.file("SRC"), fields()));
  auto src = openOrDie(dir.file("SRC"), true);
  fill(*src);
  ASSERT_OK(copyToDelimited(*src, dir.file("FOLHA.TXT")));
  EXPECT_EQ(readAll(dir.file("FOLHA.TXT")),
            "\"11111111111\",\"Ana\",10.50,20090102,T\r\n"
            "\"22222222222\",\"Bia, \"\"B\"\"\",-3.25,,F\r\n"
            "\"11111111111\",\"Caio\",0.00,20091231,T\r\n");
  // A quote inside a value is doubled and read back as one.
  ASSERT_OK(Table::create(dir.file("BACK"), fields()));
  auto back = openOrDie(dir.file("BACK"), true);
  ASSERT_OK(appendFromDelimited(*back, dir.file("FOLHA.TXT")));
  ASSERT_EQ(back->recordCount(), 3u);
  back->goTo(2);
  ASSERT_OK(back->status());
  EXPECT_EQ(back->getText("NOME"), rt::text::padr("Bia, \"B\"", 20));
  writeAll(dir.file("in.txt"), "\"33333333333\",\"Dora, D\",1234.5,20090704,T\r\n\"44444444444\",\"Eva\",-1,,F\n\x1A");
  ASSERT_OK(appendFromDelimited(*src, dir.file("IN.TXT")));
  EXPECT_EQ(src->recordCount(), 5u);
  src->goTo(4);
  ASSERT_OK(src->status());
  EXPECT_EQ(src->getText("NOME"), rt::text::padr("Dora, D", 20));
  EXPECT_EQ(src->getNumber("VALOR"), 1234.5_d);
  EXPECT_EQ(src->getDate("DT"), Date::fromYmd(2009, 7, 4));
  EXPECT_TRUE(src->getLogical("OK"));
  src->goTo(5);
  ASSERT_OK(src->status());
  EXPECT_EQ(src->getNumber("VALOR"), Decimal(-1));
  EXPECT_TRUE(src->getDate("DT").isEmpty());
}

}  // namespace

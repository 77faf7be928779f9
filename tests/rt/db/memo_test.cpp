#include <gtest/gtest.h>

#include "db_test_util.h"
#include "rt/db/memo.h"
#include "rt/db/table.h"

using namespace rt::db;
using rt::Error;
using namespace rt::db::testing;

namespace {

TEST(Memo, WritesAndReadsTextsInBlocks) {
  TempDir dir;
  ASSERT_OK(Table::create(dir.file("HELPTXT"), {{"NOME", 'C', 10, 0}, {"TEXTO", 'M', 10, 0}}));
  EXPECT_TRUE(fileExists(dir.file("HELPTXT.DBT")));
  EXPECT_EQ(readAll(dir.file("HELPTXT.DBF"))[0], '\x83');
  std::string longText(1500, 'x');
  longText[510] = '\x1A';  // a lone 1A inside the text is not its end
  {
    auto t = openOrDie(dir.file("HELPTXT"), true);
    ASSERT_OK(t->appendBlank());
    ASSERT_OK(t->put("NOME", std::string("A")));
    ASSERT_OK(t->put("TEXTO", std::string("Ajuda\r\nsegunda linha")));
    ASSERT_OK(t->appendBlank());
    ASSERT_OK(t->put("TEXTO", longText));
    ASSERT_OK(t->appendBlank());  // no memo: blank pointer
    ASSERT_OK(t->close());
  }
  std::string dbt = readAll(dir.file("HELPTXT.DBT"));
  EXPECT_EQ(dbt.size() % 512, 0u);
  EXPECT_EQ(dbt.substr(512, 7), "Ajuda\r\n");
  EXPECT_EQ(static_cast<unsigned char>(dbt[0]), dbt.size() / 512);  // next free block
  auto t = openOrDie(dir.file("HELPTXT"));
  EXPECT_EQ(t->raw(1), "         1");
  EXPECT_EQ(t->getText("TEXTO"), "Ajuda\r\nsegunda linha");
  t->skip();
  ASSERT_OK(t->status());
  EXPECT_EQ(t->getText("TEXTO"), longText);
  t->skip();
  ASSERT_OK(t->status());
  EXPECT_EQ(t->getText("TEXTO"), "");
  // Rewriting a memo puts it at the end; the table is packed without touching the memo file.
}

TEST(Memo, APointerOutsideTheFileIsAnErrorNotACrash) {
  TempDir dir;
  ASSERT_OK(MemoFile::create(dir.file("X.DBT")));
  auto m = MemoFile::open(dir.file("X.DBT"), true);
  ASSERT_TRUE(m.isOk());
  EXPECT_EQ(m->read(99).code(), Error::kCorrupt);
  EXPECT_EQ(m->read(0)->size(), 0u);
  auto b = m->write("abc");
  ASSERT_TRUE(b.isOk());
  EXPECT_EQ(*b, 1u);
  // Block 0 claiming a free block inside the data is not believed.
  std::string bytes = readAll(dir.file("X.DBT"));
  bytes[0] = 1;
  writeAll(dir.file("X.DBT"), bytes);
  auto m2 = MemoFile::open(dir.file("X.DBT"), true);
  auto b2 = m2->write("def");
  ASSERT_TRUE(b2.isOk());
  EXPECT_EQ(*b2, 2u);
  EXPECT_EQ(*m2->read(1), "abc");
  // Nor one far beyond the end of the file: the texts still go at its end, one after another.
  bytes = readAll(dir.file("X.DBT"));
  for (int i = 0; i < 4; ++i) bytes[static_cast<std::size_t>(i)] = '\xFF';
  writeAll(dir.file("X.DBT"), bytes);
  {
    auto m4 = MemoFile::open(dir.file("X.DBT"), true);
    auto far1 = m4->write("ghi"), far2 = m4->write("jkl");
    ASSERT_TRUE(far1.isOk() && far2.isOk());
    EXPECT_EQ(*far1, 3u);
    EXPECT_EQ(*far2, 4u);
    EXPECT_EQ(std::filesystem::file_size(dir.file("X.DBT")), 5u * MemoFile::kBlock);
    EXPECT_EQ(*m4->read(1), "abc");
    EXPECT_EQ(*m4->read(3), "ghi");
    EXPECT_EQ(*m4->read(4), "jkl");
  }
  // A text without its end mark reads to the end of the file.
  bytes = readAll(dir.file("X.DBT"));
  bytes.resize(1024 + 2);
  bytes[1024] = 'd';
  bytes[1025] = 'e';
  writeAll(dir.file("X.DBT"), bytes);
  auto m3 = MemoFile::open(dir.file("X.DBT"), false);
  EXPECT_EQ(*m3->read(2), "de");
  EXPECT_EQ(memoBlockFromField("  12"), 12u);
  EXPECT_EQ(memoBlockFromField("  1x"), 0u);
  EXPECT_EQ(memoBlockFromField("99999999999"), 0u);
}

TEST(Memo, ATableWhoseMemoFileIsMissingStillOpens) {
  TempDir dir;
  ASSERT_OK(Table::create(dir.file("M"), {{"A", 'C', 2, 0}, {"T", 'M', 10, 0}}));
  {
    auto t = openOrDie(dir.file("M"), true);
    ASSERT_OK(t->appendBlank());
    ASSERT_OK(t->put("T", std::string("memo")));
  }
  std::filesystem::remove(dir.file("M.DBT"));
  auto t = openOrDie(dir.file("M"));
  EXPECT_EQ(t->memo(1).code(), Error::kNotFound);
  EXPECT_EQ(t->getText("T"), "");
}

}  // namespace

namespace {

TEST(Memo, PackKeepsOnlyTheTextsInUse) {
  TempDir dir;
  ASSERT_OK(Table::create(dir.file("HELPTXT"), {{"NOME", 'C', 10, 0}, {"TEXTO", 'M', 10, 0}}));
  auto t = openOrDie(dir.file("HELPTXT"), true);
  for (int i = 0; i < 20; ++i) {
    ASSERT_OK(t->appendBlank());
    ASSERT_OK(t->put("NOME", std::to_string(i)));
    ASSERT_OK(t->put("TEXTO", std::string(700, static_cast<char>('a' + i))));
    ASSERT_OK(t->put("TEXTO", "final " + std::to_string(i)));  // the first text is now garbage
  }
  std::size_t before = readAll(dir.file("HELPTXT.DBT")).size();
  EXPECT_EQ(t->packMemo().code(), Error::kNone);
  std::size_t after = readAll(dir.file("HELPTXT.DBT")).size();
  EXPECT_EQ(after, 512u * 21);
  EXPECT_LT(after, before);
  EXPECT_FALSE(fileExists(dir.file("HELPTXT.DBT.old")));
  int n = 0;
  t->goTop();
  ASSERT_OK(t->status());
  for (; !t->eof(); (void)t->skip(), ++n) EXPECT_EQ(t->getText("TEXTO"), "final " + std::to_string(n));
  EXPECT_EQ(n, 20);
  t->goTo(3);
  ASSERT_OK(t->status());
  ASSERT_OK(t->put("TEXTO", std::string("again")));
  ASSERT_OK(t->close());
  auto u = openOrDie(dir.file("HELPTXT"));
  u->goTo(3);
  ASSERT_OK(u->status());
  EXPECT_EQ(u->getText("TEXTO"), "again");
  EXPECT_EQ(u->packMemo().code(), Error::kNeedExclusive);
}

}  // namespace

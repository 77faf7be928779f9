// Damaged files: a clear error or a safe read of what is there, never a crash.
#include <gtest/gtest.h>

#include <random>

#include "db_test_util.h"
#include "rt/db/table.h"

using namespace rt::db;
using rt::Error;
using rt::Status;
using namespace rt::db::testing;
using rt::text::Decimal;

namespace {

std::string goodTable(const TempDir& dir, int records) {
  EXPECT_TRUE(Table::create(dir.file("G"), {{"CPF", 'C', 11, 0}, {"V", 'N', 12, 2}, {"T", 'M', 10, 0}}).isOk());
  auto t = openOrDie(dir.file("G"), true);
  for (int i = 0; i < records; ++i) {
    EXPECT_TRUE(t->appendBlank().isOk());
    EXPECT_TRUE(t->put("CPF", std::to_string(i)).isOk());
    EXPECT_TRUE(t->put("V", Decimal(i)).isOk());
    if (i % 3 == 0) {
      EXPECT_TRUE(t->put("T", std::string("texto ") + std::to_string(i)).isOk());
    }
  }
  EXPECT_TRUE(t->close().isOk());
  return readAll(dir.file("G.DBF"));
}

Status tryOpen(const TempDir& dir, const std::string& bytes) {
  writeAll(dir.file("C.DBF"), bytes);
  auto t = Table::open(dir.file("C"));
  return t.status();
}

TEST(Corrupt, TruncatedOrLyingHeadersAreRefused) {
  TempDir dir;
  std::string good = goodTable(dir, 5);
  EXPECT_EQ(tryOpen(dir, "").code(), Error::kCorrupt);
  EXPECT_EQ(tryOpen(dir, good.substr(0, 20)).code(), Error::kCorrupt);
  EXPECT_EQ(tryOpen(dir, good.substr(0, 40)).code(), Error::kCorrupt);  // header cut inside the fields
  std::string bad = good;
  bad[8] = '\xFF';  // header length beyond the file
  bad[9] = '\x7F';
  EXPECT_EQ(tryOpen(dir, bad).code(), Error::kCorrupt);
  bad = good;
  bad[10] = 5;  // record length shorter than the fields
  bad[11] = 0;
  EXPECT_EQ(tryOpen(dir, bad).code(), Error::kCorrupt);
  bad = good;
  bad[10] = bad[11] = 0;
  EXPECT_EQ(tryOpen(dir, bad).code(), Error::kCorrupt);
  bad = good;
  bad[32 + 16] = 0;  // a field of width 0
  bad[32 + 17] = 0;
  EXPECT_EQ(tryOpen(dir, bad).code(), Error::kCorrupt);
}

TEST(Corrupt, ARecordCountBeyondTheFileReadsWhatIsThere) {
  TempDir dir;
  std::string good = goodTable(dir, 5);
  std::string bad = good;
  bad[4] = '\x40';  // claims 0x40404040 records
  bad[5] = bad[6] = bad[7] = '\x40';
  writeAll(dir.file("C.DBF"), bad);
  std::filesystem::copy_file(dir.file("G.DBT"), dir.file("C.DBT"));
  auto t = openOrDie(dir.file("C"));
  EXPECT_TRUE(t->isDamaged());
  EXPECT_EQ(t->recordCount(), 5u);
  int n = 0;
  for (; !t->eof(); (void)t->skip()) ++n;
  EXPECT_EQ(n, 5);
  t->goTo(6);
  ASSERT_OK(t->status());
  EXPECT_TRUE(t->eof());
  // Cut in the middle of the last record: that record is not there.
  writeAll(dir.file("C.DBF"), good.substr(0, good.size() - 10));
  auto u = openOrDie(dir.file("C"));
  EXPECT_EQ(u->recordCount(), 4u);
}

TEST(Corrupt, AMemoPointerOutsideTheMemoFileIsAnError) {
  TempDir dir;
  goodTable(dir, 4);
  auto t = openOrDie(dir.file("G"), true);
  ASSERT_OK(t->put("T", std::string("x")));
  std::string bytes = readAll(dir.file("G.DBF"));
  ASSERT_OK(t->close());
  // Record 1's memo pointer to block 999999.
  std::size_t at = 32 + 32 * 3 + 1 + 1 + 11 + 12;
  bytes.replace(at, 10, "    999999");
  writeAll(dir.file("G.DBF"), bytes);
  auto u = openOrDie(dir.file("G"));
  EXPECT_EQ(u->memo(2).code(), Error::kCorrupt);
  EXPECT_EQ(u->getText("T"), "");
}

TEST(Corrupt, RandomDamageNeverCrashes) {
  TempDir dir;
  std::string good = goodTable(dir, 40);
  std::filesystem::copy_file(dir.file("G.DBT"), dir.file("C.DBT"));
  std::mt19937 rng(11);
  for (int round = 0; round < 300; ++round) {
    std::string bad = good;
    int flips = 1 + static_cast<int>(rng() % 8);
    for (int i = 0; i < flips; ++i) {
      std::size_t pos = rng() % (round % 2 ? 160 : bad.size());
      bad[pos] = static_cast<char>(rng());
    }
    if (round % 5 == 0) bad.resize(rng() % bad.size());
    writeAll(dir.file("C.DBF"), bad);
    auto t = Table::open(dir.file("C"));
    if (!t) continue;
    for (int i = 0; i < 100 && !(*t)->eof(); ++i) {
      for (int f = 0; f < (*t)->fieldCount(); ++f) (void)(*t)->get(f);
      (*t)->skip();
      if (!(*t)->status()) break;
    }
    (void)(*t)->goBottom();
    (void)(*t)->skip(-3);
  }
}

}  // namespace

namespace {

TEST(Corrupt, ForeignFieldTypesAndHeaderTailsStillOpen) {
  TempDir dir;
  std::string good = goodTable(dir, 3);
  // Another runtime's table: memo kind of its own (version F5, no DBT beside it), a field of
  // a type we do not know, and 263 bytes after the field terminator.
  std::string foreign = good;
  foreign[0] = '\xF5';
  foreign[32 + 32 + 11] = 'B';  // V becomes a type we do not read
  std::size_t headerLen = 32 + 32 * 3 + 1;
  foreign.insert(headerLen, std::string(263, '\0'));
  std::size_t newLen = headerLen + 263;
  foreign[8] = static_cast<char>(newLen & 0xFF);
  foreign[9] = static_cast<char>(newLen >> 8);
  writeAll(dir.file("F.DBF"), foreign);
  auto t = openOrDie(dir.file("F"));
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->fieldCount(), 3);
  EXPECT_EQ(t->headerSize(), newLen);
  EXPECT_EQ(t->recordCount(), 3u);
  EXPECT_EQ(t->getText("CPF"), "0          ");
  EXPECT_EQ(std::get<std::string>(t->get("V")), "        0.00");  // raw text
  EXPECT_EQ(t->getText("T"), "");  // no memo file: empty
}

}  // namespace

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>

#include "db_test_util.h"
#include "rt/db/cdx.h"
#include "rt/db/cdx_node.h"
#include "rt/db/table.h"
#include "rt/text/strings.h"

using namespace rt::db;
using rt::Error;
using rt::Status;
using namespace rt::db::testing;
using rt::text::Date;
using rt::text::Decimal;
using namespace rt::text::literals;

namespace {

std::string cpfOf(std::uint32_t i) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%011u", (i * 2654435761u) % 100000000u * 7u);
  return buf;
}

TEST(CdxNode, LeafRoundTripsWithSharedPrefixesAndTrailingBlanks) {
  CdxNode n;
  const std::size_t keyLen = 12;
  std::vector<std::string> keys = {"ABC         ", "ABCD        ", "ABCDEFGHIJKL", "ABD         ", "B           ",
                                   "            "};
  std::sort(keys.begin(), keys.end());
  std::uint32_t rec = 1;
  for (auto& k : keys) {
    n.keys += k;
    n.recnos.push_back(rec * 70001);
    ++rec;
  }
  std::string page;
  ASSERT_TRUE(encodeCdxNode(n, keyLen, ' ', page));
  ASSERT_EQ(page.size(), kCdxPage);
  auto back = decodeCdxNode(page, keyLen, ' ');
  ASSERT_TRUE(back.isOk());
  EXPECT_EQ(back->keys, n.keys);
  EXPECT_EQ(back->recnos, n.recnos);
  EXPECT_TRUE(back->leaf);
  // A leaf too full to encode is reported, not overrun.
  CdxNode big;
  for (int i = 0; i < 60; ++i) {
    big.keys += rt::text::padr(std::to_string(i * 7919) + "XXXXXXXX", 12, 'Z');
    big.recnos.push_back(static_cast<std::uint32_t>(i));
  }
  EXPECT_FALSE(encodeCdxNode(big, keyLen, ' ', page));
}

TEST(CdxNode, NumericKeysSortLikeTheNumbers) {
  std::vector<double> values = {-1e9, -12.5, -1, -0.01, 0, 0.01, 1, 2, 12.5, 1e9};
  for (std::size_t i = 1; i < values.size(); ++i)
    EXPECT_LT(numericKey(values[i - 1]), numericKey(values[i])) << values[i];
  EXPECT_EQ(numericKey(-0.0), numericKey(0.0));
  EXPECT_EQ(numericKey(1.0), std::string("\xBF\xF0\0\0\0\0\0\0", 8));
}

class BigTable : public ::testing::Test {
 protected:
  static constexpr std::uint32_t kRecords = 100000;
  static void SetUpTestSuite() {
    dir_ = new TempDir();
    ASSERT_OK(Table::create(dir_->file("BIG"), {{"CPF", 'C', 11, 0}, {"VALOR", 'N', 12, 2}, {"DT", 'D', 8, 0}}));
    // Written without an index, then indexed in bulk.
    std::string bytes = readAll(dir_->file("BIG.DBF"));
    bytes.pop_back();
    std::string recs;
    for (std::uint32_t i = 1; i <= kRecords; ++i) {
      recs += ' ';
      recs += cpfOf(i);
      recs += rt::text::padl(Decimal::fromInt(static_cast<int>(i % 5000) - 2500).toString(2), 12);
      recs += rt::text::dtos(Date::fromYmd(2009, 1, 1) + static_cast<int>(i % 700));
    }
    bytes += recs + "\x1A";
    bytes[4] = static_cast<char>(kRecords & 0xFF);
    bytes[5] = static_cast<char>((kRecords >> 8) & 0xFF);
    bytes[6] = static_cast<char>((kRecords >> 16) & 0xFF);
    writeAll(dir_->file("BIG.DBF"), bytes);
  }
  static void TearDownTestSuite() { delete dir_; }
  static TempDir* dir_;
};
TempDir* BigTable::dir_ = nullptr;

TEST_F(BigTable, SeeksCharacterKeysExactSoftAndPrefix) {
  auto t = openOrDie(dir_->file("BIG"));
  bool rebuilt = false;
  ASSERT_OK(t->openIndex(dir_->file("BIG"), "CPF", &rebuilt));
  EXPECT_TRUE(rebuilt);
  EXPECT_EQ(t->recordCount(), kRecords);
  for (std::uint32_t i = 1; i <= kRecords; i += 997) {
    ASSERT_OK(t->seek(cpfOf(i)));
    ASSERT_TRUE(t->found()) << i;
    EXPECT_EQ(t->getText("CPF"), cpfOf(i));
  }
  // Soft seek of a missing key stops at the next greater one.
  std::vector<std::string> all;
  for (std::uint32_t i = 1; i <= kRecords; ++i) all.push_back(cpfOf(i));
  std::sort(all.begin(), all.end());
  std::string missing = all[500];
  missing.back() = static_cast<char>(missing.back() + 1);
  if (std::binary_search(all.begin(), all.end(), missing)) GTEST_SKIP();
  ASSERT_OK(t->seek(missing));
  EXPECT_FALSE(t->found());
  EXPECT_TRUE(t->eof());
  ASSERT_OK(t->seek(missing, true));
  EXPECT_FALSE(t->found());
  EXPECT_EQ(t->getText("CPF"), *std::upper_bound(all.begin(), all.end(), missing));
  // Beyond the last key: end of file even when soft.
  ASSERT_OK(t->seek("99999999999", true));
  EXPECT_TRUE(t->eof());
  // Prefix: the first of its keys in order.
  std::string prefix = all[1234].substr(0, 6);
  ASSERT_OK(t->seek(prefix));
  EXPECT_TRUE(t->found());
  EXPECT_EQ(t->getText("CPF"), *std::lower_bound(all.begin(), all.end(), prefix));
  // Walking the whole order gives the keys sorted.
  t->goTop();
  ASSERT_OK(t->status());
  std::size_t n = 0;
  std::string prev;
  for (; !t->eof(); (void)t->skip()) {
    std::string k = t->getText("CPF");
    ASSERT_LE(prev, k);
    prev = k;
    ++n;
  }
  EXPECT_EQ(n, kRecords);
  t->goBottom();
  ASSERT_OK(t->status());
  EXPECT_EQ(t->getText("CPF"), all.back());
  t->skip(-1);
  ASSERT_OK(t->status());
  EXPECT_EQ(t->getText("CPF"), all[all.size() - 2]);
}

TEST_F(BigTable, SeeksNumericAndDateKeys) {
  auto t = openOrDie(dir_->file("BIG"));
  ASSERT_OK(t->openIndex(dir_->file("BIGV"), "VALOR"));
  ASSERT_OK(t->openIndex(dir_->file("BIGD"), "DT"));
  ASSERT_OK(t->useOrder(1));
  ASSERT_OK(t->seek((-2500.00_d)));
  ASSERT_TRUE(t->found());
  EXPECT_EQ(t->getNumber("VALOR"), -2500.00_d);
  EXPECT_EQ(t->recNo(), 5000u);  // the lowest record number among equal keys
  ASSERT_OK(t->seek((17.00_d)));
  ASSERT_TRUE(t->found());
  EXPECT_EQ(t->getNumber("VALOR"), 17.00_d);
  ASSERT_OK(t->seek((17.5_d), true));
  EXPECT_FALSE(t->found());
  EXPECT_EQ(t->getNumber("VALOR"), 18.00_d);
  t->goTop();
  ASSERT_OK(t->status());
  EXPECT_EQ(t->getNumber("VALOR"), -2500.00_d);
  t->goBottom();
  ASSERT_OK(t->status());
  EXPECT_EQ(t->getNumber("VALOR"), 2499.00_d);
  ASSERT_OK(t->useOrder(2));
  Date d = Date::fromYmd(2009, 6, 30);
  ASSERT_OK(t->seek((d)));
  ASSERT_TRUE(t->found());
  EXPECT_EQ(t->getDate("DT"), d);
  ASSERT_OK(t->seek((Date::fromYmd(2008, 1, 1)), true));
  EXPECT_EQ(t->getDate("DT"), Date::fromYmd(2009, 1, 1));
  EXPECT_EQ(t->seek("x").code(), Error::kBadField);  // text on a date order
}

TEST(Cdx, StoresTheKeyExpressionAndTagName) {
  TempDir dir;
  ASSERT_OK(Table::create(dir.file("IMP0410"), {{"CPF", 'C', 11, 0}, {"I7_0", 'N', 4, 0}}));
  auto t = openOrDie(dir.file("IMP0410"), true);
  ASSERT_OK(t->openIndex(dir.file("imp0410"), "CPF+str(I7_0,4)"));
  ASSERT_OK(t->close());
  std::string bytes = readAll(dir.file("IMP0410.CDX"));
  ASSERT_GE(bytes.size(), 3072u);
  EXPECT_EQ(bytes.size() % 512, 0u);
  EXPECT_EQ(static_cast<unsigned char>(bytes[14]), 0xE0);                 // tag directory
  EXPECT_EQ(bytes.substr(1024 + 512 - 7, 7), "IMP0410");                  // tag name in the directory leaf
  EXPECT_EQ(static_cast<unsigned char>(bytes[1536 + 12]), 15);            // key length 11 + 4
  EXPECT_EQ(static_cast<unsigned char>(bytes[1536 + 14]), 0x60);          // compact, compound
  EXPECT_EQ(bytes.substr(1536 + 512, 16), std::string("CPF+str(I7_0,4)\0", 16));
}

TEST(Cdx, RebuildsAMissingOrDamagedIndexOrOneWithAnotherKey) {
  TempDir dir;
  ASSERT_OK(Table::create(dir.file("T"), {{"NOME", 'C', 20, 0}, {"N", 'N', 5, 0}}));
  {
    auto t = openOrDie(dir.file("T"), true);
    ASSERT_OK(t->openIndex(dir.file("T"), "UPPER(NOME)"));
    for (int i = 0; i < 3000; ++i) {
      ASSERT_OK(t->appendBlank());
      ASSERT_OK(t->put("NOME", std::string(i % 2 ? "maria " : "Jose ") + std::to_string(i * 37 % 3000)));
      ASSERT_OK(t->put("N", Decimal(i)));
    }
    ASSERT_OK(t->checkOrder(1));
  }
  auto reopen = [&](bool exclusive, bool* rebuilt) {
    auto t = openOrDie(dir.file("T"), exclusive);
    Status s = t->openIndex(dir.file("T"), "UPPER(NOME)", rebuilt);
    return std::make_pair(std::move(t), s);
  };
  bool rebuilt = true;
  {
    auto [t, s] = reopen(false, &rebuilt);
    ASSERT_OK(s);
    EXPECT_FALSE(rebuilt);
    ASSERT_OK(t->seek(std::string("MARIA 1")));
    EXPECT_TRUE(t->found());
    EXPECT_EQ(t->getText("NOME"), rt::text::padr("maria 1", 20));
  }
  // Deleted: built again, even shared.
  ASSERT_TRUE(std::filesystem::remove(dir.file("T.CDX")));
  {
    auto [t, s] = reopen(false, &rebuilt);
    ASSERT_OK(s);
    EXPECT_TRUE(rebuilt);
    ASSERT_OK(t->checkOrder(1));
  }
  // Damaged header: only an exclusive opener may rebuild it.
  std::string bytes = readAll(dir.file("T.CDX"));
  std::string damaged = bytes;
  for (std::size_t i = 1536; i < 1536 + 64; ++i) damaged[i] = '\x5A';
  writeAll(dir.file("T.CDX"), damaged);
  {
    auto [t, s] = reopen(false, &rebuilt);
    EXPECT_EQ(s.code(), Error::kNeedExclusive);
  }
  {
    auto [t, s] = reopen(true, &rebuilt);
    ASSERT_OK(s);
    EXPECT_TRUE(rebuilt);
    ASSERT_OK(t->checkOrder(1));
  }
  // Garbage in the pages of the tree.
  bytes = readAll(dir.file("T.CDX"));
  std::mt19937 rng(7);
  for (std::size_t i = 2560; i < bytes.size(); ++i) bytes[i] = static_cast<char>(rng());
  writeAll(dir.file("T.CDX"), bytes);
  {
    auto [t, s] = reopen(true, &rebuilt);
    ASSERT_OK(s);
    EXPECT_TRUE(rebuilt);
    ASSERT_OK(t->checkOrder(1));
  }
  // Another key expression in the file: rebuilt for ours.
  {
    auto t = openOrDie(dir.file("T"), true);
    ASSERT_OK(t->openIndex(dir.file("T"), "STR(N,5)", &rebuilt));
    EXPECT_TRUE(rebuilt);
    ASSERT_OK(t->seek(std::string("   12")));
    EXPECT_TRUE(t->found());
  }
  // Truncated to nothing.
  writeAll(dir.file("T.CDX"), "");
  {
    auto [t, s] = reopen(true, &rebuilt);
    ASSERT_OK(s);
    EXPECT_TRUE(rebuilt);
  }
}

TEST(Cdx, AnIndexLeftUnfinishedIsRebuilt) {
  TempDir dir;
  ASSERT_OK(Table::create(dir.file("T"), {{"K", 'C', 8, 0}}));
  {
    auto t = openOrDie(dir.file("T"), true);
    ASSERT_OK(t->openIndex(dir.file("T"), "K"));
    ASSERT_OK(t->appendBlank());
    ASSERT_OK(t->put("K", std::string("B")));
    ASSERT_OK(t->flush());
    // The exclusive table defers index pages: the file says so until they are written.
    EXPECT_EQ(readAll(dir.file("T.CDX"))[1536 + 16], '\1');
    ASSERT_OK(t->commit());
    EXPECT_EQ(readAll(dir.file("T.CDX"))[1536 + 16], '\0');
    ASSERT_OK(t->appendBlank());
    ASSERT_OK(t->put("K", std::string("A")));
    t->goTo(1);
    ASSERT_OK(t->status());  // the appended record reaches the file; its index page does not
    // A crash now: copy the files as they are on disk.
    std::filesystem::copy_file(dir.file("T.DBF"), dir.file("C.DBF"));
    std::filesystem::copy_file(dir.file("T.CDX"), dir.file("C.CDX"));
  }
  auto t = openOrDie(dir.file("C"), true);
  bool rebuilt = false;
  ASSERT_OK(t->openIndex(dir.file("C"), "K", &rebuilt));
  EXPECT_TRUE(rebuilt);
  ASSERT_OK(t->checkOrder(1));
  t->goTop();
  ASSERT_OK(t->status());
  EXPECT_EQ(t->getText("K"), "A       ");
}

// Random appends, key changes and deletions, checked against the table after every batch.
void churn(std::size_t width, int rounds, std::uint32_t seed) {
  TempDir dir;
  ASSERT_OK(Table::create(dir.file("R"), {{"K", 'C', static_cast<int>(width), 0}, {"N", 'N', 6, 0}}));
  for (bool exclusive : {true, false}) {
    auto t = openOrDie(dir.file("R"), exclusive);
    ASSERT_OK(t->openIndex(dir.file("RK"), "K"));
    ASSERT_OK(t->openIndex(dir.file("RN"), "N"));
    std::mt19937 rng(seed);
    auto randomKey = [&] {
      std::string k = std::to_string(rng() % 500);
      if (width > 20) k = std::string(width - 10, static_cast<char>('a' + rng() % 3)) + k;
      return k;
    };
    for (int round = 0; round < rounds; ++round) {
      for (int i = 0; i < 150; ++i) {
        std::uint32_t op = rng() % 10;
        if (op < 5 || t->recordCount() == 0) {
          ASSERT_OK(t->appendBlank());
          ASSERT_OK(t->put("K", randomKey()));
          ASSERT_OK(t->put("N", Decimal(static_cast<int>(rng() % 2000) - 1000)));
        } else {
          t->goTo(1 + rng() % t->recordCount());
          ASSERT_OK(t->status());
          ASSERT_OK(t->lockRecord());
          if (op < 8) ASSERT_OK(t->put("K", randomKey()));
          else ASSERT_OK(t->put("N", Decimal(static_cast<int>(rng() % 2000) - 1000)));
        }
      }
      ASSERT_OK(t->unlock());
      ASSERT_OK(t->checkOrder(1));
      ASSERT_OK(t->checkOrder(2));
    }
    ASSERT_OK(t->close());
    // Reopened from disk, the indexes are still right.
    auto again = openOrDie(dir.file("R"), true);
    bool rebuilt = true;
    ASSERT_OK(again->openIndex(dir.file("RK"), "K", &rebuilt));
    EXPECT_FALSE(rebuilt);
    ASSERT_OK(again->openIndex(dir.file("RN"), "N", &rebuilt));
    EXPECT_FALSE(rebuilt);
    ASSERT_OK(again->checkOrder(1));
    ASSERT_OK(again->checkOrder(2));
    ASSERT_OK(again->pack());  // nothing deleted, but the indexes are rebuilt
    ASSERT_OK(again->checkOrder(1));
  }
}

TEST(Cdx, StaysRightUnderRandomChangesWithShortKeys) { churn(6, 8, 1); }
TEST(Cdx, StaysRightUnderRandomChangesWithLongKeys) { churn(240, 4, 2); }

TEST(Cdx, MaintainsIndexesThroughDeletePackAndZap) {
  TempDir dir;
  ASSERT_OK(Table::create(dir.file("T"), {{"CPF", 'C', 11, 0}, {"ATV_BRASIL", 'C', 1, 0}, {"DT_LC", 'D', 8, 0}}));
  auto t = openOrDie(dir.file("T"), true);
  ASSERT_OK(t->openIndex(dir.file("T"), "CPF+ATV_BRASIL+DTOS(DT_LC)"));
  for (int i = 0; i < 500; ++i) {
    ASSERT_OK(t->appendBlank());
    ASSERT_OK(t->put("CPF", cpfOf(static_cast<std::uint32_t>(i % 50))));
    ASSERT_OK(t->put("ATV_BRASIL", std::string(i % 3 ? "S" : "N")));
    ASSERT_OK(t->put("DT_LC", Date::fromYmd(2009, 1 + i % 12, 1 + i % 28)));
  }
  t->setDeletedHidden(true);
  std::string cpf = cpfOf(7);
  ASSERT_OK(t->seek(cpf + "S"));
  ASSERT_TRUE(t->found());
  int deleted = 0;
  while (!t->eof() && t->getText("CPF") == cpf) {
    ASSERT_OK(t->markDeleted());
    ++deleted;
    t->skip();
    ASSERT_OK(t->status());
  }
  EXPECT_EQ(deleted, 7);  // of the ten rows of the CPF, the ones with activity in Brazil
  ASSERT_OK(t->seek(cpf));
  EXPECT_TRUE(t->found());
  EXPECT_EQ(t->getText("ATV_BRASIL"), "N");
  ASSERT_OK(t->pack());
  EXPECT_EQ(t->recordCount(), 493u);
  ASSERT_OK(t->checkOrder(1));
  ASSERT_OK(t->seek(cpf + "S"));
  EXPECT_FALSE(t->found());
  ASSERT_OK(t->zap());
  ASSERT_OK(t->checkOrder(1));
  ASSERT_OK(t->seek(cpf));
  EXPECT_TRUE(t->eof());
}

TEST(Cdx, LongKeysAreCutAt240AndTheSeekConfirmsTheFullText) {
  TempDir dir;
  ASSERT_OK(Table::create(dir.file("AUXBENS"), {{"DESCRICAO", 'C', 512, 0}, {"CODIGO", 'N', 3, 0}}));
  auto t = openOrDie(dir.file("AUXBENS"), true);
  ASSERT_OK(t->openIndex(dir.file("AUXBENS"), "DESCRICAO"));
  std::string common(250, 'A');
  for (int i = 0; i < 5; ++i) {
    ASSERT_OK(t->appendBlank());
    ASSERT_OK(t->put("DESCRICAO", common + std::to_string(4 - i)));
    ASSERT_OK(t->put("CODIGO", Decimal(i)));
  }
  ASSERT_OK(t->seek(common + "2"));
  ASSERT_TRUE(t->found());
  EXPECT_EQ(t->getNumber("CODIGO"), Decimal(2));
  ASSERT_OK(t->seek(common + "9"));
  EXPECT_FALSE(t->found());
  ASSERT_OK(t->seek(common.substr(0, 100)));
  EXPECT_TRUE(t->found());
  t->goTop();
  ASSERT_OK(t->status());
  // Beyond the cut the order is by record number: the limit of 240-byte keys.
  EXPECT_EQ(t->getNumber("CODIGO"), Decimal(0));
}

}  // namespace

namespace {

TEST(Cdx, AReadOnlyTableGetsATemporaryIndexElsewhere) {
  TempDir data, work;
  ASSERT_OK(Table::create(data.file("IMP0910"), {{"CPF", 'C', 11, 0}, {"VALOR", 'N', 14, 2}}));
  {
    auto t = openOrDie(data.file("IMP0910"), true);
    for (int i = 0; i < 30; ++i) {
      ASSERT_OK(t->appendBlank());
      ASSERT_OK(t->put("CPF", cpfOf(static_cast<std::uint32_t>(i))));
      ASSERT_OK(t->put("VALOR", Decimal(100 - i)));
    }
  }
  OpenOptions ro;
  ro.readOnly = true;
  auto t = Table::open(data.file("IMP0910"), ro);
  ASSERT_TRUE(t.isOk());
  ASSERT_OK((*t)->createIndex(work.file("TMP_0201"), "str(VALOR)"));
  EXPECT_FALSE(fileExists(data.file("IMP0910.CDX")));
  (*t)->goTop();
  ASSERT_OK((*t)->status());
  EXPECT_EQ((*t)->getNumber("VALOR"), Decimal(71));
  ASSERT_OK((*t)->seek("         80.00"));
  EXPECT_TRUE((*t)->found());
  EXPECT_EQ((*t)->put("VALOR", Decimal(1)).code(), Error::kReadOnly);
}

}  // namespace

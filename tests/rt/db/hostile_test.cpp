// Files made to hurt: index chains that loop, layouts that overflow, widths a type cannot have,
// counts no file could hold, and links planted where scratch files go.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "db_test_util.h"
#include "rt/db/cdx.h"
#include "rt/db/cdx_node.h"
#include "rt/db/memo.h"
#include "rt/db/table.h"

using namespace rt::db;
using rt::Error;
using rt::Status;
using namespace rt::db::testing;
using rt::text::Decimal;

namespace {

std::uint32_t le32At(const std::string& b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<std::uint8_t>(b[at + static_cast<std::size_t>(i)]);
  return v;
}
void putLe32(std::string& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// A table of 2,000 records and its index, the index's bytes, and the pages of its leaves in
// chain order.
struct IndexedTable {
  TempDir dir;
  std::string cdx;
  std::vector<std::size_t> leaves;
  IndexedTable() {
    EXPECT_TRUE(Table::create(dir.file("L"), {{"K", 'C', 10, 0}}).isOk());
    auto t = openOrDie(dir.file("L"), true);
    EXPECT_TRUE(t->openIndex(dir.file("L"), "K").isOk());
    for (int i = 0; i < 2000; ++i) {
      EXPECT_TRUE(t->appendBlank().isOk());
      EXPECT_TRUE(t->put("K", std::to_string(100000 + i)).isOk());
    }
    EXPECT_TRUE(t->close().isOk());
    cdx = readAll(dir.file("L.CDX"));
    for (std::size_t p = CdxIndex::kFirstPage; p < cdx.size(); p += kCdxPage)
      if ((cdx[p] & 2) && le32At(cdx, p + 4) == kCdxNone) leaves.push_back(p);
    while (!leaves.empty() && le32At(cdx, leaves.back() + 8) != kCdxNone) leaves.push_back(le32At(cdx, leaves.back() + 8));
  }
  // Opens the damaged index and walks it both ways: every walk must end with kCorrupt.
  void expectWalksEnd(const std::string& damaged) {
    writeAll(dir.file("L.CDX"), damaged);
    auto ix = CdxIndex::open(dir.file("L.CDX"), "K", 10, ' ', false);
    ASSERT_TRUE(ix.isOk()) << ix.status().message();
    EXPECT_EQ((*ix)->countKeys().code(), Error::kCorrupt);
    auto t = openOrDie(dir.file("L"));
    ASSERT_OK(t->openIndex(dir.file("L"), "K"));
    t->goTop();
    for (int i = 0; t->status() && !t->eof() && i < 3000; ++i) t->skip();
    EXPECT_EQ(t->status().code(), Error::kCorrupt);
    t->goBottom();
    for (int i = 0; t->status() && !t->bof() && i < 3000; ++i) t->skip(-1);
    EXPECT_EQ(t->status().code(), Error::kCorrupt);
  }
};

TEST(Hostile, LeafChainsThatLoopOrPointOutsideEndTheWalk) {
  IndexedTable it;
  ASSERT_GT(it.leaves.size(), 4u);
  std::size_t firstLeaf = it.leaves.front(), lastLeaf = it.leaves.back();
  // The last leaf's right sibling is the first leaf, and the first's left is the last.
  std::string loop = it.cdx;
  putLe32(loop, lastLeaf + 8, static_cast<std::uint32_t>(firstLeaf));
  putLe32(loop, firstLeaf + 4, static_cast<std::uint32_t>(lastLeaf));
  it.expectWalksEnd(loop);
  // An empty leaf that is its own sibling, after the last and before the first.
  std::string empty = it.cdx;
  std::string page(kCdxPage, '\0');
  page[0] = 2;
  auto self = static_cast<std::uint32_t>(empty.size());
  putLe32(page, 4, self);
  putLe32(page, 8, self);
  empty += page;
  putLe32(empty, lastLeaf + 8, self);
  putLe32(empty, firstLeaf + 4, self);
  it.expectWalksEnd(empty);
  // Siblings beyond the file.
  std::string outside = it.cdx;
  putLe32(outside, lastLeaf + 8, 0x7FFFFE00u);
  putLe32(outside, firstLeaf + 4, 0x7FFFFE00u);
  it.expectWalksEnd(outside);
}

TEST(Hostile, LeafBitCountsAddingUpTo64DecodeWithoutShiftingTooFar) {
  // Eight bytes per entry: 32 bits of record number, 32 of duplicate count, none left for the
  // trailing count, whatever its mask says.
  std::string page(kCdxPage, '\0');
  page[0] = 3;
  page[2] = 1;
  putLe32(page, 14, 0xFFFFFFFFu);
  page[18] = 0;
  page[19] = '\xFF';
  page[20] = 32;
  page[21] = 32;
  page[22] = 0;
  page[23] = 8;
  putLe32(page, 24, 0x105);  // record 261, no duplicate bytes
  std::memcpy(page.data() + kCdxPage - 4, "ABCD", 4);
  auto n = decodeCdxNode(page, 4, ' ');
  ASSERT_TRUE(n.isOk()) << n.status().message();
  EXPECT_EQ(n->keys, "ABCD");
  EXPECT_EQ(n->recnos.at(0), 261u);
}

TEST(Hostile, WidthsATypeCannotHaveAreRefusedAndPutsStayInTheirField) {
  TempDir dir;
  ASSERT_OK(Table::create(dir.file("W"), {{"CPF", 'C', 11, 0}, {"DT", 'D', 8, 0}, {"OK", 'L', 1, 0},
                                          {"V", 'N', 12, 2}, {"T", 'M', 10, 0}}));
  {
    auto t = openOrDie(dir.file("W"), true);
    for (int i = 0; i < 2; ++i) {
      ASSERT_OK(t->appendBlank());
      ASSERT_OK(t->put("CPF", std::string(i ? "22222222222" : "11111111111")));
    }
  }
  const std::string good = readAll(dir.file("W.DBF"));
  auto withWidth = [&](int field, int width) {
    std::string b = good;
    b[32 + 32 * static_cast<std::size_t>(field) + 16] = static_cast<char>(width);
    return b;
  };
  struct Case {
    int field, width;
    bool opens;
  } cases[] = {{1, 2, false}, {1, 9, false}, {2, 3, false}, {2, 0, false}, {3, 21, false},
               {3, 5, true}, {4, 12, false}, {4, 4, true}, {0, 3, true}};
  for (const Case& c : cases) {
    writeAll(dir.file("C.DBF"), withWidth(c.field, c.width));
    std::filesystem::copy_file(dir.file("W.DBT"), dir.file("C.DBT"), std::filesystem::copy_options::overwrite_existing);
    auto t = Table::open(dir.file("C"));
    EXPECT_EQ(t.isOk(), c.opens) << "field " << c.field << " width " << c.width << ": " << t.status().message();
    if (!t || c.field != 4) continue;
    // A memo pointer of another kind is never written, and the record keeps its length.
    (*t)->goTo(1);
    ASSERT_OK((*t)->status());
    ASSERT_OK((*t)->lockRecord());
    EXPECT_EQ((*t)->put("T", std::string("texto")).code(), Error::kBadField);
    ASSERT_OK((*t)->put("CPF", std::string("33333333333")));
    ASSERT_OK((*t)->close());
    std::string after = readAll(dir.file("C.DBF"));
    EXPECT_EQ(after.size(), good.size());
    auto u = openOrDie(dir.file("C"));
    u->goTo(2);
    ASSERT_OK(u->status());
    EXPECT_EQ(u->getText("CPF"), "22222222222");
  }
}

TEST(Hostile, AnIndexOfMoreRecordsThanMemoryHoldsIsRefusedNotAborted) {
  TempDir dir;
  ASSERT_OK(Table::create(dir.file("S"), {{"CPF", 'C', 11, 0}}));
  // A header claiming 2^32-1 records on a sparse file big enough to hold them.
  std::string head = readAll(dir.file("S.DBF"));
  putLe32(head, 4, 0xFFFFFFFFu);
  writeAll(dir.file("S.DBF"), head);
  std::filesystem::resize_file(dir.file("S.DBF"), head.size() + 12ull * 0xFFFFFFFFull);
  auto t = openOrDie(dir.file("S"), true);
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->recordCount(), 0xFFFFFFFFu);
  EXPECT_EQ(t->openIndex(dir.file("S"), "CPF").code(), Error::kOverflow);
}

TEST(Hostile, LinksPlantedWhereScratchFilesGoAreNeverFollowed) {
  TempDir dir, outside;
  const std::string victim = outside.file("victim");
  writeAll(victim, "keep me");
  for (const char* name : {"P.DBF.tmp", "P.CDX.tmp", "P.DBT.tmp", "P.DBT"})
    std::filesystem::create_symlink(victim, dir.file(name));
  ASSERT_OK(Table::create(dir.file("P"), {{"K", 'C', 8, 0}, {"T", 'M', 10, 0}}));
  {
    auto t = openOrDie(dir.file("P"), true);
    ASSERT_OK(t->openIndex(dir.file("P"), "K"));
    for (int i = 0; i < 20; ++i) {
      ASSERT_OK(t->appendBlank());
      ASSERT_OK(t->put("K", std::to_string(i)));
      ASSERT_OK(t->put("T", "texto " + std::to_string(i)));
      if (i % 2) ASSERT_OK(t->markDeleted());
    }
    ASSERT_OK(t->pack());
    ASSERT_OK(t->packMemo());
    ASSERT_OK(t->reindex());
    t->goBottom();
    ASSERT_OK(t->status());
    EXPECT_EQ(t->getText("T"), "texto 8");  // the greatest key
  }
  EXPECT_EQ(readAll(victim), "keep me");
  int scratch = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
    std::string name = e.path().filename().string();
    if (name == "P.DBF" || name == "P.CDX" || name == "P.DBT") EXPECT_FALSE(e.is_symlink()) << name;
    else if (!e.is_symlink()) ++scratch;
    if (e.is_regular_file() && !e.is_symlink()) {
      EXPECT_EQ(e.status().permissions() & std::filesystem::perms::owner_write, std::filesystem::perms::owner_write)
          << name;
    }
  }
  EXPECT_EQ(scratch, 0);  // no scratch file is left behind
}

}  // namespace

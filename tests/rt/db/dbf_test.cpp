#include <gtest/gtest.h>

#include <optional>

#include "db_test_util.h"
#include "rt/db/table.h"
#include "rt/text/strings.h"
#include "support/disk_faults.h"

using namespace rt::db;
using rt::Error;
using rt::Status;
using namespace rt::db::testing;
using rt::text::Date;
using rt::text::Decimal;
using namespace rt::text::literals;

namespace {

std::vector<FieldDef> sampleFields() {
  return {{"cpf", 'C', 11, 0}, {"I7_2", 'C', 300, 0}, {"VALOR", 'N', 12, 2},
          {"DT_LC", 'D', 8, 0}, {"SO_REC", 'L', 1, 0}, {"CODIGO", 'N', 3, 0}};
}

TEST(Dbf, CreatesTheClassicLayoutByteForByte) {
  TempDir dir;
  ASSERT_OK(Table::create(dir.file("imp0410"), sampleFields()));
  std::string bytes = readAll(dir.file("IMP0410.DBF"));  // created upper case, .DBF added
  ASSERT_EQ(bytes.size(), 32u + 32 * 6 + 1 + 1);
  EXPECT_EQ(bytes[0], '\x03');
  EXPECT_EQ(bytes.substr(4, 4), std::string("\0\0\0\0", 4));
  EXPECT_EQ(static_cast<unsigned char>(bytes[8]) + 256 * static_cast<unsigned char>(bytes[9]), 32 + 32 * 6 + 1);
  int recLen = 1 + 11 + 300 + 12 + 8 + 1 + 3;
  EXPECT_EQ(static_cast<unsigned char>(bytes[10]) + 256 * static_cast<unsigned char>(bytes[11]), recLen);
  // Field descriptor of I7_2: name NUL-padded, type C, width 300 = 44 + 256 x 1.
  std::string d = bytes.substr(64, 32);
  EXPECT_EQ(d.substr(0, 11), std::string("I7_2\0\0\0\0\0\0\0", 11));
  EXPECT_EQ(d[11], 'C');
  EXPECT_EQ(static_cast<unsigned char>(d[16]), 44);
  EXPECT_EQ(static_cast<unsigned char>(d[17]), 1);
  EXPECT_EQ(bytes.substr(32, 4), std::string("CPF\0", 4));
  std::string valor = bytes.substr(96, 32);
  EXPECT_EQ(valor[11], 'N');
  EXPECT_EQ(valor[16], 12);
  EXPECT_EQ(valor[17], 2);
  EXPECT_EQ(bytes[32 + 32 * 6], '\x0D');
  EXPECT_EQ(bytes.back(), '\x1A');
}

TEST(Dbf, WritesAndReadsBackEveryType) {
  TempDir dir;
  ASSERT_OK(Table::create(dir.file("T"), sampleFields()));
  {
    auto t = openOrDie(dir.file("t.dbf"), true);
    ASSERT_OK(t->appendBlank());
    ASSERT_OK(t->put("CPF", std::string("12345678901")));
    ASSERT_OK(t->put("i7_2", rt::text::replicate("abc", 100)));
    ASSERT_OK(t->put("VALOR", -1234.56_d));
    ASSERT_OK(t->put("DT_LC", Date::fromYmd(2009, 12, 31)));
    ASSERT_OK(t->put("SO_REC", true));
    ASSERT_OK(t->put("CODIGO", Decimal(7)));
    ASSERT_OK(t->appendBlank());  // blank record: empty date, false logical, 0
    ASSERT_OK(t->close());
  }
  auto t = openOrDie(dir.file("T.DBF"));
  EXPECT_EQ(t->recordCount(), 2u);
  EXPECT_EQ(t->headerSize(), 32u + 32 * 6 + 1);
  EXPECT_EQ(t->recordSize(), 1u + 11 + 300 + 12 + 8 + 1 + 3);
  EXPECT_EQ(t->recNo(), 1u);
  EXPECT_EQ(t->getText("cpf"), "12345678901");
  EXPECT_EQ(t->getText("I7_2"), rt::text::replicate("abc", 100));
  EXPECT_EQ(t->getNumber("VALOR"), -1234.56_d);
  EXPECT_EQ(t->raw(t->fieldIndex("VALOR")), "    -1234.56");
  EXPECT_EQ(t->getDate("DT_LC"), Date::fromYmd(2009, 12, 31));
  EXPECT_EQ(t->raw(t->fieldIndex("DT_LC")), "20091231");
  EXPECT_TRUE(t->getLogical("SO_REC"));
  EXPECT_EQ(t->getNumber("CODIGO"), Decimal(7));
  t->skip();
  ASSERT_OK(t->status());
  EXPECT_EQ(t->recNo(), 2u);
  EXPECT_TRUE(t->getDate("DT_LC").isEmpty());
  EXPECT_EQ(t->raw(t->fieldIndex("DT_LC")), "        ");
  EXPECT_FALSE(t->getLogical("SO_REC"));
  EXPECT_EQ(t->raw(t->fieldIndex("SO_REC")), " ");
  EXPECT_TRUE(t->getNumber("VALOR").isZero());
  t->skip();
  ASSERT_OK(t->status());
  EXPECT_TRUE(t->eof());
  EXPECT_EQ(t->recNo(), 3u);
  // The file ends with the end mark right after the last record.
  std::string bytes = readAll(dir.file("T.DBF"));
  EXPECT_EQ(bytes.size(), t->headerSize() + 2 * t->recordSize() + 1);
  EXPECT_EQ(bytes.back(), '\x1A');
}

TEST(Dbf, RefusesANumberThatDoesNotFitNamingTheField) {
  TempDir dir;
  ASSERT_OK(Table::create(dir.file("T"), sampleFields()));
  auto t = openOrDie(dir.file("T"), true);
  ASSERT_OK(t->appendBlank());
  Status s = t->put("CODIGO", Decimal(1000));
  EXPECT_EQ(s.code(), Error::kOverflow);
  EXPECT_EQ(s.detail(), "CODIGO");
  EXPECT_EQ(t->put("VALOR", 999999999.99_d).code(), Error::kNone);
  EXPECT_EQ(t->put("VALOR", 1000000000.00_d).code(), Error::kOverflow);
  EXPECT_EQ(t->put("VALOR", -99999999.99_d).code(), Error::kNone);
  EXPECT_EQ(t->put("VALOR", -100000000.00_d).code(), Error::kOverflow);
  EXPECT_EQ(t->getNumber("VALOR"), -99999999.99_d);  // the refused value left the field alone
  EXPECT_EQ(t->put("VALOR", std::string("x")).code(), Error::kBadField);
  EXPECT_EQ(t->put("NOPE", Decimal(1)).code(), Error::kBadField);
  // Rounded at the field's decimals, half away from zero.
  ASSERT_OK(t->put("VALOR", 0.005_d));
  EXPECT_EQ(t->raw(t->fieldIndex("VALOR")), "        0.01");
}

TEST(Dbf, ReadsNumbersWithBlanksOrAsterisksAsZero) {
  EXPECT_TRUE(readNumber("   ").isZero());
  EXPECT_TRUE(readNumber("****").isZero());
  EXPECT_EQ(readNumber("  -12.50"), -12.5_d);
  EXPECT_TRUE(readLogical("Y"));
  EXPECT_TRUE(readLogical("t"));
  EXPECT_FALSE(readLogical("?"));
  EXPECT_FALSE(readLogical("N"));
}

TEST(Dbf, NavigatesWithDeletedHiddenAndFilters) {
  TempDir dir;
  ASSERT_OK(Table::create(dir.file("T"), {{"N", 'N', 5, 0}, {"K", 'C', 1, 0}}));
  auto t = openOrDie(dir.file("T"), true);
  for (int i = 1; i <= 10; ++i) {
    ASSERT_OK(t->appendBlank());
    ASSERT_OK(t->put("N", Decimal(i)));
    ASSERT_OK(t->put("K", std::string(i % 2 ? "J" : "F")));
  }
  t->goTo(1);
  ASSERT_OK(t->status());
  ASSERT_OK(t->markDeleted());
  t->goTo(10);
  ASSERT_OK(t->status());
  ASSERT_OK(t->markDeleted());
  t->goTop();
  ASSERT_OK(t->status());
  EXPECT_EQ(t->recNo(), 1u);  // deleted rows show while the switch is off
  EXPECT_FALSE(t->bof());
  t->setDeletedHidden(true);
  t->goTop();
  ASSERT_OK(t->status());
  EXPECT_EQ(t->recNo(), 2u);
  t->goBottom();
  ASSERT_OK(t->status());
  EXPECT_EQ(t->recNo(), 9u);
  t->skip(1);
  ASSERT_OK(t->status());
  EXPECT_TRUE(t->eof());
  EXPECT_EQ(t->recNo(), 11u);
  t->skip(-1);
  ASSERT_OK(t->status());
  EXPECT_EQ(t->recNo(), 9u);
  t->goTop();
  ASSERT_OK(t->status());
  t->skip(-1);
  ASSERT_OK(t->status());
  EXPECT_TRUE(t->bof());
  EXPECT_EQ(t->recNo(), 2u);
  ASSERT_OK(t->setFilter("K=\"J\""));
  t->goTop();
  ASSERT_OK(t->status());
  std::vector<int> seen;
  for (; !t->eof(); (void)t->skip()) seen.push_back(static_cast<int>(t->recNo()));
  EXPECT_EQ(seen, (std::vector<int>{3, 5, 7, 9}));
  ASSERT_OK(t->setFilter("N<4"));
  t->goTop();
  ASSERT_OK(t->status());
  EXPECT_EQ(t->recNo(), 2u);
  t->skip();
  ASSERT_OK(t->status());
  EXPECT_EQ(t->recNo(), 3u);
  t->skip();
  ASSERT_OK(t->status());
  EXPECT_TRUE(t->eof());
  t->clearFilter();
  t->goTo(1);
  ASSERT_OK(t->status());
  EXPECT_TRUE(t->isDeleted());
  ASSERT_OK(t->recall());
  t->goTop();
  ASSERT_OK(t->status());
  EXPECT_EQ(t->recNo(), 1u);
  t->goTo(50);
  ASSERT_OK(t->status());
  EXPECT_TRUE(t->eof());
}

TEST(Dbf, EmptyTableIsAtBothEnds) {
  TempDir dir;
  ASSERT_OK(Table::create(dir.file("E"), {{"A", 'C', 3, 0}}));
  auto t = openOrDie(dir.file("E"));
  EXPECT_TRUE(t->eof());
  EXPECT_TRUE(t->bof());
  EXPECT_EQ(t->recNo(), 1u);
  t->goBottom();
  ASSERT_OK(t->status());
  EXPECT_TRUE(t->eof());
  t->skip(-1);
  ASSERT_OK(t->status());
  EXPECT_TRUE(t->bof());
  EXPECT_EQ(t->put("A", std::string("x")).code(), Error::kNoRecord);
}

TEST(Dbf, PacksAndZapsOnlyWhenExclusive) {
  TempDir dir;
  ASSERT_OK(Table::create(dir.file("P"), {{"N", 'N', 5, 0}}));
  {
    auto t = openOrDie(dir.file("P"), true);
    for (int i = 1; i <= 100; ++i) {
      ASSERT_OK(t->appendBlank());
      ASSERT_OK(t->put("N", Decimal(i)));
      if (i % 3 == 0) ASSERT_OK(t->markDeleted());
    }
  }
  {
    auto t = openOrDie(dir.file("P"));
    EXPECT_EQ(t->pack().code(), Error::kNeedExclusive);
    EXPECT_EQ(t->zap().code(), Error::kNeedExclusive);
  }
  auto t = openOrDie(dir.file("P"), true);
  ASSERT_OK(t->pack());
  EXPECT_EQ(t->recordCount(), 67u);
  Decimal sum;
  for ((void)t->goTop(); !t->eof(); (void)t->skip()) {
    EXPECT_FALSE(t->isDeleted());
    sum += t->getNumber("N");
  }
  EXPECT_EQ(sum, Decimal(5050 - 3 * (33 * 34 / 2)));
  EXPECT_FALSE(fileExists(dir.file("P.DBF.tmp")));
  EXPECT_EQ(readAll(dir.file("P.DBF")).size(), t->headerSize() + 67 * t->recordSize() + 1);
  ASSERT_OK(t->zap());
  EXPECT_EQ(t->recordCount(), 0u);
  EXPECT_TRUE(t->eof());
  EXPECT_EQ(readAll(dir.file("P.DBF")).size(), t->headerSize() + 1);
}

TEST(Dbf, FindsFilesWhateverTheirCase) {
  TempDir dir;
  ASSERT_OK(Table::create(dir.file("lisErro.dbf"), {{"coderr", 'N', 2, 0}}));
  EXPECT_TRUE(fileExists(dir.file("LISERRO.DBF")));
  auto t = openOrDie(dir.file("LisErro"));
  EXPECT_EQ(t->alias(), "LISERRO");
  EXPECT_EQ(t->fieldIndex("CODERR"), 0);
  EXPECT_EQ(t->fieldIndex("coderr "), 0);
  EXPECT_EQ(Table::create(dir.file("liserro"), {{"X", 'C', 1, 0}}).code(), Error::kExists);
  EXPECT_EQ(Table::open(dir.file("missing")).code(), Error::kNotFound);
}

TEST(Dbf, RejectsBadStructures) {
  TempDir dir;
  EXPECT_EQ(Table::create(dir.file("B"), {}).code(), Error::kBadField);
  EXPECT_EQ(Table::create(dir.file("B"), {{"TOOLONGNAME1", 'C', 1, 0}}).code(), Error::kBadField);
  EXPECT_EQ(Table::create(dir.file("B"), {{"A", 'C', 1, 0}, {"a", 'N', 2, 0}}).code(), Error::kBadField);
  EXPECT_EQ(Table::create(dir.file("B"), {{"A", 'X', 1, 0}}).code(), Error::kBadField);
}

TEST(Dbf, SharedWritesNeedALock) {
  TempDir dir;
  ASSERT_OK(Table::create(dir.file("S"), {{"A", 'C', 3, 0}}));
  auto t = openOrDie(dir.file("S"));
  ASSERT_OK(t->appendBlank());  // comes locked
  ASSERT_OK(t->put("A", std::string("abc")));
  ASSERT_OK(t->unlock());
  EXPECT_EQ(t->put("A", std::string("xyz")).code(), Error::kNotLocked);
  ASSERT_OK(t->lockRecord());
  ASSERT_OK(t->put("A", std::string("xyz")));
  ASSERT_OK(t->unlock());
  ASSERT_OK(t->lockFile());
  ASSERT_OK(t->markDeleted());
  ASSERT_OK(t->commit());
  ASSERT_OK(t->unlock());
  auto u = openOrDie(dir.file("S"), false, "S2");
  EXPECT_EQ(u->getText("A"), "xyz");
  EXPECT_TRUE(u->isDeleted());
}

TEST(Dbf, AppendsOfAnExclusiveTableAreWrittenTogetherAndRereadCorrectly) {
  TempDir dir;
  ASSERT_OK(Table::create(dir.file("A"), {{"N", 'N', 6, 0}, {"K", 'C', 4, 0}}));
  auto t = openOrDie(dir.file("A"), true);
  ASSERT_OK(t->openIndex(dir.file("A"), "K"));
  for (int i = 1; i <= 2000; ++i) {
    ASSERT_OK(t->appendBlank());
    ASSERT_OK(t->put("N", Decimal(i)));
    ASSERT_OK(t->put("K", std::to_string(5000 - i)));
    if (i % 10 == 0) ASSERT_OK(t->put("N", Decimal(-i)));
    if (i == 1000) {
      ASSERT_OK(t->flush());  // a flush puts what waits into the file
      EXPECT_EQ(readAll(dir.file("A.DBF")).size(), 32u + 64 + 1 + 1000 * 11 + 1);
    }
  }
  EXPECT_EQ(t->recordCount(), 2000u);
  t->goTo(1990);
  ASSERT_OK(t->status());  // reading writes what was waiting first
  EXPECT_EQ(t->getNumber("N"), Decimal(-1990));
  ASSERT_OK(t->seek("3001"));
  ASSERT_TRUE(t->found());
  EXPECT_EQ(t->getNumber("N"), Decimal(1999));
  ASSERT_OK(t->appendBlank());
  ASSERT_OK(t->put("K", std::string("0")));
  ASSERT_OK(t->close());
  std::string bytes = readAll(dir.file("A.DBF"));
  EXPECT_EQ(bytes.size(), 32u + 64 + 1 + 2001 * 11 + 1);
  EXPECT_EQ(bytes.back(), '\x1A');
  auto u = openOrDie(dir.file("A"));
  EXPECT_EQ(u->recordCount(), 2001u);
  ASSERT_OK(u->openIndex(dir.file("A"), "K"));
  ASSERT_OK(u->checkOrder(1));
  u->goTo(2000);
  ASSERT_OK(u->status());
  EXPECT_EQ(u->getNumber("N"), Decimal(-2000));
}

}  // namespace

// A grid ending commits every open working copy, most of them unchanged: such a commit must
// write nothing (the header's date and count are not rewritten each time), while the next
// change after it still updates the header.
TEST(Dbf, ACommitWithNothingNewWritesNothing) {
  TempDir dir;
  ASSERT_OK(Table::create(dir.file("C"), {{"A", 'C', 3, 0}}));
  for (bool exclusive : {true, false}) {
    SCOPED_TRACE(exclusive ? "exclusive" : "shared");
    auto t = openOrDie(dir.file("C"), exclusive);
    ASSERT_OK(t->appendBlank());
    ASSERT_OK(t->put("A", std::string("abc")));
    ASSERT_OK(t->commit());
    if (!exclusive) ASSERT_OK(t->unlock());
    std::string disk = readAll(dir.file("C.DBF"));
    disk[1] = 99;  // a planted year: only a header write would put today's back
    writeAll(dir.file("C.DBF"), disk);
    ASSERT_OK(t->commit());
    EXPECT_EQ(readAll(dir.file("C.DBF")), disk);
    t->goTop();
    ASSERT_OK(t->status());
    if (!exclusive) ASSERT_OK(t->lockRecord());
    ASSERT_OK(t->put("A", std::string("xyz")));
    ASSERT_OK(t->commit());
    if (!exclusive) ASSERT_OK(t->unlock());
    EXPECT_NE(readAll(dir.file("C.DBF"))[1], 99);
  }
}

// A move whose pending row cannot be written returns all the same, stays on the row, and the
// error waits for the next flush, commit, unlock or close, which report it once; the row is
// not lost: once the disk takes writes again it reaches the file.
TEST(Dbf, AWriteAMoveCouldNotDoIsKeptUntilReported) {
  using Reporter = Status (*)(Table&);
  const std::pair<const char*, Reporter> reporters[] = {
      {"flush", [](Table& t) { return t.flush(); }},
      {"commit", [](Table& t) { return t.commit(); }},
      {"unlock", [](Table& t) { return t.unlock(); }},
      {"close", [](Table& t) { return t.close(); }},
  };
  for (const auto& [name, report] : reporters) {
    SCOPED_TRACE(name);
    TempDir dir;
    ASSERT_OK(Table::create(dir.file("W"), {{"N", 'N', 6, 0}}));
    auto t = openOrDie(dir.file("W"), true);
    ASSERT_OK(t->appendBlank());
    ASSERT_OK(t->put("N", Decimal(1)));
    ASSERT_OK(t->flush());
    ASSERT_OK(t->appendBlank());
    ASSERT_OK(t->put("N", Decimal(2)));
    {
      // A full disk while this lives.
      std::optional<support::DiskFaults> full(
          std::in_place, support::Fault{support::Call::kWrite, support::FaultKind::kNoSpace, "W.DBF", 1, true});
      t->goTop();
      EXPECT_EQ(t->status().code(), Error::kIo);
      EXPECT_EQ(t->writeError().code(), Error::kIo);
      EXPECT_EQ(t->recNo(), 2u);  // not moved: still on the row that waits
      EXPECT_EQ(t->getNumber("N"), Decimal(2));
      t->skip(-1);  // a later move fails again; the first error is the one kept
      EXPECT_EQ(t->status().code(), Error::kIo);
      EXPECT_EQ(t->recNo(), 2u);
      full.reset();
      ASSERT_OK(t->appendBlank());  // joins the appends that wait: whole records, nothing between
      ASSERT_OK(t->put("N", Decimal(3)));
      // A seek is a move: status() then tells its own result, not the older move's.
      EXPECT_EQ(t->seek("3").code(), Error::kBadField);  // no order
      EXPECT_EQ(t->status().code(), Error::kBadField);
      EXPECT_EQ(report(*t).code(), Error::kIo);  // said, though the writes now went through
    }
    EXPECT_OK(t->writeError());
    if (std::string(name) != "close") {
      EXPECT_OK(t->flush());  // said once
      t->goTop();
      EXPECT_OK(t->status());
      ASSERT_OK(t->close());
    }
    auto again = openOrDie(dir.file("W"));
    ASSERT_EQ(again->recordCount(), 3u);
    for (std::uint32_t r = 1; r <= 3; ++r) {
      again->goTo(r);
      EXPECT_EQ(again->getNumber("N"), Decimal(static_cast<int>(r)));
    }
  }
}

#include <gtest/gtest.h>

#include "db_test_util.h"
#include "rt/db/work_areas.h"

using namespace rt::db;
using rt::Error;
using namespace rt::db::testing;
using rt::text::Decimal;

namespace {

TEST(WorkAreas, SelectsByNumberTextAndAliasAndHidesDeletedEverywhere) {
  TempDir dir;
  ASSERT_OK(Table::create(dir.file("IMP0210"), {{"CPF", 'C', 11, 0}, {"I1_1", 'C', 1, 0}}));
  ASSERT_OK(Table::create(dir.file("IMP0910"), {{"CPF", 'C', 11, 0}}));
  WorkAreas w;
  ASSERT_OK(w.open(2, dir.file("imp0210")));
  ASSERT_OK(w.open(9, dir.file("IMP0910")));
  EXPECT_EQ(w.current(), 9);
  EXPECT_EQ(w->alias(), "IMP0910");
  ASSERT_OK(w.select("02"));
  EXPECT_EQ(w.current(), 2);
  ASSERT_OK(w.select("imp0910"));
  EXPECT_EQ(w.current(), 9);
  ASSERT_OK(w.select(" 2 "));
  EXPECT_EQ(w.current(), 2);
  EXPECT_EQ(w.select("NOPE").code(), Error::kNotFound);
  EXPECT_EQ(w.current(), 2);
  EXPECT_EQ(w.table("IMP0210"), w.table(2));
  EXPECT_EQ(w.areaOf("Imp0210"), 2);
  // The same file again under another alias; the alias must be free.
  OpenOptions o;
  o.alias = "ORIGEM";
  ASSERT_OK(w.open(50, dir.file("IMP0210"), o));
  EXPECT_EQ(w.areaOf("origem"), 50);
  EXPECT_EQ(w.open(51, dir.file("IMP0210")).code(), Error::kInUse);
  w.select(2);
  ASSERT_EQ(w.current(), 2);
  w.select(100);  // no such area: the selection stays
  ASSERT_EQ(w.current(), 2);
  ASSERT_OK(w->appendBlank());
  ASSERT_OK(w->put("I1_1", std::string("J")));
  ASSERT_OK(w->markDeleted());
  ASSERT_OK(w->appendBlank());
  ASSERT_OK(w->unlock());
  w.setDeletedHidden(true);
  w.table(50)->goTop();
  ASSERT_OK(w.table(50)->status());
  EXPECT_EQ(w.table(50)->recNo(), 2u);
  ASSERT_OK(w.close(50));
  EXPECT_FALSE(w.isOpen(50));
  ASSERT_OK(w.open(50, dir.file("IMP0210"), o));
  w.table(50)->goTop();
  ASSERT_OK(w.table(50)->status());
  EXPECT_EQ(w.table(50)->recNo(), 2u);  // the switch holds for tables opened later
  EXPECT_EQ(w.open(0, dir.file("IMP0210")).code(), Error::kBadField);
  ASSERT_OK(w.closeAll());
  EXPECT_EQ(w.currentTable(), nullptr);
}

}  // namespace

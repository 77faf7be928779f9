// Terminals sharing tables: separate processes (fork) holding locks and opens, and two
// handles in one process, which must behave as two terminals do.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <random>

#include "child_process.h"
#include "db_test_util.h"
#include "rt/db/table.h"

using namespace rt::db;
using rt::Error;
using rt::Status;
using namespace rt::db::testing;
using rt::text::Decimal;

namespace {

void makeTable(const TempDir& dir, int records) {
  ASSERT_OK(Table::create(dir.file("IMP0910"), {{"CPF", 'C', 11, 0}, {"NOMECONTR", 'C', 53, 0}, {"ESTATUS", 'N', 2, 0}}));
  auto t = openOrDie(dir.file("IMP0910"), true);
  for (int i = 0; i < records; ++i) {
    ASSERT_OK(t->appendBlank());
    ASSERT_OK(t->put("CPF", std::to_string(10000000000LL + i)));
  }
}

// The table with its two indexes, as the register has them.
void makeIndexedTable(const TempDir& dir, int records) {
  makeTable(dir, records);
  auto t = openOrDie(dir.file("IMP0910"), true);
  ASSERT_OK(t->openIndex(dir.file("IMP0910"), "CPF"));
  ASSERT_OK(t->openIndex(dir.file("IMP0910B"), "UPPER(NOMECONTR)"));
}

TEST(Sharing, ARecordLockIsRefusedToAnotherProcessUntilReleased) {
  TempDir dir;
  makeTable(dir, 3);
  Child child([&](Child& c) {
    auto t = Table::open(dir.file("IMP0910"));
    if (!t || !(*t)->lockRecord(2)) return 1;
    // A second handle on the same file, opened and closed, must not take the lock with it.
    {
      OpenOptions o;
      o.alias = "OUTRO";
      auto again = Table::open(dir.file("imp0910"), o);
      if (!again) return 2;
      (void)(*again)->close();
    }
    c.signalParent();
    c.awaitParent();
    if (!(*t)->unlock()) return 3;
    c.signalParent();
    c.awaitParent();
    return 0;
  });
  child.awaitChild();
  auto t = openOrDie(dir.file("IMP0910"));
  EXPECT_EQ(t->lockRecord(2).code(), Error::kLocked);
  EXPECT_EQ(t->lockFile().code(), Error::kLocked);
  ASSERT_OK(t->lockRecord(1));  // other records are free
  t->goTo(2);
  ASSERT_OK(t->status());
  EXPECT_EQ(t->put("ESTATUS", Decimal(1)).code(), Error::kNotLocked);
  child.signalChild();
  child.awaitChild();
  ASSERT_OK(t->lockRecord(2));
  ASSERT_OK(t->put("ESTATUS", Decimal(1)));
  ASSERT_OK(t->unlock());
  child.signalChild();
  EXPECT_EQ(child.wait(), 0);
}

TEST(Sharing, AnExclusiveOpenIsRefusedWhileAnotherProcessHasTheTable) {
  TempDir dir;
  makeTable(dir, 1);
  Child child([&](Child& c) {
    auto t = Table::open(dir.file("IMP0910"));
    if (!t) return 1;
    c.signalParent();
    c.awaitParent();
    (void)(*t)->close();
    c.signalParent();
    c.awaitParent();
    return 0;
  });
  child.awaitChild();
  OpenOptions ex;
  ex.exclusive = true;
  EXPECT_EQ(Table::open(dir.file("IMP0910"), ex).code(), Error::kInUse);
  {
    auto shared = openOrDie(dir.file("IMP0910"));  // shared next to shared is fine
    EXPECT_EQ(shared->pack().code(), Error::kNeedExclusive);
    EXPECT_EQ(shared->zap().code(), Error::kNeedExclusive);
  }
  child.signalChild();
  child.awaitChild();
  {
    auto t = Table::open(dir.file("IMP0910"), ex);
    ASSERT_TRUE(t.isOk());
    // And while we hold it exclusively, a shared open elsewhere is refused.
    Child other([&](Child&) { return Table::open(dir.file("IMP0910")).code() == Error::kInUse ? 0 : 1; });
    EXPECT_EQ(other.wait(), 0);
  }
  child.signalChild();
  EXPECT_EQ(child.wait(), 0);
}

TEST(Sharing, PackAndZapAreRefusedUnderLoadWithoutExclusiveUse) {
  TempDir dir;
  makeTable(dir, 50);
  Child writer([&](Child& c) {
    auto t = Table::open(dir.file("IMP0910"));
    if (!t) return 1;
    c.signalParent();
    for (int i = 0; i < 200; ++i) {
      if (!(*t)->appendBlank()) continue;
      (void)(*t)->put("CPF", std::string("99999999999"));
      (void)(*t)->markDeleted();
    }
    (void)(*t)->unlock();
    c.awaitParent();
    return 0;
  });
  writer.awaitChild();
  auto t = openOrDie(dir.file("IMP0910"));
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(t->pack().code(), Error::kNeedExclusive);
    EXPECT_EQ(t->zap().code(), Error::kNeedExclusive);
  }
  OpenOptions ex;
  ex.exclusive = true;
  EXPECT_EQ(Table::open(dir.file("IMP0910"), ex).code(), Error::kInUse);
  writer.signalChild();
  EXPECT_EQ(writer.wait(), 0);
  EXPECT_EQ(t->recordCount(), 250u);
  ASSERT_OK(t->close());
  auto x = openOrDie(dir.file("IMP0910"), true);
  ASSERT_OK(x->pack());
  EXPECT_EQ(x->recordCount(), 50u);
}

TEST(Sharing, TwoProcessesAppendingAtOnceKeepBothIndexesRight) {
  TempDir dir;
  makeIndexedTable(dir, 0);
  constexpr int kEach = 1500;
  auto appender = [&](int who) {
    return [&, who](Child& c) {
      auto t = Table::open(dir.file("IMP0910"));
      if (!t) return 1;
      if (!(*t)->openIndex(dir.file("IMP0910"), "CPF") || !(*t)->openIndex(dir.file("IMP0910B"), "UPPER(NOMECONTR)"))
        return 2;
      c.signalParent();
      c.awaitParent();
      for (int i = 0; i < kEach; ++i) {
        Status s;
        while ((s = (*t)->appendBlank()).code() == Error::kLocked) {
        }
        if (!s) return 3;
        if (!(*t)->put("CPF", std::to_string(who * 100000000000LL / 10 + i))) return 4;
        if (!(*t)->put("NOMECONTR", "nome " + std::to_string(who) + " " + std::to_string(i))) return 5;
        if (i % 7 == 0 && !(*t)->seek(std::to_string(who * 100000000000LL / 10 + i / 2))) return 6;
        if (i % 7 == 0 && !(*t)->found()) return 7;  // sees its own writes through the index
      }
      return (*t)->close() ? 0 : 8;
    };
  };
  Child a(appender(1));
  Child b(appender(2));
  a.awaitChild();
  b.awaitChild();
  a.signalChild();
  b.signalChild();
  EXPECT_EQ(a.wait(), 0);
  EXPECT_EQ(b.wait(), 0);
  auto t = openOrDie(dir.file("IMP0910"));
  ASSERT_OK(t->openIndex(dir.file("IMP0910"), "CPF"));
  ASSERT_OK(t->openIndex(dir.file("IMP0910B"), "UPPER(NOMECONTR)"));
  EXPECT_EQ(t->recordCount(), 2u * kEach);
  ASSERT_OK(t->checkOrder(1));
  ASSERT_OK(t->checkOrder(2));
  ASSERT_OK(t->useOrder(2));
  ASSERT_OK(t->seek("NOME 2 1499"));
  EXPECT_TRUE(t->found());
}

TEST(Sharing, ASecondHandleSeesAppendsAndKeyChangesOfTheFirst) {
  TempDir dir;
  makeTable(dir, 10);
  auto a = openOrDie(dir.file("IMP0910"));
  auto b = openOrDie(dir.file("IMP0910"), false, "IMP0910B");
  ASSERT_OK(a->openIndex(dir.file("IMP0910"), "CPF"));
  ASSERT_OK(b->openIndex(dir.file("IMP0910"), "CPF"));
  ASSERT_OK(b->seek("10000000005"));
  ASSERT_TRUE(b->found());  // b's cache now holds the pages
  ASSERT_OK(a->appendBlank());
  ASSERT_OK(a->put("CPF", std::string("55555555555")));
  ASSERT_OK(a->seek("10000000005"));
  ASSERT_OK(a->lockRecord());
  ASSERT_OK(a->put("CPF", std::string("66666666666")));
  ASSERT_OK(a->unlock());
  EXPECT_EQ(b->recordCount(), 11u);
  ASSERT_OK(b->seek("55555555555"));
  EXPECT_TRUE(b->found());
  ASSERT_OK(b->seek("10000000005"));
  EXPECT_FALSE(b->found());
  ASSERT_OK(b->seek("66666666666"));
  EXPECT_TRUE(b->found());
  EXPECT_EQ(b->recNo(), 6u);
  // A lock through one handle holds against the other.
  ASSERT_OK(a->lockRecord(3));
  EXPECT_EQ(b->lockRecord(3).code(), Error::kLocked);
  ASSERT_OK(a->close());
  ASSERT_OK(b->lockRecord(3));
}

TEST(Sharing, AnotherProcessesChangesShowThroughCachedIndexPages) {
  TempDir dir;
  makeTable(dir, 2000);
  auto t = openOrDie(dir.file("IMP0910"));
  ASSERT_OK(t->openIndex(dir.file("IMP0910"), "CPF"));
  ASSERT_OK(t->seek("10000000777"));
  ASSERT_TRUE(t->found());
  t->goTop();
  ASSERT_OK(t->status());  // pages cached along the way
  Child child([&](Child&) {
    auto u = Table::open(dir.file("IMP0910"));
    if (!u || !(*u)->openIndex(dir.file("IMP0910"), "CPF")) return 1;
    if (!(*u)->seek("10000000777") || !(*u)->found() || !(*u)->lockRecord()) return 2;
    if (!(*u)->put("CPF", std::string("00000000001"))) return 3;
    for (int i = 0; i < 300; ++i)  // enough to split pages the parent holds
      if (!(*u)->appendBlank() || !(*u)->put("CPF", std::to_string(20000000000LL + i))) return 4;
    return (*u)->close() ? 0 : 5;
  });
  EXPECT_EQ(child.wait(), 0);
  EXPECT_EQ(t->recordCount(), 2300u);
  ASSERT_OK(t->seek("10000000777"));
  EXPECT_FALSE(t->found());
  t->goTop();
  ASSERT_OK(t->status());
  EXPECT_EQ(t->getText("CPF"), "00000000001");
  EXPECT_EQ(t->recNo(), 778u);
  ASSERT_OK(t->seek("20000000299"));
  EXPECT_TRUE(t->found());
  ASSERT_OK(t->checkOrder(1));
}

TEST(Sharing, ThreeProcessesChangingAtRandomLeaveBothIndexesRight) {
  TempDir dir;
  makeIndexedTable(dir, 200);
  auto worker = [&](unsigned seed) {
    return [&, seed](Child&) {
      auto t = Table::open(dir.file("IMP0910"));
      if (!t || !(*t)->openIndex(dir.file("IMP0910"), "CPF") ||
          !(*t)->openIndex(dir.file("IMP0910B"), "UPPER(NOMECONTR)"))
        return 1;
      Table& tb = **t;
      std::mt19937 rng(seed);
      for (int i = 0; i < 400; ++i) {
        unsigned op = rng() % 4;
        if (op == 0) {
          if (tb.appendBlank().code() == Error::kLocked) continue;
        } else {
          (void)tb.seek(std::to_string(10000000000LL + rng() % 300), true);
          if (tb.eof() || tb.lockRecord().code() == Error::kLocked) continue;
        }
        if (!tb.put("CPF", std::to_string(10000000000LL + rng() % 300))) return 2;
        if (!tb.put("NOMECONTR", "n" + std::to_string(rng() % 1000))) return 3;
        if (op == 3 && !tb.markDeleted()) return 4;
        if (!tb.unlock()) return 5;
      }
      return tb.close() ? 0 : 6;
    };
  };
  {
    Child a(worker(1)), b(worker(2)), c(worker(3));
    EXPECT_EQ(a.wait(), 0);
    EXPECT_EQ(b.wait(), 0);
    EXPECT_EQ(c.wait(), 0);
  }
  auto t = openOrDie(dir.file("IMP0910"));
  ASSERT_OK(t->openIndex(dir.file("IMP0910"), "CPF"));
  ASSERT_OK(t->openIndex(dir.file("IMP0910B"), "UPPER(NOMECONTR)"));
  EXPECT_GT(t->recordCount(), 200u);
  ASSERT_OK(t->checkOrder(1));
  ASSERT_OK(t->checkOrder(2));
}

}  // namespace

namespace {

std::string cpfOf(long long n) { return std::to_string(10000000000LL + n); }

TEST(Sharing, AnIndexRemovedWhileFourProcessesOpenAndAppendIsBuiltOnceAndFindsEveryRecord) {
  TempDir dir;
  makeTable(dir, 100);
  {
    auto t = openOrDie(dir.file("IMP0910"), true);
    ASSERT_OK(t->openIndex(dir.file("IMP0910"), "CPF"));
  }
  constexpr int kRounds = 4, kEach = 60;
  auto appender = [&](int who) {
    return [&, who](Child& c) {
      c.signalParent();
      for (int round = 0; round < kRounds; ++round) {
        // Each round opens anew, so opens meet a missing index again and again.
        auto t = Table::open(dir.file("IMP0910"));
        if (!t) return 1;
        if (!(*t)->openIndex(dir.file("IMP0910"), "CPF")) return 2;
        for (int i = 0; i < kEach; ++i) {
          Status s;
          while ((s = (*t)->appendBlank()).code() == Error::kLocked) {
          }
          if (!s) return 10 + static_cast<int>(s.code());
          if (!(*t)->put("CPF", cpfOf(1000000LL * who + 1000 * round + i))) return 4;
        }
        if (!(*t)->close()) return 5;
      }
      return 0;
    };
  };
  std::filesystem::remove(dir.file("IMP0910.CDX"));
  {
    Child a(appender(1)), b(appender(2)), c(appender(3)), d(appender(4));
    for (Child* ch : {&a, &b, &c, &d}) ch->awaitChild();
    for (int i = 0; i < 6; ++i) {
      usleep(3000);
      std::filesystem::remove(dir.file("IMP0910.CDX"));
    }
    EXPECT_EQ(a.wait(), 0);
    EXPECT_EQ(b.wait(), 0);
    EXPECT_EQ(c.wait(), 0);
    EXPECT_EQ(d.wait(), 0);
  }
  auto t = openOrDie(dir.file("IMP0910"));
  ASSERT_OK(t->openIndex(dir.file("IMP0910"), "CPF"));
  EXPECT_EQ(t->recordCount(), 100u + 4 * kRounds * kEach);
  ASSERT_OK(t->checkOrder(1));
  int missing = 0;
  for (int who = 1; who <= 4; ++who)
    for (int round = 0; round < kRounds; ++round)
      for (int i = 0; i < kEach; ++i) {
        ASSERT_OK(t->seek(cpfOf(1000000LL * who + 1000 * round + i)));
        if (!t->found()) ++missing;
      }
  EXPECT_EQ(missing, 0);
}

TEST(Sharing, AWriterKilledInTheMiddleOfASharedWriteNeverLeavesAnIndexWrong) {
  TempDir dir;
  makeIndexedTable(dir, 60);
  auto open = [&](std::unique_ptr<Table>& out) {
    auto t = Table::open(dir.file("IMP0910"));
    if (!t || !(*t)->openIndex(dir.file("IMP0910"), "CPF") || !(*t)->openIndex(dir.file("IMP0910B"), "UPPER(NOMECONTR)"))
      return false;
    out = std::move(*t);
    return true;
  };
  auto writer = [&](unsigned seed) {
    return [&, seed](Child& c) {
      std::unique_ptr<Table> t;
      if (!open(t)) return 1;
      c.signalParent();
      std::mt19937 rng(seed);
      for (int i = 0; i < 40; ++i) {
        if (rng() % 5 == 0) {
          if (t->appendBlank().code() == Error::kLocked) continue;
        } else {
          t->goTo(1 + rng() % t->recordCount());
          if (!t->status() || t->lockRecord().code() == Error::kLocked) continue;
        }
        if (!t->put("CPF", cpfOf(rng() % 400)) || !t->put("NOMECONTR", "n" + std::to_string(rng() % 500))) return 2;
        if (!t->unlock()) return 3;
      }
      return t->close() ? 0 : 4;
    };
  };
  std::mt19937 rng(5);
  int wrong = 0;
  for (int round = 0; round < 200; ++round) {
    {
      Child a(writer(rng())), b(writer(rng())), c(writer(rng()));
      Child* all[] = {&a, &b, &c};
      for (Child* ch : all) ch->awaitChild();
      usleep(rng() % 1500);
      kill(all[rng() % 3]->pid(), SIGKILL);
    }
    // Every terminal opening afterwards reads indexes that agree with the table.
    std::unique_ptr<Table> t;
    ASSERT_TRUE(open(t)) << "round " << round;
    if (!t->checkOrder(1) || !t->checkOrder(2)) ++wrong;
  }
  EXPECT_EQ(wrong, 0);
}

// A batch of whole records: refused whole without the file lock or with a value that does not
// fit; appended, another terminal sees every record and finds it through both indexes; the same
// on an exclusive table.
TEST(Sharing, AppendRecordsWritesAWholeBatchOrNothing) {
  TempDir dir;
  makeIndexedTable(dir, 3);
  auto open = [&](bool exclusive) {
    auto t = openOrDie(dir.file("IMP0910"), exclusive);
    EXPECT_OK(t->openIndex(dir.file("IMP0910"), "CPF"));
    EXPECT_OK(t->openIndex(dir.file("IMP0910B"), "UPPER(NOMECONTR)"));
    return t;
  };
  std::vector<std::vector<Value>> rows;
  for (int i = 0; i < 1000; ++i) rows.push_back({cpfOf(i), "nome " + std::to_string(i), Decimal::fromInt(i % 90)});
  {
    auto a = open(false), b = open(false);
    EXPECT_EQ(a->appendRecords(rows).code(), Error::kNotLocked);
    ASSERT_OK(a->lockFile());
    auto ruim = rows;
    ruim[999][2] = Decimal::fromInt(100);  // ESTATUS is N2
    EXPECT_EQ(a->appendRecords(ruim).code(), Error::kOverflow);
    EXPECT_EQ(b->recordCount(), 3u);
    ASSERT_OK(a->appendRecords(rows));
    ASSERT_OK(a->unlock());
    EXPECT_EQ(a->recNo(), 1003u);
    EXPECT_EQ(b->recordCount(), 1003u);
    ASSERT_OK(b->seek(cpfOf(500)));
    EXPECT_TRUE(b->found());
    EXPECT_EQ(b->recNo(), 504u);
    EXPECT_EQ(b->getText("NOMECONTR"), "nome 500" + std::string(45, ' '));
    b->setOrder(2);
    ASSERT_OK(b->seek("NOME 999"));
    EXPECT_EQ(b->recNo(), 1003u);
    EXPECT_EQ(b->getNumber("ESTATUS"), Decimal::fromInt(999 % 90));
    EXPECT_OK(b->checkOrder(1));
    EXPECT_OK(b->checkOrder(2));
  }
  {
    auto x = open(true);
    ASSERT_OK(x->appendRecords(std::span(rows).first(2)));
    ASSERT_OK(x->close());
  }
  auto t = open(false);
  EXPECT_EQ(t->recordCount(), 1005u);
  EXPECT_OK(t->checkOrder(1));
  EXPECT_OK(t->checkOrder(2));
}

// An append lets go of the record locks its handle held and holds the new record, also when
// one release lets go of the update lock and the other records at once: another process
// then gets the old records and not the new one, until the next append moves it on.
TEST(Sharing, AnAppendMovesTheHandlesRecordLockToTheNewRecord) {
  TempDir dir;
  makeIndexedTable(dir, 3);
  auto t = openOrDie(dir.file("IMP0910"));
  ASSERT_OK(t->openIndex(dir.file("IMP0910"), "CPF"));
  ASSERT_OK(t->openIndex(dir.file("IMP0910B"), "UPPER(NOMECONTR)"));
  ASSERT_OK(t->lockRecord(1));
  ASSERT_OK(t->lockRecord(3, true));
  ASSERT_OK(t->appendBlank());
  ASSERT_EQ(t->recNo(), 4u);
  ASSERT_OK(t->put("CPF", std::string("20000000004")));
  // What another process may lock now: 1-3 free, 4 held; the file lock refused.
  auto outro = [&](std::vector<std::uint32_t> livres, std::uint32_t preso) {
    Child c([&](Child&) {
      auto o = Table::open(dir.file("IMP0910"));
      if (!o) return 1;
      for (std::uint32_t r : livres)
        if (!(*o)->lockRecord(r, true)) return 2;
      if ((*o)->lockRecord(preso, true).code() != Error::kLocked) return 3;
      if ((*o)->lockFile().code() != Error::kLocked) return 4;
      return (*o)->unlock() ? 0 : 5;
    });
    return c.wait();
  };
  EXPECT_EQ(outro({1, 2, 3}, 4), 0);
  ASSERT_OK(t->appendBlank());  // writes record 4 and holds 5
  ASSERT_OK(t->put("CPF", std::string("20000000005")));
  EXPECT_EQ(outro({1, 2, 3, 4}, 5), 0);
  ASSERT_OK(t->unlock());
  EXPECT_OK(t->checkOrder(1));
  EXPECT_OK(t->checkOrder(2));
  ASSERT_OK(t->seek("20000000004"));
  EXPECT_TRUE(t->found());
}

}  // namespace

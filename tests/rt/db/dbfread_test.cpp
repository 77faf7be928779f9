// A table written by the engine, read by python3-dbfread: a reader nobody here wrote.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "db_test_util.h"
#include "rt/db/table.h"
#include "rt/text/strings.h"
#include "support/dbfread.h"
#include "support/saida_de.h"

using namespace rt::db;
using namespace rt::db::testing;
using rt::text::Date;
using rt::text::Decimal;
using namespace rt::text::literals;

namespace {

TEST(Dbfread, ReadsWhatTheEngineWrote) {
  if (!support::temDbfread()) GTEST_SKIP() << "python3-dbfread is not installed";
  TempDir dir;
  ASSERT_OK(Table::create(dir.file("IMP0410"), {{"CPF", 'C', 11, 0}, {"I7_2", 'C', 300, 0}, {"I7_3", 'N', 12, 2},
                                                {"DT", 'D', 8, 0}, {"OK", 'L', 1, 0}, {"TEXTO", 'M', 10, 0}}));
  {
    auto t = openOrDie(dir.file("IMP0410"), true);
    ASSERT_OK(t->appendBlank());
    ASSERT_OK(t->put("CPF", std::string("12345678901")));
    ASSERT_OK(t->put("I7_2", std::string(280, 'b') + "FIM"));
    ASSERT_OK(t->put("I7_3", -1234.56_d));
    ASSERT_OK(t->put("DT", Date::fromYmd(2009, 12, 31)));
    ASSERT_OK(t->put("OK", true));
    ASSERT_OK(t->put("TEXTO", std::string("uma nota")));
    ASSERT_OK(t->appendBlank());
    ASSERT_OK(t->put("CPF", std::string("apagado")));
    ASSERT_OK(t->markDeleted());
    ASSERT_OK(t->appendBlank());
    ASSERT_OK(t->put("I7_3", 0.5_d));
    ASSERT_OK(t->close());
  }
  std::string script =
      "import dbfread,sys\n"
      "t=dbfread.DBF(sys.argv[1],encoding='cp860')\n"
      "print(len(t.fields),t.header.numrecords,t.header.headerlen,t.header.recordlen)\n"
      "for r in t:\n"
      "  print('|'.join(repr(v) if not isinstance(v,str) else v for v in r.values()))\n";
  writeAll(dir.file("dump.py"), script);
  std::string out = ::teste::saidaDe("/usr/bin/python3 " + dir.file("dump.py") + " " + dir.file("IMP0410.DBF") + " 2>&1");
  EXPECT_EQ(out,
            "6 3 225 343\n"
            "12345678901|" + std::string(280, 'b') + "FIM" + "|-1234.56|datetime.date(2009, 12, 31)|True|uma nota\n"
            "||0.5|None|None|None\n");
}

}  // namespace

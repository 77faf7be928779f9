#include "rt/text/date.h"

#include <gtest/gtest.h>

using namespace rt::text;

namespace {

TEST(Date, TextForms) {
  Date d = Date::fromYmd(2009, 2, 1);
  EXPECT_EQ(dtoc(d), "01/02/2009");
  EXPECT_EQ(dtos(d), "20090201");
  EXPECT_EQ(ctod("01/02/2009"), d);
  EXPECT_EQ(ctod("1/2/2009"), d);
  EXPECT_EQ(dtoc(ctod("01/02/09")), "01/02/1909");  // two-digit years: epoch 1900
  EXPECT_EQ(stod("20090201"), d);
  EXPECT_EQ(d.day(), 1);
  EXPECT_EQ(d.month(), 2);
  EXPECT_EQ(d.year(), 2009);
  EXPECT_EQ(dtoc(ctod("31/12/2010")), "31/12/2010");
}

TEST(Date, InvalidTextIsTheEmptyDate) {
  EXPECT_TRUE(ctod("29/02/2009").isEmpty());
  EXPECT_EQ(dtoc(ctod("29/02/2008")), "29/02/2008");
  EXPECT_TRUE(ctod("29/02/1900").isEmpty());  // a century year not divisible by 400
  EXPECT_EQ(dtoc(ctod("29/02/2000")), "29/02/2000");
  EXPECT_TRUE(ctod("31/04/2009").isEmpty());
  EXPECT_TRUE(ctod("00/01/2009").isEmpty());
  EXPECT_TRUE(ctod("01/13/2009").isEmpty());
  EXPECT_TRUE(ctod("  /  /    ").isEmpty());
  EXPECT_TRUE(ctod("").isEmpty());
  EXPECT_TRUE(ctod("ab/cd/efgh").isEmpty());
  EXPECT_TRUE(ctod("01/02/2009x").isEmpty());
  EXPECT_TRUE(stod("20090229").isEmpty());
  EXPECT_EQ(dtos(stod("20080229")), "20080229");
  EXPECT_TRUE(stod("        ").isEmpty());
  EXPECT_TRUE(stod("2009021").isEmpty());
  EXPECT_TRUE(Date::fromYmd(2009, 2, 29).isEmpty());
}

TEST(Date, EmptyDate) {
  Date empty;
  EXPECT_TRUE(empty.isEmpty());
  EXPECT_EQ(dtoc(empty), "  /  /    ");
  EXPECT_EQ(dtos(empty), "        ");
  EXPECT_EQ(empty.day(), 0);
  EXPECT_EQ(empty.month(), 0);
  EXPECT_EQ(empty.year(), 0);
  EXPECT_EQ(dow(empty), 0);
  EXPECT_TRUE((empty + 5).isEmpty());
  EXPECT_EQ(Date::fromYmd(2009, 1, 1) - empty, 0);
  EXPECT_LT(empty, Date::fromYmd(1900, 1, 1));  // the empty date sorts first
  EXPECT_TRUE(endOfMonth(empty).isEmpty());
}

TEST(Date, DayArithmetic) {
  EXPECT_EQ(dtoc(ctod("31/01/2009") + 1), "01/02/2009");
  EXPECT_EQ(dtoc(ctod("28/02/2009") + 1), "01/03/2009");
  EXPECT_EQ(dtoc(ctod("28/02/2008") + 1), "29/02/2008");
  EXPECT_EQ(dtoc(ctod("31/12/2009") + 1), "01/01/2010");
  EXPECT_EQ(dtoc(ctod("01/01/2010") - 1), "31/12/2009");
  EXPECT_EQ(dtoc(ctod("01/03/2008") - 1), "29/02/2008");
  EXPECT_EQ(ctod("01/01/2010") - ctod("01/01/2009"), 365);
  EXPECT_EQ(ctod("01/01/2009") - ctod("01/01/2008"), 366);
  EXPECT_EQ(ctod("01/01/2009") - ctod("31/12/2009"), -364);
  EXPECT_EQ(dtoc(ctod("15/01/2009") + 365), "15/01/2010");
}

TEST(Date, DayOfWeekStartsOnSunday) {
  EXPECT_EQ(dow(ctod("01/02/2009")), 1);  // a Sunday
  EXPECT_EQ(dow(ctod("02/02/2009")), 2);
  EXPECT_EQ(dow(ctod("07/02/2009")), 7);  // Saturday
  EXPECT_EQ(dow(ctod("01/01/2009")), 5);  // Thursday
  EXPECT_EQ(dow(ctod("01/01/2000")), 7);  // Saturday
}

TEST(Date, EndOfMonth) {
  EXPECT_EQ(dtoc(endOfMonth(ctod("10/02/2009"))), "28/02/2009");
  EXPECT_EQ(dtoc(endOfMonth(ctod("01/02/2008"))), "29/02/2008");
  EXPECT_EQ(dtoc(endOfMonth(ctod("31/12/2009"))), "31/12/2009");
  EXPECT_EQ(dtoc(endOfMonth(ctod("15/04/2009"))), "30/04/2009");
}

TEST(Clock, FixedClockGivesSecondsAndTime) {
  FixedClock clock({ctod("31/12/2009"), 23 * 3600 + 59 * 60 + 58, 25});
  EXPECT_EQ(today(clock), ctod("31/12/2009"));
  EXPECT_EQ(seconds(clock), *Decimal::parse("86398.25"));
  EXPECT_EQ(timeText(clock), "23:59:58");
  clock.advanceSeconds(3);  // past midnight: the next day
  EXPECT_EQ(timeText(clock), "00:00:01");
  EXPECT_EQ(dtoc(today(clock)), "01/01/2010");
  clock.advanceSeconds(-2);
  EXPECT_EQ(timeText(clock), "23:59:59");
  EXPECT_EQ(dtoc(today(clock)), "31/12/2009");
  clock.set({ctod("01/02/2009"), 9 * 3600 + 5 * 60 + 7, 0});
  EXPECT_EQ(timeText(clock), "09:05:07");
  EXPECT_EQ(seconds(clock), Decimal(32707));
}

TEST(Clock, SystemClockIsSane) {
  LocalTime t = systemClock().now();
  EXPECT_FALSE(t.date.isEmpty());
  EXPECT_GE(t.secondsOfDay, 0);
  EXPECT_LT(t.secondsOfDay, 86400);
  EXPECT_EQ(timeText(systemClock()).size(), 8u);
}

}  // namespace

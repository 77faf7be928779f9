#include "rt/text/decimal.h"

#include <gtest/gtest.h>

#include <limits>

using namespace rt::text;

namespace {

Decimal d(const char* text) { return *Decimal::parse(text); }

TEST(Decimal, ParsesAndPrintsExactly) {
  EXPECT_EQ(d("  -1234.56").toString(2), "-1234.56");
  EXPECT_EQ(d("0.1") + d("0.2"), d("0.3"));
  EXPECT_EQ(d("12.5").toString(), "12.5");
  EXPECT_EQ(d("-3").toString(), "-3");
  EXPECT_EQ(d("0.00000001").toString(), "0.00000001");
  EXPECT_EQ(d("1.000000005").toString(), "1.00000001");  // beyond 8 places rounds half away
  EXPECT_EQ(12.34_d, d("12.34"));
  EXPECT_EQ(1'000.5_d, d("1000.5"));
  EXPECT_FALSE(Decimal::parse(""));
  EXPECT_FALSE(Decimal::parse("12a"));
  EXPECT_FALSE(Decimal::parse("1.2.3"));
  EXPECT_FALSE(Decimal::parse("-"));
}

TEST(Decimal, ValReadsWhatTheRuntimeRead) {
  EXPECT_EQ(Decimal::val("  -1234.56"), d("-1234.56"));
  EXPECT_EQ(Decimal::val(""), Decimal());
  EXPECT_EQ(Decimal::val("*****"), Decimal());
  EXPECT_EQ(Decimal::val("   "), Decimal());
  EXPECT_EQ(Decimal::val("12,50"), Decimal(12));  // stops at the first other character
  EXPECT_EQ(Decimal::val("1.5.7"), d("1.5"));
  EXPECT_EQ(Decimal::val("+7"), Decimal(7));
}

TEST(Decimal, Arithmetic) {
  EXPECT_EQ(d("1234.56") * d("0.275"), d("339.504"));
  EXPECT_EQ(d("10") / d("3"), d("3.33333333"));
  EXPECT_EQ(d("20") / d("3"), d("6.66666667"));  // rounded at the 8th place
  EXPECT_EQ(d("-20") / d("3"), d("-6.66666667"));
  EXPECT_EQ(d("1") / d("-8"), d("-0.125"));
  EXPECT_EQ(d("5") / Decimal(), Decimal());  // division by zero yields 0
  EXPECT_LT(d("-0.01"), Decimal());
  EXPECT_EQ(-d("2.5"), d("-2.5"));
}

TEST(Decimal, OverflowIsAnErrorNotAWrap) {
  Decimal big = Decimal::fromRaw(std::numeric_limits<std::int64_t>::max());
  EXPECT_THROW(big + Decimal(1), std::overflow_error);
  EXPECT_THROW(big * Decimal(2), std::overflow_error);
  EXPECT_THROW(Decimal::fromInt(std::int64_t{1} << 60), std::overflow_error);
  EXPECT_THROW(Decimal(1) / d("0.00000001") * d("1000000000"), std::overflow_error);
  EXPECT_FALSE(Decimal::parse("999999999999999"));
}

TEST(Decimal, FromDoubleTakesTheShortestText) {
  EXPECT_EQ(Decimal::fromDouble(0.1), d("0.1"));
  EXPECT_EQ(Decimal::fromDouble(1.0 / 3.0), d("0.33333333"));
  EXPECT_EQ(Decimal::fromDouble(-2.675), d("-2.675"));
  EXPECT_THROW(Decimal::fromDouble(1e300), std::overflow_error);
  EXPECT_THROW(Decimal::fromDouble(std::numeric_limits<double>::quiet_NaN()), std::overflow_error);
}

TEST(Rounding, RoundIsHalfAwayFromZero) {
  EXPECT_EQ(round(d("643.885"), 2), d("643.89"));
  EXPECT_EQ(round(d("2.5"), 0), Decimal(3));
  EXPECT_EQ(round(d("-2.5"), 0), Decimal(-3));
  EXPECT_EQ(round(d("1.005"), 2), d("1.01"));
  EXPECT_EQ(round(d("0.285"), 2), d("0.29"));
  EXPECT_EQ(round(d("1250"), -2), Decimal(1300));
  EXPECT_EQ(round(d("12.349999"), 2), d("12.35"));
}

TEST(Rounding, DesprezaRoundsTwoPlacesFurtherThenCuts) {
  EXPECT_EQ(despreza(d("12.349999")), d("12.35"));
  EXPECT_EQ(despreza(d("12.3456")), d("12.34"));
  EXPECT_EQ(despreza(d("-12.3456")), d("-12.34"));
  EXPECT_EQ(despreza(d("0.285")), d("0.28"));
  EXPECT_EQ(despreza(d("1.005")), d("1.00"));
  EXPECT_EQ(despreza(d("9999999.9999")), d("9999999.99"));
  EXPECT_EQ(despreza(d("0.999")), d("0.99"));
  EXPECT_EQ(despreza(d("-1.237")), d("-1.23"));
  EXPECT_EQ(despreza(d("5.123456"), 4), d("5.1234"));
  EXPECT_EQ(despreza(d("5.12349999"), 4), d("5.1235"));
  EXPECT_EQ(truncate(d("-7.99"), 0), Decimal(-7));
}

}  // namespace

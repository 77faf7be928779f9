#include "rt/text/muldiv.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <utility>

using namespace rt::text;

namespace {

Decimal d(const char* text) {
  return *Decimal::parse(text);
}

// Shares of the largest amounts: the product by 100 alone would not fit, the share does; one of
// a tiny whole is the bound. For amounts that fit it is the product and then the division.
TEST(MulDiv, KeepsTheWideProductAndHoldsItsBounds) {
  const Decimal lo = d("-99.99"), hi = d("999.99"), cem = Decimal(100);
  EXPECT_EQ(mulDiv(d("999999999.99"), cem, d("1000000099.99"), lo, hi), d("99.99999"));
  EXPECT_EQ(mulDiv(d("999999999.99"), cem, d("0.01"), lo, hi), hi);
  EXPECT_EQ(mulDiv(d("-999999999.99"), cem, d("0.01"), lo, hi), lo);
  EXPECT_EQ(mulDiv(d("5"), cem, Decimal(), lo, hi), Decimal());
  EXPECT_EQ(mulDiv(d("1"), cem, d("-3"), lo, hi), d("-33.33333333"));
  for (const auto& [p, t] : {std::pair{"1", "3"}, {"2", "3"}, {"12345.67", "98765.43"}, {"-0.01", "7"}})
    EXPECT_EQ(mulDiv(d(p), cem, d(t), lo, hi), d(p) * cem / d(t)) << p << "/" << t;
  EXPECT_EQ(mulDiv(d("999999999.99"), d("35"), cem), d("349999999.9965"));
  EXPECT_THROW(mulDiv(d("999999999.99"), cem, d("0.5")), std::overflow_error);
}

}  // namespace

#include "taxcalc/tax_year.h"

#include <gtest/gtest.h>

namespace {

using rt::text::Decimal;

Decimal d(const char* s) {
  return *Decimal::parse(s);
}

TEST(TaxYear, YearlyAndMonthlyBrackets) {
  EXPECT_EQ(taxcalc::NBASEAN1, d("17215.08"));
  EXPECT_EQ(taxcalc::NBASEAN2, d("25800.00"));
  EXPECT_EQ(taxcalc::NBASEAN3, d("34400.41"));  // one cent above twelve monthly limits, as it stands
  EXPECT_EQ(taxcalc::NBASEAN4, d("42984.00"));
  EXPECT_EQ(taxcalc::NDEDUAN1, d("1291.13"));
  EXPECT_EQ(taxcalc::NDEDUAN2, d("3226.13"));
  EXPECT_EQ(taxcalc::NDEDUAN3, d("5806.16"));
  EXPECT_EQ(taxcalc::NDEDUAN4, d("7955.36"));
  EXPECT_EQ(taxcalc::NBASEME1, d("1434.59"));
  EXPECT_EQ(taxcalc::NBASEME2, d("2150.00"));
  EXPECT_EQ(taxcalc::NBASEME3, d("2866.70"));
  EXPECT_EQ(taxcalc::NBASEME4, d("3582.00"));
  EXPECT_EQ(taxcalc::NDEDUME1, d("107.59"));
  EXPECT_EQ(taxcalc::NDEDUME2, d("268.84"));
  EXPECT_EQ(taxcalc::NDEDUME3, d("483.84"));
  EXPECT_EQ(taxcalc::NDEDUME4, d("662.94"));
}

TEST(TaxYear, OtherAmountsAndDollarRates) {
  EXPECT_EQ(taxcalc::NVALDEPEN, d("144.20"));
  EXPECT_EQ(taxcalc::NVALESCOL, d("2708.94"));
  EXPECT_EQ(taxcalc::NVALAPOSE, d("1434.59"));
  EXPECT_EQ(taxcalc::NDESCPRAD, d("12743.63"));
  EXPECT_EQ(taxcalc::NMAXINSS, d("732.00"));
  const char* rates[] = {"2.3162", "2.3784", "2.3152", "2.1783", "1.9730", "1.9516",
                         "1.8811", "1.8740", "1.7781", "1.7440", "1.7090", "1.7410"};
  for (int m = 1; m <= 12; ++m) EXPECT_EQ(taxcalc::TAB_DOLAR(m), d(rates[m - 1])) << "month " << m;
  EXPECT_EQ(taxcalc::TAB_DOLAR(12), d("1.741"));  // not the 1.7404 default rate of the settings
  EXPECT_EQ(taxcalc::TAB_DOLAR(0), Decimal());
  EXPECT_EQ(taxcalc::TAB_DOLAR(13), Decimal());
}

}  // namespace

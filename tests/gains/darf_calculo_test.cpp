// The slip arithmetic with exact values: due dates, days and months late, fine, interest and
// the amounts cut to the cent, the late-filing fine's limits, and the "not to be paid" mark.
#include "gains/darf_calculo.h"

#include <gtest/gtest.h>

namespace gains::teste {

using rt::text::Date;
using rt::text::Decimal;
using namespace rt::text::literals;

Date d(int dia, int mes, int ano) { return Date::fromYmd(ano, mes, dia); }

TEST(DarfCalculo, DueDatesFallOnWorkingDays) {
  EXPECT_EQ(ULTIMO_DIA(4, 2009), d(29, 5, 2009));   // 31/05 a Sunday
  EXPECT_EQ(ULTIMO_DIA(1, 2009), d(27, 2, 2009));   // 28/02 a Saturday
  EXPECT_EQ(ULTIMO_DIA(11, 2009), d(30, 12, 2009)); // December, one day back
  EXPECT_EQ(ULTIMO_DIA(12, 2009), d(29, 1, 2010));
  EXPECT_EQ(MES_ANTER(12), d(30, 12, 2009));
  EXPECT_EQ(MES_ANTER(5), d(29, 5, 2009));
  EXPECT_EQ(pagamentoDarf(d(5, 1, 2010)), d(29, 1, 2010));
  EXPECT_EQ(pagamentoDarf(d(9, 12, 2009)), d(30, 12, 2009));
  // 31/12/2029 is a Monday: one day back in December would be a Sunday.
  EXPECT_EQ(pagamentoDarf(d(3, 12, 2029)), d(28, 12, 2029));
}

TEST(DarfCalculo, QuotaOnTimeOneMonthAndOneYearLate) {
  const Date vcto = d(30, 4, 2010), util = d(3, 5, 2010);  // a Friday; fine counts from Monday
  struct Caso {
    Date pgto;
    Decimal juro, multa, valMulta, valJuro, total;
  } casos[] = {
      {d(30, 4, 2010), 0_d, 0_d, 0_d, 0_d, 1234.57_d},
      {util, 1_d, 0_d, 0_d, 12.34_d, 1246.91_d},  // interest but no fine yet
      {d(31, 5, 2010), 1.75_d, 9.24_d, 114.07_d, 21.60_d, 1370.24_d},  // 28 days
      {d(2, 5, 2011), 12.34_d, 20_d, 246.91_d, 152.34_d, 1633.82_d},  // 364 days, 12 months
  };
  for (const Caso& c : casos) {
    const Decimal multa = multaDoSlip(vcto, util, c.pgto);
    EXPECT_EQ(multa, c.multa) << rt::text::dtoc(c.pgto);
    const ValoresDarf v = CALCJU(1234.57_d, multa, c.juro);
    EXPECT_EQ(v.VAL_MULTA, c.valMulta);
    EXPECT_EQ(v.VAL_JURO, c.valJuro);
    EXPECT_EQ(v.VAL_TOTAL, c.total);
    EXPECT_FALSE(v.naoPagar());
  }
  // The daily fine is capped at 20 percent; past two calendar months it is 20 outright.
  EXPECT_EQ(DF_MULTA({61, 2}), 20_d);
  EXPECT_EQ(DF_MULTA({1, 0}), 0.33_d);
  EXPECT_EQ(DF_MULTA({40, 3}), 20_d);
  EXPECT_EQ(atraso(d(30, 4, 2010), util, d(1, 3, 2010)).DIF_MES, -1);
  EXPECT_EQ(atraso(d(30, 12, 2010), d(3, 1, 2011), d(1, 6, 2009)).DIF_MES, 0);  // earlier year
}

TEST(DarfCalculo, LateFilingFineHasItsMinimumAndCap) {
  struct Caso {
    Decimal devido;
    int meses;
    Decimal totmul, principal;
  } casos[] = {
      {5000_d, 1, 50_d, 165.74_d},
      {500_d, 1, 5_d, 165.74_d},  // the minimum stands above the 100.00 maximum
      {20000_d, 3, 600_d, 600_d},
      {23456.78_d, 3, 703.70_d, 703.70_d},  // 703.7034 cut
      {1000_d, 30, 300_d, 200_d},          // the 20% cap
      {5000_d, 0, 0_d, 0_d},               // paid in the due month: no slip
  };
  for (const Caso& c : casos) {
    const MultaEntrega m = multaEntrega(c.devido, c.meses);
    EXPECT_EQ(m.VAL_TOTMUL, c.totmul) << c.devido;
    EXPECT_EQ(m.principal, c.principal) << c.devido;
  }
}

TEST(DarfCalculo, TotalsBelowTenAreNotPaid) {
  EXPECT_TRUE(CALCJU(9.99_d, 0_d, 0_d).naoPagar());
  EXPECT_FALSE(CALCJU(10_d, 0_d, 0_d).naoPagar());
  const ValoresDarf v = CALCJU(9.90_d, 0_d, 1_d);  // 0.099 of interest cut to 0.09
  EXPECT_EQ(v.VAL_TOTAL, 9.99_d);
  EXPECT_TRUE(v.naoPagar());
  EXPECT_FALSE(CALCJU(9.90_d, 0_d, 1.02_d).naoPagar());  // 0.1009 -> 0.10: 10.00
}

}  // namespace gains::teste

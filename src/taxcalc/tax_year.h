// The figures of the tax year (calendar year 2009, exercise 2010). They are constants of the
// program, not settings: no table holds them and no screen changes them. The computation,
// the payment slips, the reports and the export read them from here.
#pragma once

#include <array>

#include "rt/text/decimal.h"

namespace taxcalc {

using rt::text::Decimal;
using namespace rt::text::literals;

// The calendar year the declaration is of; ages are counted at its end.
inline constexpr int kAnoBase = 2009;

// Yearly progressive table: upper limits of the brackets and the amounts to deduct.
// NBASEAN3 is one cent above the 34400.40 the monthly limits would give; the readers compare
// against the value as it stands here.
inline constexpr Decimal NBASEAN1 = 17215.08_d, NDEDUAN1 = 1291.13_d;
inline constexpr Decimal NBASEAN2 = 25800.00_d, NDEDUAN2 = 3226.13_d;
inline constexpr Decimal NBASEAN3 = 34400.41_d, NDEDUAN3 = 5806.16_d;
inline constexpr Decimal NBASEAN4 = 42984.00_d, NDEDUAN4 = 7955.36_d;

// Monthly progressive table (carnê-leão and monthly withholding).
inline constexpr Decimal NBASEME1 = 1434.59_d, NDEDUME1 = 107.59_d;
inline constexpr Decimal NBASEME2 = 2150.00_d, NDEDUME2 = 268.84_d;
inline constexpr Decimal NBASEME3 = 2866.70_d, NDEDUME3 = 483.84_d;
inline constexpr Decimal NBASEME4 = 3582.00_d, NDEDUME4 = 662.94_d;

inline constexpr Decimal NVALDEPEN = 144.20_d;    // monthly amount per dependant
inline constexpr Decimal NVALESCOL = 2708.94_d;   // cap of education expenses
inline constexpr Decimal NVALAPOSE = 1434.59_d;   // monthly exempt part of retirement income
inline constexpr Decimal NDESCPRAD = 12743.63_d;  // cap of the simplified discount
inline constexpr Decimal NMAXINSS = 732.00_d;     // cap of the social-security amount

// Dollar rates of 2009, January to December; index with TAB_DOLAR(m), m = 1..12.
inline constexpr std::array<Decimal, 12> kTabDolar = {2.3162_d, 2.3784_d, 2.3152_d, 2.1783_d,
                                                      1.9730_d, 1.9516_d, 1.8811_d, 1.8740_d,
                                                      1.7781_d, 1.7440_d, 1.7090_d, 1.7410_d};
// The rate of month m (1-12); 0 for any other month, so a conversion by it yields 0 as the
// old division by a missing rate did.
constexpr Decimal TAB_DOLAR(int month) {
  return (month >= 1 && month <= 12) ? kTabDolar[static_cast<std::size_t>(month - 1)] : Decimal();
}

}  // namespace taxcalc

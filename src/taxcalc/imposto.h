// The progressive tax table.
//
// The annual table applies to a whole year; an estate's final declaration or an exit
// declaration covers only the months up to the partition (or deed) or the exit, and then every
// limit and every amount to deduct is taken for that many months (an estate partitioned in June
// uses half of each). One month (the monthly self-assessed tax) uses a twelfth of the annual
// figures, not the monthly constants.
//
// Only this table rounds: the tax is rounded half away from zero to cents (a base of 25,800.10
// gives exactly 643.885 and so 643.89).
#pragma once

#include "rt/text/decimal.h"
#include "taxcalc/contexto.h"

namespace taxcalc {

// The tax on `base` with the annual table taken for `meses` months (1-12). A base at or below
// 0 gives 0; each bracket's limit belongs to the bracket below it.
Decimal tabelaProgressiva(Decimal base, int meses = 12);

// The months the annual computation covers: the month of DATAPARTI, else of DATALAVRA, for a
// final declaration; the month of DATASAIDA for an exit declaration; 12 otherwise. A missing
// date gives 12 and the notice that the tax depends on it.
int mesesDoCalculo(Contexto& c);

// CALC_IMPOS(divisor, base): with divisor 1 the annual tax of the declaration (its months as
// above), with divisor 12 the tax of one month.
Decimal CALC_IMPOS(Contexto& c, int divisor, Decimal base);

}  // namespace taxcalc

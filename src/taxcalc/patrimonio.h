// Assets (working copy 24), debts (copy 25), the patrimony variation they make, and the
// yearly living expenses (copy 30).
#pragma once

#include "rt/text/decimal.h"
#include "taxcalc/contexto.h"

namespace taxcalc {

// FI7_T(mode): I13_32 and I13_33 (assets at the end of the previous and of the base year) and
// NTOTBANT1 (the previous year's total as declared last year). A mode other than 0 redraws them.
void FI7_T(Contexto& c, int modo);
// FI8_T(mode): the same for debts: I13_34, I13_35, NTOTDANT1.
void FI8_T(Contexto& c, int modo);
// FI10_1: the patrimony variation from the asset and debt lines (VARBEN, VARDIV, VARPATR), the
// loans it implies (EMPREST) and the resources freed by selling assets (I10_2). Returns I10_1.
Decimal FI10_1(Contexto& c);
// TOTALDESP: DESPNAO, the living expenses of a year (twelve times each monthly VALODESP).
Decimal TOTALDESP(Contexto& c);

}  // namespace taxcalc

// The income rows (working copy 22, table 2): their totals into the summary lines and the
// validators of the retiree cells of the income grid.
//
// Row kinds (I1_1): "J" legal-entity income of the titular, "D" of a dependant, "P" self-paid
// social security, "M" complementary monthly tax, "V" other; "F", "E", "L", "I" belong to the
// monthly self-assessed tax.
#pragma once

#include <span>

#include "rt/text/decimal.h"
#include "taxcalc/contexto.h"

namespace taxcalc {

// FI1_T(mode): income totals of every row. Modes 1 and 3 redraw the totals block, mode 4 the
// lines I13_08, I13_24, I13_25, I13_40 (mode 2 is FI1_T_MENSAL). Ends with I13_27 and I13_07.
void FI1_T(Contexto& c, int modo);

// FI1_T(2): the monthly grid of the current income row writes its edited column back into the
// row: `meses` are the column's twelve values, `ponteiro` the column (PONTEIRO) on grid `grade`.
// Columns 1 + s and 2 + s are the income I1_4mm, 3 + s the social security I1_6mm, 4 + s the
// tax withheld I1_5mm (s = 1 on grid 2, else 0); on grids 1 and 2 only the columns strictly
// between 1 + s and 5 + s are taken. Their sum becomes CARNEDEPEN (dependant's row) or
// CARNEINSS.
void FI1_T_MENSAL(Contexto& c, int grade, int ponteiro, std::span<const Decimal, 12> meses);

// LIMIT3(value): the exempt pension I1_17 of a retiree aged 65 or over (calendar age on
// 31/12/2009), limited to NVALAPOSE a month plus the 13th over all rows; what passes the limit
// may go to the row's taxable income. Returns the value kept, also written into the row.
Decimal LIMIT3(Contexto& c, Decimal valor);

// LIMIT2(value): a field only retirees use; others are asked whether to keep it.
Decimal LIMIT2(Contexto& c, Decimal valor);

// Whether someone born on `nascimento` is 65 or over on 31/12/2009 (born 31/12/1944 is).
bool tem65Anos(rt::text::Date nascimento);

}  // namespace taxcalc

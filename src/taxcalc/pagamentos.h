// The payment rows (working copy 26, table 6) and the dependants (copy 23, table 3): the
// deductions they give before their limits, the education line with its cap per person, and
// the validators of the payment grid's amount cells.
//
// Payment codes (I6_3): 1-2 education, 8-26 medical, 30-34 alimony, 36 and 38 private
// pension, 40-43 incentive donations, 50 the domestic employee's social security, 51-99
// payments that only leave the cash (91-97 not even that).
#pragma once

#include "rt/text/decimal.h"
#include "taxcalc/contexto.h"

namespace taxcalc {

// FDE_TUDO(mode): every payment total, from zero, in one scan. Skipped while JA_CALC says no
// payment changed since the last scan, and sets it. With CAL_AUTO 1 and mode other than 2, a
// change of the alimony total recomputes the monthly tax, which deducts it month by month.
void FDE_TUDO(Contexto& c, int modo);

// NRODP: counts the dependants (CODIDEPEN below 98) into N_DEPEN and the alimony beneficiaries
// into DESPALIM, and numbers rows that have no NRODEPEN yet by their position. Returns N_DEPEN.
Decimal NRODP(Contexto& c);

// FI13_11: education, one slot for the titular and one for each dependant and beneficiary
// (I6_6: 0 the titular, k the k-th person); each slot is capped at NVALESCOL.
Decimal FI13_11(Contexto& c);

// FDOAPAG(value): the amount paid of the current payment row. Education beyond NVALESCOL and
// a domestic employee's social security beyond NMAXINSS go to the row's non-deductible part.
Decimal FDOAPAG(Contexto& c, Decimal valor);

// FCONFNDEDU(value): the non-deductible or reimbursed part of the current payment row, which
// only education and medical rows take, and never above the amount paid. Returns the value
// kept (0 refuses it); an accepted value is written into the row and the totals recomputed.
Decimal FCONFNDEDU(Contexto& c, Decimal valor);

}  // namespace taxcalc

// The summary lines I13_01 .. I13_41 of the declaration and the functions named after them,
// each recomputing one line (or one step of the summary) from the others and from the totals
// of the income, payment, dependant, asset and debt rows.
//
// Every amount is exact; only the progressive table rounds, every other derived amount (the
// percentages, a quota) is cut with despreza.
#pragma once

#include "rt/text/decimal.h"
#include "taxcalc/contexto.h"

namespace taxcalc {

// I13_07 := I13_01 + ... + I13_06, total taxable income.
Decimal FI13_07(Contexto& c);
// I13_09 := the lesser of I13_09T and 12% of I13_07 (private pension).
Decimal FI13_09(Contexto& c);
// I13_10 := N_DEPEN x NVALDEPEN x 12 (dependants).
Decimal FI13_10(Contexto& c);
// I13_15 := I13_08 + ... + I13_14 (total deductions); LIMMAX := I13_07 - I13_15, not below 0.
Decimal FI13_15(Contexto& c);
// FI13_16(mode): compares the two models (NCOMPL, NSIMPL), says which pays less, and sets
// DESPADRAO, DESCON and the tax base I13_16. Mode 1: alert and hint when the simplified
// discount does not pay; mode 2: the hint only; modes 0 and 3: nothing.
void FI13_16(Contexto& c, int modo);
// I13_17 := the annual tax on I13_16.
Decimal FI13_17(Contexto& c);
// I13_18: the incentives, the lesser of I13_18T and 6% of I13_17 and no more than I13_17;
// 0 under the simplified model.
Decimal FI13_18(Contexto& c);
// I13_19: tax due, I13_17 - I13_18 (I13_17 under the simplified model).
Decimal FI13_19(Contexto& c);
// I13_20: the domestic employer's social security, I13_20T no more than I13_19 nor NMAXINSS;
// 0 under the simplified model.
Decimal FI13_20(Contexto& c);
// FI13_25(amount entered): tax paid abroad, limited to what the foreign income added to the
// tax; then I13_27, the balance and the quotas.
Decimal FI13_25(Contexto& c, Decimal valor);
// I13_27, total tax paid. Under the simplified model I13_20 is 0 and tax paid abroad does not
// count, as the simplified summary shows it.
Decimal FI13_27(Contexto& c);
// IMPPGRE := I13_19 - I13_27: I13_28 to pay when positive, I13_31 to refund when negative.
void FI13_3126(Contexto& c);
// The quotas of the complete summary: I13_29 (number) and I13_30 (value of one).
void FI13_29(Contexto& c, int show);
// The quotas of the simplified summary.
void FPARCELA(Contexto& c, int show);
// I13_37 := I3_01 + ... + I3_14 (exempt), I13_38 := I4_01 + ... + I4_06 (exclusive).
void SOMA_TRIBENAO(Contexto& c, int show);
// The simplified summary screen: mode 1 recomputes it, mode 2 only the quotas.
void CSIMPLES(Contexto& c, int modo, int show);
// I13_39 as the gains computation left it.
Decimal FI13_39(Contexto& c);

// The complete model's figures for the current totals, computed in one go so that a model
// comparison never mixes them with another run's.
struct ModeloCompleto {
  Decimal imposto;     // tax on I13_07 - I13_15
  Decimal incentivos;  // I13_18
  Decimal devido;      // I13_19
  Decimal domestico;   // I13_20
};
ModeloCompleto modeloCompleto(Contexto& c);

}  // namespace taxcalc

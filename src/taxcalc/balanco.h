// The yearly cash-flow balance (SALDO = RECEITA - DESPESA), the spending lines behind it for the
// balance-detail popup, and the summary screen's simulation of the income needed for a tax.
#pragma once

#include "rt/text/decimal.h"
#include "taxcalc/contexto.h"

namespace taxcalc {

// A share in percent as the balance's N6.2 fields hold it: cut to cents, 0 of a zero total,
// and kept within -99.99 .. 999.99 (a small or negative total would give more). Any two
// amounts give their share: the product by 100 is never taken on its own.
Decimal percentualBalanco(Decimal parte, Decimal todo);

// VE_SALDO: I13_07 recomputed, then the resources RECEITA, the uses DESPESA and the balance
// SALDO (register). Returns SALDO.
Decimal VE_SALDO(Contexto& c);

// POERESTO(total, first): appends to the detail table (area 68, DETALH) one row for each
// spending line above zero (the first five only when `primeiro` is 1), with its share of
// DESPESA and of RECEITA in percent, and returns their sum. The shares are cut to cents and
// kept within what their N6.2 fields hold.
Decimal POERESTO(Contexto& c, int primeiro);

// The simulation fields of the summary screen.
struct Simulacao {
  Decimal NSDEDUCAO;  // an extra deduction (mode 1)
  Decimal NSIMPOSTO;  // the tax or balance
  Decimal NSRECEITA;  // the income
};

// The tax from which the simplified discount is at its cap: the tax on 4 x NDESCPRAD (the base
// left when 20% of the income is exactly the cap).
Decimal limiarDescontoPadrao();

// SIMUL(mode): 1 the balance after an extra deduction; 2 (simplified model) the income that
// gives the tax typed; 3 (complete model) the income that gives the balance typed, with the
// declaration's deductions; 4 the tax of the income typed. Returns false when the typed value
// is refused (a refund above the tax paid).
bool SIMUL(Contexto& c, Simulacao& s, int modo);

}  // namespace taxcalc

// CALC: the one entry through which field validations, grids and the save recompute the open
// declaration. Each step recomputes one block of results; step 7 is the whole summary.
#pragma once

#include "taxcalc/contexto.h"

namespace taxcalc {

// CALC(n, show): n selects the block; show 1 also redraws the values on the current window,
// 0 and 2 compute only. Returns true, as every caller expects.
//   1 the monthly self-assessed tax on both sides (titular and dependants)
//   2 the monthly self-assessed tax of the current side
//   3 the exempt and exclusive totals
//   4 the payment totals and deductions
//   5 the exempt capital gains of screen 3
//   6 the official social security line I13_08
//   7 the whole summary, the tax, the balance to pay or refund, the quotas and INDGAS
bool CALC(Contexto& c, int n, int show);

// What the valid of the model field asks of the summary screen.
struct EscolhaModelo {
  bool aceita = true;      // false keeps the cursor in the field
  bool redesenha = false;  // the summary form is to be drawn again (and CALC(7, 1) run)
};

// CONF_PADR: the valid of USAPADRAO (also after Ctrl-S toggles it). Switching to the
// simplified model asks first when a rural loss would be lost by it.
EscolhaModelo CONF_PADR(Contexto& c);

// BALANCO: the whole declaration recomputed after loading.
void BALANCO(Contexto& c);

}  // namespace taxcalc

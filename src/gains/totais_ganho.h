// The declaration totals of the capital gains (SOMA_NTRIB): the exempt and exclusive lines,
// the tax paid on gains, and the cash-balance figures, from every operation of the gains copy
// (area 27) and every cost row (area 28), after a change of any operation and after a load.
#pragma once

#include "taxcalc/contexto.h"

namespace gains {

void SOMA_NTRIB(taxcalc::Contexto& c, int show = 0);

}  // namespace gains

// Screen 9, the variable income: a mode's matrix filled from the stored rows, edited in the
// matrix grid, then stored. The declaration's screen 9 asks the mode and calls it; CALC_GRV
// carries the totals to the summary when the screen is left.
#pragma once

#include "grid/matriz.h"

namespace gains {

// `modo`: 1 common operations, 2 day trade, 3 investment funds.
void RENDA_VARIAVEL(grid::AmbienteMatriz& a, int modo);

}  // namespace gains

// Screen 9, the variable income: the mode asked, its matrix edited in the matrix grid, then
// stored and its totals carried to the summary. The declaration driver's screen 9 calls it.
#pragma once

#include "grid/matriz.h"

namespace gains {

// The mode asked ("1" common operations, "2" day trade, "3" investment funds); Esc leaves.
void RENDA_VARIAVEL(grid::AmbienteMatriz& a);

}  // namespace gains

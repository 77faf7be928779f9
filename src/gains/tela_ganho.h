// Screen 8, the capital gains: the kind asked (QUE_BEM), the operations of that kind in the
// gains copy (area 27) in the program's pick list of "M->TIPO_BEM" with their totals, the entry
// form of one operation (MOSTR_BEM) with its result, and the deletion of an operation with its
// cost rows (DEL_GP). The declaration driver's screen 8 calls GANHO3.
#pragma once

#include "grid/estado.h"
#include "store/contexto.h"
#include "taxcalc/contexto.h"

namespace gains {

// GANHO3: runs screen 8 until the user leaves it (Esc, or a screen key of the declaration).
// The computation's output `calc.saida` asks the form's questions; the grid state `grade` edits
// the cost rows and share movements.
void GANHO3(store::Contexto& ctx, grid::Grade& grade, taxcalc::Contexto& calc);

// DEL_GP: operation `bem` and its cost rows deleted after the question, then the totals.
// False when nothing was deleted.
bool DEL_GP(taxcalc::Contexto& calc, int bem);

}  // namespace gains

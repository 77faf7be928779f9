// The grids of the declaration screens as the screens run them: drawn only, behind a form or
// another grid, or edited; and the wait notice of a long recomputation.
#pragma once

#include "screens/ambiente.h"

namespace screens {

// EDITA(opc) with its rows only drawn (SO_MOS not 0: nothing is edited); the screen's keys
// and change request are left as they were.
void mostraGrade(AmbienteTela& a, int opc);
// EDITA(opc, modo), edited.
void editaGrade(AmbienteTela& a, int opc, int modo = 0);
// "Calculando!!" in message window 10 while CALC(n, show) runs.
void calculando(AmbienteTela& a, int n, int mostra);

}  // namespace screens

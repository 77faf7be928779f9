// F11 in the taxpayer chooser: the notes and errors of the taxpayer under the register's
// cursor, shown in grid screen 11 over the terminal's working copy of table 11.
#pragma once

#include "grid/estado.h"
#include "store/contexto.h"

namespace screens {

// Empties the working copy TMP_11 (area 31), copies the register row's rows of table 11 into
// it, indexes it on "codERR" and shows it in grid screen 11, only to be looked through (the
// notes are typed inside the declaration); area 09 is selected again at the end.
void MOS_PEND(store::Contexto& ctx, grid::Grade& g);

}  // namespace screens

// Structure upgrade: a table whose file still has an older structure (its marker field is
// missing, or of another type) is rebuilt with the catalogue's structure, its rows kept by
// field name. The new file is written beside the old one while the old one is held
// exclusively, and moved over it only when complete; the table's index files are removed
// first and rebuilt on the new file, so a crash at any point leaves either the old table or
// the new one, and at worst index files that the opener builds again.
//   - DEFINE keeps its one record: every old value whose field still exists (the bank-slip
//     counter above all), the first-creation seed only in fields that are new.
//   - IMP0110 and the payment codes of IMP0610 go together: both are held exclusively first,
//     and when either cannot be had neither is touched. The renumbering is done first and
//     leaves codes 1 and 2 alone, so doing it again after a crash changes nothing.
#pragma once

#include "store/areas.h"
#include "store/contexto.h"

namespace store {

// CORRECAO: mode 1 checks and upgrades DEFINE (start-up); any other mode tables 01, 02 and
// the register 09 of the current data folder, in that order (the check pass). Turns MOS_MENS
// off.
void CORRECAO(Contexto& ctx, int modo);

// CORRIGE: upgrades table 1, 2, 9 or 43 when its marker is missing. False when nothing had to
// be done (also for a missing file, which the opener creates new); true otherwise, also when
// the table could not be had exclusively (the upgrade waits for the next check pass).
bool CORRIGE(Contexto& ctx, Area area);

// The payment codes of the old numbering: 3 and 5 become 1, 4 and 6 become 2.
int codigoPagamentoNovo(int codigo);

}  // namespace store

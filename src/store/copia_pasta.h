// Whole-table copies of a data folder's declaration tables to a backup folder and back (menu
// items 71/72), after TRANOME's folder questions. Each table is copied while held (the user is
// asked whether to wait for one in use), under a scratch name renamed into place when whole;
// the destination's index files of each copied table are erased, to be rebuilt on the next
// open.
#pragma once

#include "store/contexto.h"

namespace store {

// FAZ_COPIA: tables 01-19 of the year folder into ROTABACK, when the destination disk has room
// for them ("(T)roque" measures it again). False when stopped.
bool FAZ_COPIA(Contexto& ctx);
// The same with the folders given.
bool fazCopia(Contexto& ctx, const std::string& origem, const std::string& destino);

// TRAZ_COPIA: the declaration tables of ROTABACK back into the year folder, then the check pass.
bool TRAZ_COPIA(Contexto& ctx);
bool trazCopia(Contexto& ctx, const std::string& origem, const std::string& destino);

}  // namespace store

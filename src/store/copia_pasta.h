// Whole-table copies of a data folder's declaration tables to a backup folder and back (menu
// items 71/72), after TRANOME's folder questions. The copy holds each table exclusively (the
// user is asked whether to wait for one another terminal uses; this terminal's own are closed
// first) and the register under its file lock, copies each under a scratch name renamed into
// place when whole, and erases the destination's index files of each, to be rebuilt on the
// next open. The restore first asks, saying how many taxpayers the folder holds and how many
// the copy brings; then all tables go into place together or none (store/restaura_pasta.h).
// Both end by saying what was copied.
#pragma once

#include "store/contexto.h"

namespace store {

// FAZ_COPIA: tables 01-19 of the year folder into ROTABACK, when the destination disk has room
// for them ("(T)roque" measures it again). False when stopped.
[[nodiscard]] bool FAZ_COPIA(Contexto& ctx);
// The same with the folders given.
[[nodiscard]] bool fazCopia(Contexto& ctx, const std::string& origem, const std::string& destino);

// TRAZ_COPIA: the declaration tables of ROTABACK back into the year folder, after the
// question "Recupera os dados em" (No: nothing changes, false), then the check pass.
[[nodiscard]] bool TRAZ_COPIA(Contexto& ctx);
[[nodiscard]] bool trazCopia(Contexto& ctx, const std::string& origem, const std::string& destino);

}  // namespace store

// Whole-table copies of a data folder's declaration tables to a backup folder and back (menu
// items 71/72), after TRANOME's folder questions. The copy holds each table exclusively (the
// user is asked whether to wait for one another terminal uses; this terminal's own are closed
// first) and the register under its file lock, copies each under a scratch name renamed into
// place when whole, and erases the destination's index files of each, to be rebuilt on the
// next open. The restore first asks, saying how many taxpayers the folder holds and how many
// the copy brings; then all tables go into place together or none (store/restaura_pasta.h).
// Both end by saying what was copied.
#pragma once

#include <string>

#include "rt/base/status.h"
#include "store/contexto.h"

namespace store {

// FAZ_COPIA: tables 01-19 of the year folder into ROTABACK, when the destination disk has room
// for them ("(T)roque" measures it again). Failed when stopped: told when the alert said why
// or the clerk stopped it (Esc, "(A)bandona"); a destination folder that could not be made
// comes back untold.
rt::Status FAZ_COPIA(Contexto& ctx);
// The same with the folders given.
rt::Status fazCopia(Contexto& ctx, const std::string& origem, const std::string& destino);

// TRAZ_COPIA: the declaration tables of ROTABACK back into the year folder, after the
// question "Recupera os dados em" (No: nothing changes, a told failure), then the check pass.
// Every other failure has been said (told).
rt::Status TRAZ_COPIA(Contexto& ctx);
rt::Status trazCopia(Contexto& ctx, const std::string& origem, const std::string& destino);

}  // namespace store

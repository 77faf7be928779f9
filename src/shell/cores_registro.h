// The terminal's colour record CORES (table 56, key NRO_TERM): the nine numeric attributes
// and the eight colour texts of console::Cores, loaded at start-up and stored by the colour
// editor.
#pragma once

#include <string>

#include "console/contexto.h"
#include "store/contexto.h"
#include "store/recusa.h"

namespace shell {

// CRIACOR: the terminal's colours from its record into ctx.cores; a terminal without one gets
// it made with the colours ctx.cores holds (the defaults at start-up). Table 56 is closed
// afterwards. Failed when the table could not be had or the record not made (said).
rt::Status CRIACOR(store::Contexto& ctx);

// GRAVACOR: ctx.cores into the terminal's record under its lock (5 seconds), appending the
// record when missing. Failed, and told, with nothing stored, when the table or the lock was
// not had or the write was refused.
rt::Status GRAVACOR(store::Contexto& ctx);

// The colour lists made from the terminal's colours for the runtime's SETCOLOR: the normal
// screen, the cleared fields, the selected lists and the main menu.
std::string CORNORM(const console::Cores& c);
std::string CORLIMP(const console::Cores& c);
std::string CORSELE(const console::Cores& c);
std::string CORMENU(const console::Cores& c);

}  // namespace shell

// The lock helpers every writer uses, and the open with retry beneath the opener. Several
// terminals share one data folder; a record is written only under its record lock (or right
// after an append, which comes holding the new record), whole-table changes under the file
// lock or an exclusive open.
//
// Waits: an open is tried again once a second; locks and appends every half second. A wait
// with a limit reads one key from the keyboard buffer per pass, throws away anything but Esc,
// and stops at Esc; a wait for ever (0 seconds) does not look at the keyboard at all, so keys
// typed meanwhile stay for whatever comes next. A lock or append not had leaves the common
// message on the message line and comes back told: the caller skips its write and says no
// more. With no table in the current area nothing is tried or said (untold).
#pragma once

#include <string>
#include <string_view>

#include "rt/base/status.h"
#include "store/areas.h"
#include "store/contexto.h"

namespace store {

// The seconds a writer waits for a lock or an append before it gives up and says so (Esc ends
// the wait sooner): long enough for another terminal's write to finish.
inline constexpr int kEsperaTrava = 5;
// ADD_REC and FIL_LOCK given this wait until they succeed (REC_LOCK takes 0 as one try only).
inline constexpr int kSemLimite = 0;

// NETUSE: opens `arquivo` (a stored name; ".DBF" when it has no extension) in the current
// area, shared or exclusive, under APELIDO when that is not empty, else under the file's base
// name. When the area already holds that file under that alias in the same mode, nothing is
// done; in another mode it is opened again. An open refused because another terminal holds
// the file is tried again once a second for `segundos` seconds (0: for ever); any other
// failure (a missing or damaged file, an alias another area uses) ends it at once. Nothing is
// said: the failure comes back untold, for the caller to say.
rt::Status NETUSE(Contexto& ctx, std::string_view arquivo, bool exclusivo, int segundos);

// REC_LOCK: locks the current record of the current area, releasing the area's other record
// locks. Tried again every half second for `segundos` (0: one try only), while no Esc is read.
rt::Status REC_LOCK(Contexto& ctx, int segundos = 2);
// FIL_LOCK: locks the whole table of the current area; 0 waits until it succeeds.
rt::Status FIL_LOCK(Contexto& ctx, int segundos);
// ADD_REC: appends a blank record to the current area (it comes locked); 0 waits until it
// succeeds.
rt::Status ADD_REC(Contexto& ctx, int segundos);
// Releases every lock of the current area (UNLOCK). The release writes the current row first:
// failed when the table refused that write. Nothing is said here (untold); a caller flushes
// the row before (and says that refusal) or says this failure itself.
rt::Status DESTRAVA(Contexto& ctx);

// What NETUSE does, with the error: the open of a Linux path in `area` under `alias`, for
// the opener and the upgrade.
struct Uso {
  std::string caminho;  // Linux path of the .DBF
  std::string alias;
  bool exclusivo = false;
  bool somenteLeitura = false;
};
rt::Status usa(Contexto& ctx, Area area, const Uso& uso, int segundos);

// The alert of a table that could not be had: "<FILE>.DBF não está disponivel " with "Ok",
// the file as the opener names it (folder as stored, base name without extension).
void avisaIndisponivel(Contexto& ctx, std::string_view arquivo);

}  // namespace store

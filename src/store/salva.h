// Saving the open declaration back into the shared tables, in full (final save) or as an
// autosave between screens.
//
// The rows of every table the save writes go first into the CPF's save journal
// (diario_gravacao.h), so a save that dies midway is completed by the next start or the next
// load of that CPF; each shared table then gets exactly the rows of its working copy. The
// register row is written in place under its record lock.
//
// Steps at which Declaracao::gancho is called (tests stop the process there):
//   kPassoDiarioMeio   the journal half written
//   kPassoDiario       the journal whole and synced, no shared table touched yet
//   kPassoMeio + n     half the rows of table n written
//   kPassoTabela + n   table n written
//   kPassoConcluido    the journal removed
#pragma once

#include <string_view>

#include "rt/base/status.h"
#include "store/areas.h"
#include "store/contexto.h"
#include "store/declaracao.h"

namespace store {

inline constexpr int kPassoDiarioMeio = 1;
inline constexpr int kPassoDiario = 2;
inline constexpr int kPassoTabela = 100;
inline constexpr int kPassoMeio = 300;
inline constexpr int kPassoConcluido = 200;

// SALVATUDO: mode 1 the final save (the export may follow, and the working copies are
// closed), mode 0 an autosave (the copies stay open, each on the record it was on).
// Failed when the rows could not be written: told, the message has been shown (but for a
// refused write of the rural summary into its working copy, which passes up untold).
rt::Status SALVATUDO(Contexto& ctx, Declaracao& dec, int modo);

// SALVA_PARC: writes table n (2..19 but 9 and 13) back from its copy, on its own. Failed
// like SALVATUDO; another n fails at once, untold (kBadArgument).
rt::Status SALVA_PARC(Contexto& ctx, Declaracao& dec, Area n, int modo);

// SAL_DEC (also Alt-W): an autosave when TEMP_SAL is below 98, then SEM_SALV := now; the
// area that was current is selected again.
void SAL_DEC(Contexto& ctx, Declaracao& dec);

// PREP_REG: seeks `chave` in the current table and locks the record found; otherwise appends
// one (seeking again under the table's lock, so two terminals never both append the same key)
// and writes the key into it when the order is a single field. Ok when the record is held; a
// lock, append or write not had has been said (told); with no table in the current area, or a
// table refusing a write after a lock, the failure comes back as met.
rt::Status PREP_REG(Contexto& ctx, std::string_view chave);

// VE_LIM_NEG: INDGAS within -99.99 .. 999.99 (above 999.99 it becomes 999), SALDO and IMPPGRE
// not below -99999999.99 (the most negative their N12.2 fields hold).
void VE_LIM_NEG(Declaracao& dec);

// The register counters written on every save, from copies 32 (carnê-leão) and 27 (gains):
// NRCLEAO/DFCLEAO, NRGCAPIT/DFGCAPIT, NRRVARIV/DFRVARIV (-1: items but nothing due),
// NRQUOTA/DFQUOTA.
void contadores(Contexto& ctx, Declaracao& dec);

// Renumbers copy 24 (assets, I7_0) or 25 (debts, I8_0) 10, 20, 30 ... in the order of their
// numbers; 1, 2, 3 ... when ten times the count would not fit the field. kOverflow, with
// nothing changed, when even that does not fit; nothing is said (untold), the caller says it.
rt::Status renumera(Contexto& ctx, Area area);

}  // namespace store

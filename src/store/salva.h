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
// False when the rows could not be written (the message has been shown).
bool SALVATUDO(Contexto& ctx, Declaracao& dec, int modo);

// SALVA_PARC: writes table n (2..19 but 9 and 13) back from its copy, on its own.
[[nodiscard]] bool SALVA_PARC(Contexto& ctx, Declaracao& dec, int n, int modo);

// SAL_DEC (also Alt-W): an autosave when TEMP_SAL is below 98, then SEM_SALV := now; the
// area that was current is selected again.
void SAL_DEC(Contexto& ctx, Declaracao& dec);

// PREP_REG: seeks `chave` in the current table and locks the record found; otherwise appends
// one (seeking again under the table's lock, so two terminals never both append the same key)
// and writes the key into it when the order is a single field. Whether the record is held.
[[nodiscard]] bool PREP_REG(Contexto& ctx, std::string_view chave);

// VE_LIM_NEG: INDGAS within -99.99 .. 999.99 (above 999.99 it becomes 999), SALDO and IMPPGRE
// not below -99999999.99 (the most negative their N12.2 fields hold).
void VE_LIM_NEG(Declaracao& dec);

// The register counters written on every save, from copies 32 (carnê-leão) and 27 (gains):
// NRCLEAO/DFCLEAO, NRGCAPIT/DFGCAPIT, NRRVARIV/DFRVARIV (-1: items but nothing due),
// NRQUOTA/DFQUOTA.
void contadores(Contexto& ctx, Declaracao& dec);

// Renumbers copy 24 (assets, I7_0) or 25 (debts, I8_0) 10, 20, 30 ... in the order of their
// numbers; 1, 2, 3 ... when ten times the count would not fit the field. False, with nothing
// changed, when even that does not fit.
[[nodiscard]] bool renumera(Contexto& ctx, int area);

}  // namespace store

// Reading and writing the settings records: the office's DEFINE (table 43, its one record),
// the terminal's CONFIG (42) and CORES (56) records, found by the terminal number. Every write
// goes under the record lock with the 5-second wait; a lock not had leaves the record as it
// was and the caller goes on.
#pragma once

#include <functional>

#include "rt/base/status.h"
#include "rt/db/table.h"
#include "shell/ajustes.h"
#include "store/areas.h"
#include "store/contexto.h"
#include "store/recusa.h"
#include "store/uso_tabela.h"

namespace shell {

// The settings tables are had with the store's guard: open while it lives, the selection
// given back at its end.
using store::UsoTabela;

using Escrita = std::function<rt::Status(rt::db::Table&)>;

// Writes into the record the table is positioned on, under the 5-second record lock, and
// releases it. Failed when the lock was not had or a value was refused (told), or when the
// table stands on no record (nothing to write into, not told).
rt::Status gravaTravado(store::Contexto& ctx, store::Area area, rt::db::Table& t, const Escrita& escreve);

// The terminal's CONFIG record: `escreve` under the lock. A terminal without its record (it
// is made at start-up) stores nothing and is not told.
rt::Status gravaConfig(store::Contexto& ctx, const Escrita& escreve);

// Positions a table indexed by NRO_TERM on the terminal's record; false when it has none.
bool achaTerminal(store::Contexto& ctx, rt::db::Table& t);

// The values of DEFINE and of the terminal's CONFIG record that the settings screens use.
// Fields a missing record or table cannot give keep their values.
void carregaDefine(store::Contexto& ctx, Ajustes& aj);
void carregaConfig(store::Contexto& ctx, Ajustes& aj);

}  // namespace shell

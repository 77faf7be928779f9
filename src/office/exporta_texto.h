// The text export of the office menu: one whole table of the current data folder (assets,
// debts, payments, the register, rural assets, rural debts, rural properties) copied as
// comma-delimited text into the work folder, for other software to read.
#pragma once

#include <string_view>

#include "store/contexto.h"

namespace office {

// Copies the table of the current work area to LOCTRAB + nome in the delimited form and says
// so ("Criado arquivo <nome> na pasta", the work folder below). False, after saying why,
// when the file could not be written; an old file of that name is then left as it was.
bool ENV_ARQ(store::Contexto& ctx, std::string_view nome);

// The export menu (frame 12 of the first family): the chosen table is exported once and the
// menu closes. False when it was left with Esc or the export failed.
bool EXPORTA(store::Contexto& ctx);

}  // namespace office

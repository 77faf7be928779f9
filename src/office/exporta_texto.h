// The text export of the office menu: one whole table of the current data folder (assets,
// debts, payments, the register, rural assets, rural debts, rural properties) copied as
// comma-delimited text into the work folder, for other software to read.
#pragma once

#include <string_view>

#include "rt/base/status.h"
#include "store/contexto.h"

namespace office {

// Copies the table of the current work area to LOCTRAB + nome in the delimited form and says
// so ("Criado arquivo <nome> na pasta", the work folder below). Failed, and told, when the
// file could not be written; an old file of that name is then left as it was.
rt::Status ENV_ARQ(store::Contexto& ctx, std::string_view nome);

// The export menu (frame 12 of the first family): the chosen table is exported once and the
// menu closes. Failed, and told, when the export failed; also when the menu was left with Esc,
// which needs no saying.
rt::Status EXPORTA(store::Contexto& ctx);

}  // namespace office

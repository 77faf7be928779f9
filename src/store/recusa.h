// A write of the store that the table refuses is said at once, worded as every layer words it
// (console/recusa.h); the computation, by contrast, gathers its refusals per step.
#pragma once

#include <string_view>

#include "console/recusa.h"
#include "rt/base/status.h"
#include "rt/db/table.h"
#include "store/contexto.h"

namespace store {

using console::textoRecusa;

using console::falhaDita;

// A write of the store checked: `s` as it is when it succeeded or was said already; otherwise
// the refusal is said in an alert and `s` comes back marked told, for the caller to pass up.
rt::Status gravou(Contexto& ctx, const rt::Status& s, std::string_view oque);

// Ends a write made under a lock on `t`: the locks go (their release writes the row first),
// and the first refusal, the write's own (`s`) or the release's, is said.
rt::Status liberaGravacao(Contexto& ctx, rt::db::Table& t, const rt::Status& s, std::string_view oque);

}  // namespace store

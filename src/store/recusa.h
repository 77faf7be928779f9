// A write of the store that the table refuses is said at once, worded as every layer words it
// (console/recusa.h); the computation, by contrast, gathers its refusals per step.
#pragma once

#include <string_view>

#include "console/recusa.h"
#include "rt/base/status.h"
#include "store/contexto.h"

namespace store {

using console::textoRecusa;

// A write of the store checked: true when `s` succeeded; otherwise the refusal is said in an
// alert and false is returned for the caller to pass up.
bool gravou(Contexto& ctx, const rt::Status& s, std::string_view oque);

}  // namespace store

// The country names the reports print beside assets and rural properties abroad.
#pragma once

#include <string>
#include <string_view>

#include "store/contexto.h"

namespace print {

// The country's name in TABPAIS for its three-digit code, without trailing blanks; an empty code
// or one the table lacks has no name.
std::string nomeDoPais(store::Contexto& ctx, std::string_view codigo);

}  // namespace print

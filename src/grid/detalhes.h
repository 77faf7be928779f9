// The long descriptions of assets and debts shown whole in the message window while their cell
// is edited (the cell shows only its first characters).
#pragma once

#include <string_view>

#include "console/contexto.h"

namespace grid {

// MOS_DETBEM: the first 511 characters of an asset's description in an 8-line message window
// at (row, col), moved up 11 rows when it would pass row 21. Left open; window 10.
void MOS_DETBEM(console::Contexto& ctx, std::string_view texto, int linha, int coluna);

// MOS_DETDIV: a debt's description (and one blank) in a 4-line window, moved up 7 rows when it
// would pass row 21.
void MOS_DETDIV(console::Contexto& ctx, std::string_view texto, int linha, int coluna);

}  // namespace grid

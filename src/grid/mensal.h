// The monthly split of a value (Alt+U, and Enter on the carnê-leão detail grids): the twelve
// months of the cell under the cursor shown in the monthly grid, and what the user left there
// written back into the row and its total.
#pragma once

#include <optional>
#include <string>

#include "grid/sessao.h"

namespace grid {

// The monthly fields a cell of the screen spreads into ("I1_4" for I1_401 .. I1_412), or ""
// where the cell has no months of its own.
std::string camposMensais(const Tracos& tracos, std::string_view campo);

// Whether the key splits the cell under the cursor of this screen (the value columns of the
// income, payment, carnê-leão, expense, asset and debt screens).
[[nodiscard]] bool divideCelula(const Tracos& tracos, std::string_view campo);

// The split itself. False when the cell has nothing to split (the key then does nothing).
// `primeira`, a character typed on the cell, becomes the monthly grid's first key; it is
// dropped when the monthly grid does not open.
bool DIVIDE_MENSAL(Sessao& s, std::optional<rt::term::Key> primeira = std::nullopt);

}  // namespace grid

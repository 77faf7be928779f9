// Frozen columns: the first columns of a grid that stay at the left while the others pan
// (the taxpayer's CPF and name on the register lists, the month on the monthly matrices). They
// identify the row and are never typed into: the cursor does not stay in one.
#pragma once

#include "rt/ui/browse.h"

namespace grid {

// Whether column `coluna` (1-based) of the browse is frozen.
[[nodiscard]] inline bool CONGELADA(const rt::ui::Browse& b, int coluna) { return coluna >= 1 && coluna <= b.freeze(); }

// A cursor standing in a frozen column moves to the first free one (a grid made only of frozen
// columns keeps it where it is).
inline void SAI_CONGELADA(rt::ui::Browse& b) {
  if (CONGELADA(b, b.colPos()) && b.freeze() < b.columnCount()) b.setColPos(b.freeze() + 1);
}

}  // namespace grid

// The keys that move to another page of the open declaration, one dispatch for the table grid
// and the matrix grid: each key asks the shell's services for its page.
#pragma once

#include "grid/estado.h"
#include "grid/tracos.h"
#include "store/contexto.h"

namespace grid {

// The keys that go to another page of the open declaration, the same in the table grid and the
// matrix grid: F1-F12, Alt+F1 and Alt+F2 (the forms' pages) and Alt+I/Alt+H (the monthly
// layout). The table grid also takes Alt+Z and Alt+X, which widen the page's list.
[[nodiscard]] bool teclaDePagina(int code);

// True when the key led to another page (the caller leaves its loop with it). Nothing moves
// while no declaration is open, nor on a key the screen's traits do not allow.
[[nodiscard]] bool mudaDePagina(store::Contexto& ctx, Grade& g, int code, const Tracos& tracos);

}  // namespace grid

// Waiting for a key with the idle clock, on the declaration's grids and matrices: the time of
// use is shown every idle minute from the second on; once nobody has typed for more than
// TEMP_DES minutes the clock stops once, so idle time is not counted, and the key that ends
// the wait starts it again. Minutes are those of the terminal's clock.
#pragma once

#include "grid/estado.h"
#include "rt/term/keys.h"
#include "store/contexto.h"

namespace grid {

rt::term::Key esperaTeclaOciosa(store::Contexto& ctx, Grade& g);

}  // namespace grid

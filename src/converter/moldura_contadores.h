// The counters box of a conversion (frame 4, "CPF's"): how many taxpayers are to be
// converted, were converted, already existed, are not to be converted and are left.
#pragma once

#include "converter/contadores.h"
#include "rt/term/screen.h"
#include "store/contexto.h"

namespace converter {

// The box's captions inside `r` (the frame draws the box).
void desenhaContadores(store::Contexto& ctx, rt::term::Rect r);

// The values beside the captions of the frame drawn last (picture "@ 999").
void mostraContadores(store::Contexto& ctx, const Contadores& n);

}  // namespace converter

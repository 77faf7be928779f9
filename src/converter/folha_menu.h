// The income statements' menu (the converter's item 7): import FOLHA.TXT, type statements
// in one by one, edit them all in the grid, transfer them into the declarations.
#pragma once

#include "converter/conversor.h"
#include "store/contexto.h"

namespace converter {

// CONVFOLHA: frame 5 with FOLHAPG open (shared); the menu returns after each choice, Esc
// closes it.
void CONVFOLHA(store::Contexto& ctx, Conversor& c);

}  // namespace converter

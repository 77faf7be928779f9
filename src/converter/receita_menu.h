// Menu items 4, 5 and 6 of the converter: the tax authority's declarations, its capital-gains
// files and the receipt numbers alone, each after the folder dialog of frame 2.
#pragma once

#include "converter/conversor.h"
#include "converter/receita_arquivo.h"
#include "store/contexto.h"

namespace converter {

// CONVDISCO: the messages of the opener off, then the folder dialog and the conversion of the
// marked files of the chosen folder, until the dialog is left with Esc.
void CONVDISCO(store::Contexto& ctx, Conversor& c, converter::Modo modo);

}  // namespace converter

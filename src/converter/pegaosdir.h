// The folder dialog of the converter's imports (frame 2): where the data come from, the data
// folder they go into and, for last year's editions, the folder where the previous edition
// was installed.
#pragma once

#include "converter/conversor.h"
#include "store/contexto.h"

namespace converter {

// The dialog's modes: last year's edition or the cash book (items 1 and 3), the sibling's
// rural data (item 2), the tax authority's files (items 4 to 6).
enum class ModoPastas : int { Anterior = 1, Rural = 2, Receita = 5 };

// PEGAOSDIR: asks the folders; on acceptance ARQORIG and ARQDEST hold the source and the
// target and the target is the data folder. False when the user leaves with Esc or gives up
// a source that is no folder.
[[nodiscard]] bool PEGAOSDIR(store::Contexto& ctx, Conversor& c, ModoPastas modo);

}  // namespace converter

// The converter's start-up after the shared one (program folder, terminal number and its
// CONFIG record): its own colours, the year's and the work folders checked, the terminal's
// folder list opened, the banner drawn.
#pragma once

#include <string_view>

#include "converter/conversor.h"
#include "rt/base/status.h"
#include "store/contexto.h"

namespace converter {

// The converter's own colours: it does not read the terminal's colour record.
void coresDoConversor(store::Contexto& ctx);

// Started by tavren: its current data folder `pasta` is the year's folder of this run (not the
// one the terminal's CONFIG holds, which a conversion may have changed and tavren rewrites at
// its exit). An empty one is ignored.
void pastaCedida(store::Contexto& ctx, Conversor& c, std::string_view pasta);

// A year folder that does not exist is said ("O diretório ... não encontrado.Assumido o
// atual.") and the program folder is used; a missing work folder becomes the year's folder.
// LOCARQ, LOCTRAB, ROTA and DIRORIG follow.
void pastasDoConversor(store::Contexto& ctx, Conversor& c);

// The rest of start-up: folders, the screen filled, the folder list opened (one row, the
// program folder, when empty), the banner. Failed, and told by the opener, when the folder
// list cannot be opened: the program ends.
rt::Status inicia(store::Contexto& ctx, Conversor& c);

}  // namespace converter

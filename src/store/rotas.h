// The terminal's own folders asked from the settings menu: the work folder (where the working
// copies and scratch tables live) and the tax-authority program's data folder (where the
// export writes).
#pragma once

#include <string>
#include <string_view>

#include "store/contexto.h"

namespace store {

// The tax-authority program's data folder that Alt-P fills in.
std::string pastaPadraoReceita();

// NOVA_ROTA: shows the current folder and asks a new one (width `largura`, "@S76"); Alt-P
// fills the tax-authority program's default folder. Esc or a blank answer keep the old value,
// except with width 80, where a blank answer is warned about and kept blank. A drive alone
// ("E:") gets its separator; a longer folder is created when missing, and the question comes
// back when it cannot be, or when the name does not fit the width (told in an alert). Returns
// the folder padded to the width.
std::string NOVA_ROTA(Contexto& ctx, std::string_view atual, std::string_view palavra, int largura);

// SELAREA: 1 asks the work folder (LOCTRAB, CONFIG.dirtrab); any other value the
// tax-authority program's folder (CONFIG.ROTAJAVA). Returns the folder chosen, trimmed.
std::string SELAREA(Contexto& ctx, int qual);

}  // namespace store

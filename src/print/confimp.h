// The terminal's printer record (table 57, CONFIMP) and the model list (table 41, PRINTS).
#pragma once

#include "platform/paths.h"
#include "print/impressao.h"
#include "rt/base/status.h"
#include "store/contexto.h"

namespace print {

// The default printer's name, as `lp` picks it: LPDEST, then PRINTER, then the CUPS default
// destination; "" when there is none.
std::string impressoraPadrao(const Impressao& imp, const platform::EnvLookup& env);

// CRIA_SEQ: takes the default printer's name into NOMEREDE, makes the terminal's row with the
// defaults when it has none (under a 5-second record lock), loads the row and builds
// STRING0..STRING4. The model list is given its two rows ("Impressora padrao" and "NAO DOS")
// when it is empty. Failed, and told, when the table cannot be opened or the row made; the
// record keeps the defaults then.
rt::Status CRIA_SEQ(store::Contexto& ctx, Impressao& imp, const platform::EnvLookup& env);

}  // namespace print

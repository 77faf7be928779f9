// F6 in the taxpayer chooser: every detail of the register row under the cursor in dialog
// frame 4, until a key is pressed.
#pragma once

#include "store/contexto.h"

namespace screens {

// Shows the current row of the register (area 09). True when a row was shown and a key taken;
// false, with nothing shown or said and no key waited for, when there is no row to show (the
// register not open, or past its last row): nothing failed, so there is nothing to say.
bool MOS_DETAL(store::Contexto& ctx);

}  // namespace screens

// F6 in the taxpayer chooser: every detail of the register row under the cursor in dialog
// frame 4, until a key is pressed.
#pragma once

#include "store/contexto.h"

namespace screens {

// Shows the current row of the register (area 09); false when the register is not open or
// stands on no row.
bool MOS_DETAL(store::Contexto& ctx);

}  // namespace screens

// What a declaration screen says when the input refuses what was typed before the field's own
// check could run: a date that is no real day, a letter in an amount or in a number's digits,
// a text longer than its field. The field keeps what it holds and the cursor stays in it.
#pragma once

#include "console/contexto.h"
#include "rt/ui/read.h"

namespace console {

// The refusal in an alert, as the screens say their own refusals; its key closes it.
void DIZ_RECUSA(Contexto& ctx, const rt::ui::Get& campo, rt::ui::Refusal recusa);

// The notice for a Read or a cell edit of the declaration screens.
rt::ui::RefusalNotice avisoDeRecusa(Contexto& ctx);

}  // namespace console

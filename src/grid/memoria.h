// The remembered payees (table 53, AUXPAG) and asset texts (table 52, AUXBENS): Ctrl+Enter on a
// payment, asset or debt row keeps its name or text with its code, and the nested pick screens
// (Alt+F4: payees, screen 30; Alt+F5: asset texts, screen 31) append a row to the calling grid
// from the one picked there with Ctrl+Enter.
#pragma once

#include "grid/sessao.h"

namespace grid {

// Ctrl+Enter on the payment, asset and debt screens: the row's payee or text remembered when it
// is not yet. Does nothing on other screens or on the phantom row.
void LEMBRA(Sessao& s);

// The nested screen `aninhada` (30, 31 or 13) run from the grid `s`: the outer window drawn again, and a pick from 30 or 31 appended to
// the calling table. After the savings grid (13) its totals are taken with the asking mode.
void ANINHA(Sessao& s, int aninhada);

// The running line variable (I7_0, I8_0, I8R_0, I9R_0) of a line field; nullptr for another.
rt::text::Decimal* linhaCorrente(Grade& g, std::string_view campoLinha);

}  // namespace grid

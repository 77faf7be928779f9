// The field rules of the identification form (screen 6) and of the spouse, estate and exit
// fields of screen 5, as the RegrasCampos the driver gives those screens: the receipt numbers
// with their check digits, the lookups in the program folder's reference tables (banks, street
// types, states and towns, nature and occupation codes), and the spouse link, which brings the
// summary values of the spouse's own declaration into this one.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "screens/ambiente.h"

namespace screens {

// The rules of screens 6 and 5 by field name.
RegrasCampos regrasDeclaracao();

// VENROREC's arithmetic: a receipt number of 12 positions, 10 digits and 2 check digits. The
// number completed with its check digits when they are blank, the number itself when they are
// right; nullopt when they are wrong or the first ten positions are not all digits (check
// digits over blanks would store a number that no receipt has).
std::optional<std::string> reciboCompleto(std::string_view numero);

// The spouse link (INFO_CONJU): with I9_4 "S" the spouse's declaration is looked up by
// CPFCONJU in the folder where it was found last, in this folder and in the other registered
// folders, and its summary values are brought here; found nowhere, the clerk is asked for
// another folder until it is found there or he gives up with Esc. `mostra` false is the quiet
// pass: nothing is asked or said, and stored values stay when the spouse is not found. True
// when the values here are the ones to keep. The register is left as it was found (closed,
// or open on this taxpayer) and the current folder is this declaration's.
bool INFO_CONJU(AmbienteTela& a, bool mostra);

// The same quiet pass for a declaration being opened (no screen runs yet). It writes nothing
// into the spouse's declaration, and a folder without a register is passed over, never given
// one.
void ligaConjugeNaCarga(store::Contexto& ctx, store::EspelhoDeclaracao& e);

}  // namespace screens

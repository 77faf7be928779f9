// ESCOL_CART: the pick list of the letters in the letters' folder, for the editor's "Abrir", the
// print job's letter question (F1) and the e-mail.
#pragma once

#include <string>
#include <vector>

#include "store/contexto.h"

namespace office {

// The ".txt" files of the folder ("" the current one), whatever the case of their names, in
// name order, as the console shows them (CP860); names it cannot show are left out.
std::vector<std::string> cartasDaPasta(const std::string& pasta);

// The list in window 8, its box's top-left corner at (linha - 1, coluna - 1), eight rows at
// least (blank rows fill a shorter list). The name chosen; eight blanks on Esc, and a blank row
// chosen gives blanks too.
std::string ESCOL_CART(store::Contexto& ctx, const std::string& pasta, int linha = 2, int coluna = 15);

}  // namespace office

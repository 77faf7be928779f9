// Field lists of every table, in the catalogue's order. Part of the catalogue; other code
// reads structures through store/catalogo.h.
#pragma once

#include <vector>

#include "store/catalogo.h"

namespace store::estruturas {

// The declaration tables 01-20 (20 has the structure of 19).
std::vector<CampoDef> declaracao(Area numero);
// The program-folder tables 40-49 and 51-70 (45 for both help tables); empty for others.
std::vector<CampoDef> programa(Area numero);

}  // namespace store::estruturas

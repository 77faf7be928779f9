// The expected table structures, transcribed by hand from the catalogue's own text in a
// compact form and parsed here, so that the tests compare the catalogue with an independent
// copy rather than with itself.
//
// Form: items separated by ";"; an item is one or more names separated by "," followed by
// one type: C<width>, N<width> or N<width>.<decimals>, D, L or M. A name may carry brace
// expansions as a shell does: {01..14} (zero-padded as the first bound is written), {1..7},
// {A,B,V1}; the rightmost brace varies fastest.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/catalogo.h"

namespace esperado {

std::vector<std::string> expande(std::string_view nome);
// Parses a structure text; a malformed text fails the calling test (ADD_FAILURE).
std::vector<store::CampoDef> estrutura(std::string_view texto);

}  // namespace esperado

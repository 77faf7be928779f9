// The capital-gains records (types 60 to 68) of the tax authority's files mapped into the
// gains table (07) and the cost table (08) of one taxpayer (CONV_GANHO): layout 0 inside a
// declaration of this year, layout 1 in the capital-gains program's own files.
#pragma once

#include "converter/receita/declaracao.h"

namespace converter {

// The taxpayer's items sold (07, kinds 1 to 3) and their cost rows (08 outside variable
// income) are replaced by the file's; variable-income rows stay. A declaration of last year
// brings no gains and changes nothing.
rt::Status CONV_GANHO(ConversaoDeclaracao& c, Leitura& l, int leiaute);

}  // namespace converter

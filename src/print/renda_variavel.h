// The variable-income statement of a taxpayer (GRV_IMP): four quarters of the monthly results
// of the variable-income rows (TIPO_BEM 4) of print copy 27.
#pragma once

#include <array>
#include <string>

#include "print/impressao.h"
#include "rt/text/decimal.h"
#include "store/contexto.h"

namespace print {

// One quarter's table: 26 lines (RVAR_NRO) by six columns, common operations in 1, 3, 5 and
// day trade in 2, 4, 6 for the quarter's three months.
using QuadroTrimestre = std::array<std::array<rt::text::Decimal, 6>, 26>;

// The table of quarter `trimestre` (1-4) from copy 27 (open in its area). A row whose
// RVAR_NRO is not 1..26 has no line and is left out; a later row of a line replaces an earlier
// one.
QuadroTrimestre quadroDoTrimestre(store::Contexto& ctx, int trimestre);

// GRV_IMP: prints the statement at the printer's head (QLIN), when copy 27 holds
// variable-income rows. `cpf` and `nome` head each new page.
void GRV_IMP(store::Contexto& ctx, Impressao& imp, const std::string& cpf, const std::string& nome);

}  // namespace print

// FOLHA: the declaration's sheets plugged into the print job. Each sheet reads the taxpayer's
// register row (area 9, on the taxpayer) and table-01 row, and the print copies.
#pragma once

#include <functional>

#include "print/balanco_folha.h"
#include "print/trabalho.h"
#include "store/espelho.h"

namespace print {

// FOLHA(n) for the job's choices `esc`: sheets 1-5 of the declaration, 7 (the variable-income
// statement), 8 (the job's letter, merged by `IMPR_MAIL`) and 9 (the notes).
void FOLHA(store::Contexto& ctx, Impressao& imp, const Escolhas& esc, int n,
           const decltype(ServicosImpressao::IMPR_MAIL)& IMPR_MAIL = {});

// The balance values of sheets 4 and 5, worked out from the print copies and `d` (whose
// computed fields it updates in memory only).
Balanco calculaBalanco(store::Contexto& ctx, store::EspelhoDeclaracao& d);

// The job's services with FOLHA plugged in; `escolhas` gives the running job's choices. The
// letter sheet merges with `base.IMPR_MAIL`.
ServicosImpressao folhasDaDeclaracao(std::function<Escolhas()> escolhas, ServicosImpressao base = {});

}  // namespace print

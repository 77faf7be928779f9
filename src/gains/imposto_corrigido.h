// The corrected refund and quota list (F5 at the taxpayer prompt): for every taxpayer of the
// data folder with tax to pay or to refund, one quota or the refund corrected by the monthly
// interest from the end of April 2010 to the current month, built into IMPCORRIG (table 44,
// in the program folder, held exclusive while it is built and shown) and shown in its grid.
#pragma once

#include <optional>
#include <string>

#include "grid/estado.h"
#include "rt/base/status.h"
#include "rt/db/table.h"
#include "rt/text/date.h"
#include "rt/text/decimal.h"
#include "store/contexto.h"
#include "taxcalc/gravacoes.h"

namespace gains {

// Why the list cannot be had yet on `hoje` (its status-line text), or nothing.
std::optional<std::string> listaAntesDoPrazo(rt::text::Date hoje);

// IMPCORRIG emptied and filled from the register rows with IMPPGRE not 0, corrected by
// `fator` percent. A row with tax to pay and no quotas counts as one quota.
void preencheCorrigidos(rt::db::Table& registro, rt::db::Table& lista, rt::text::Decimal fator,
                        taxcalc::Gravacoes& grava);

// The whole function: the date checked, the list built and shown. Failed, and told, when
// nothing was shown.
rt::Status IMPCORRIG(store::Contexto& ctx, grid::Grade& g);

}  // namespace gains

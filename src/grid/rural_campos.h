// The rural grids' own cells: the property's activity code, share and condition, the result of
// a property abroad computed from its receipts, expenses and currency rate, the totals under
// the property grid, and the situation of a rural asset (which may open the cash book).
#pragma once

#include <string_view>

#include "grid/estado.h"
#include "grid/validacao.h"
#include "rt/base/status.h"
#include "rt/text/decimal.h"
#include "store/contexto.h"

namespace grid {

// VAL_PART: a share above 100% is refused (said); true when the share is accepted.
[[nodiscard]] bool VAL_PART(store::Contexto& ctx, rt::text::Decimal participacao);

// VAL_COD(value, mode): mode 1 the activity code (10-17, 19; else chosen from a menu of the
// digits "012345679", the code being 10 + the digit), mode 3 the condition (1-6; else chosen
// from a menu of "123456"). The code to store.
rt::text::Decimal VAL_COD(store::Contexto& ctx, rt::text::Decimal valor, int modo);

// The sums under the grid of the properties abroad.
struct SomasRurais {
  rt::text::Decimal RESUS, OPC20US, OPC20RS;
};
// The form's row of the foreign properties' sums (the result in dollars and the 20% option
// in dollars), the option in reais on the next: the rows of their labels on screen 12 abroad.
inline constexpr int kLinhaSomasRurais = 21;
// SOMAREC(mode): the sums over every property row (area 36); mode 1 also shows them.
SomasRurais SOMAREC(store::Contexto& ctx, int modo);

// CALUCRO: after the receipts, expenses or rate of a property abroad (the field being edited,
// `campo`, one of RECEXT, DESEXT, VALUSE) took `valor`, its result RESUS := (receipts -
// expenses) / rate and the 20% option OPC20US := receipts / rate x 0.2, OPC20RS := OPC20US x
// the dollar rate, all cut to cents; a rate of 0 gives 0. Writes the row (a refused field is
// said); failed, and told by the store, when the record could not be locked.
rt::Status CALUCRO(store::Contexto& ctx, std::string_view campo, rt::text::Decimal valor,
                   rt::text::Decimal NVALDOLAR);

// TES_SIT: the situation of a rural asset in Brazil (0-4). Above 4 the codes are shown and 0
// is stored; a sale or purchase, while the rural months come from the cash book, may be
// entered in the cash book for the asset's row.
rt::text::Decimal TES_SIT(store::Contexto& ctx, Grade& g, AmbienteValidacao& amb, rt::text::Decimal codigo);

// MASCBENS: the rural asset grid's columns loaded again into the grid's arrays.
void MASCBENS(store::Contexto& ctx, Grade& g);

}  // namespace grid

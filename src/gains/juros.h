// ACHAJURO: the interest factor (percent) of a late payment from the monthly interest table
// UFIRM ("YYYYMM", TJM), used by the corrected refund and quota list and by the payment slips.
#pragma once

#include "rt/db/table.h"
#include "rt/text/date.h"
#include "rt/text/decimal.h"

namespace gains {

struct Juros {
  rt::text::Decimal DF_JURO;  // percent: 1 for the month of payment plus the months between
  bool alemDaTabela = false;  // the table ends before the walk reached the payment month
};

// Mode 1 counts from the month of `vencimento` to the month of `pagamento`; mode 2 from April
// of the due date's year to month `mes` of the payment's year. The walk adds the rate of each
// month after "from" and stops at the first month not before "to" (so a payment in the due
// month or the next has the factor 1); "from" after "to" gives 0.
Juros ACHAJURO(rt::db::Table& ufirm, rt::text::Date vencimento, rt::text::Date pagamento, int modo,
               int mes = 0);

}  // namespace gains

// The computed values the summary's balance block and the audit-risk report print beside the
// declaration's own fields: the cash balance's receipts and expenses, the patrimony change,
// the payment totals and the suspended income. They are worked out for the sheet, in memory
// only: printing changes no stored data.
#pragma once

#include "rt/text/decimal.h"

namespace print {

struct Balanco {
  rt::text::Decimal RECEITA, DESPESA;
  rt::text::Decimal I10_1, I10_2;  // patrimony increase / decrease
  rt::text::Decimal NREC;          // other income or expense of the spouse
  rt::text::Decimal NEXIGI;        // income whose tax is suspended
  rt::text::Decimal DESPSIMP;      // payments that leave the cash under the simplified model
  rt::text::Decimal I13_09T, I13_11T, I13_18T, NTOTEMPREG;
  rt::text::Decimal NDOABENS, NPARTIDO, NADVOGADO, NALUGUEL, NOUTROS, NAJUSTE;
  rt::text::Decimal SALDO() const { return RECEITA - DESPESA; }
};

}  // namespace print

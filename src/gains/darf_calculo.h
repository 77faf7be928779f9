// The arithmetic of a DARF payment slip, apart from any screen or printer: due dates on working
// days, the days and months late, the fine with its cap, the late-filing fine with its minimum
// and maximum, and the amounts of boxes 08-10 cut to the cent.
#pragma once

#include "rt/text/date.h"
#include "rt/text/decimal.h"

namespace gains {

// ULTIMO_DIA(month, year): the due date of a month's tax, the last working day of the month
// after it (a date then in December one day earlier). ULTIMO_DIA(11, 2009) is 30/12/2009.
rt::text::Date ULTIMO_DIA(int mes, int ano);
// MES_ANTER(month): the period of assessment, the last working day of the month of 2009 (a
// December date one day earlier). MES_ANTER(12) is 30/12/2009.
rt::text::Date MES_ANTER(int mes);
// The slip dialog's default payment date: the last working day of today's month. The weekend
// step is taken again after the December step, so that 31/12 on a Monday does not give Sunday.
rt::text::Date pagamentoDarf(rt::text::Date hoje);

struct Atraso {
  int DIF_DIAS = 0;  // days from the first business day after the due date to the payment
  int DIF_MES = 0;   // months late by the calendar (by 30 days across a year end)
};
// Within one year the months are those of the calendar; a payment in a later year counts
// whole 30-day spans; a payment in an earlier year is not late (no months).
Atraso atraso(rt::text::Date vencimento, rt::text::Date util, rt::text::Date pagamento);

// The fine in percent: 20 when more than two months late, else 0.33 a day, at most 20.
rt::text::Decimal DF_MULTA(const Atraso& a);

// The late-filing fine (slip code 5320) on the tax due `I13_19`: 1% a month, never below
// 165.74 and otherwise at most 20% of the tax; nothing when not late by a month.
struct MultaEntrega {
  rt::text::Decimal VAL_TOTMUL;  // 1% a month, cut to the cent
  rt::text::Decimal principal;
  rt::text::Decimal maxima;  // 20% of the tax
};
MultaEntrega multaEntrega(rt::text::Decimal I13_19, int DIF_MES);

// Boxes 07-10 of one slip.
struct ValoresDarf {
  rt::text::Decimal IMPO_REAL, DF_MULTA, DF_JURO, VAL_MULTA, VAL_JURO, VAL_TOTAL;
  // A total below 10.00 is not paid on its own: the slip says so.
  bool naoPagar() const;
};
// CALCJU with the percentages already known: fine and interest cut to the cent.
ValoresDarf CALCJU(rt::text::Decimal IMPO_REAL, rt::text::Decimal DF_MULTA,
                   rt::text::Decimal DF_JURO);
// The fine percentage of a slip from its dates: none unless paid after the due date.
rt::text::Decimal multaDoSlip(rt::text::Date vencimento, rt::text::Date util,
                              rt::text::Date pagamento);

}  // namespace gains

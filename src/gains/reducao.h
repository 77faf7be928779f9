// The legal reductions of a capital gain: the old-property reduction by the year of
// acquisition, and the two monthly reduction factors of real estate, by the months the cost has
// been held before the disposal. The factors are fractions cut to 4 decimals.
#pragma once

#include "rt/text/date.h"
#include "rt/text/decimal.h"

namespace gains {

using rt::text::Date;
using rt::text::Decimal;

// The factors only count months from 1996 on: any earlier date counts as 01/01/1996.
inline constexpr int kAnoInicioFatores = 1996;

// FPER_RED: the old-property reduction in percent for property acquired on `aquisicao`
// (0 after 1988, 100 before 1970, else 5 per year before 1989); 0 for an earlier year's sale.
int FPER_RED(Date aquisicao, bool vendaAnterior);

// DIF_MESES(from, to): 12 per whole year between them plus the month difference + 1, the
// "from" date raised to 01/01/1996 when earlier.
int DIF_MESES(Date de, Date ate);

struct FatoresReducao {
  Decimal PER_RED1;
  Decimal PER_RED2;
  bool dataInvalida = false;  // the cost is dated after the disposal's month: both 0
};

// CALC_RED(cost date): the two factors of one cost row for a disposal on `alienacao`.
FatoresReducao CALC_RED(Date custo, Date alienacao);

}  // namespace gains

// a × b / c over a 128-bit intermediate, for shares and percentages of amounts: the product by
// 100 of the largest amount a picture allows (999,999,999.99) does not fit a Decimal, the share
// does.
#pragma once

#include "rt/text/decimal.h"

namespace rt::text {

// a × b / c rounded half away from zero at the 8th place, then held within [lo, hi]: a share of
// a tiny whole comes out as the bound instead of failing. A zero c gives 0 (held within the
// bounds), as the division does. For amounts whose product fits it equals a * b / c.
Decimal mulDiv(Decimal a, Decimal b, Decimal c, Decimal lo, Decimal hi);
// The same for a result that fits; one that does not is the usual overflow error.
Decimal mulDiv(Decimal a, Decimal b, Decimal c);

}  // namespace rt::text

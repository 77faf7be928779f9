#include "rt/text/muldiv.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace rt::text {

namespace {

__extension__ using i128 = __int128;  // g++ and clang both have it

// a.raw × b.raw / c.raw rounded half away from zero; c is not zero. Both raws are below 2^63, so
// their product always fits 128 bits.
i128 mulDivRaw(Decimal a, Decimal b, Decimal c) {
  i128 num = static_cast<i128>(a.raw()) * b.raw();
  i128 den = c.raw();
  if (den < 0) {
    num = -num;
    den = -den;
  }
  i128 q = num / den;
  i128 r = num % den;
  if (r < 0) r = -r;
  if (2 * r >= den) q += num < 0 ? -1 : 1;
  return q;
}

}  // namespace

Decimal mulDiv(Decimal a, Decimal b, Decimal c, Decimal lo, Decimal hi) {
  if (c.isZero()) return std::clamp(Decimal(), lo, hi);
  const i128 q = mulDivRaw(a, b, c);
  if (q < lo.raw()) return lo;
  if (q > hi.raw()) return hi;
  return Decimal::fromRaw(static_cast<std::int64_t>(q));
}

Decimal mulDiv(Decimal a, Decimal b, Decimal c) {
  if (c.isZero()) return Decimal();
  const i128 q = mulDivRaw(a, b, c);
  if (q > std::numeric_limits<std::int64_t>::max() || q < std::numeric_limits<std::int64_t>::min())
    throw std::overflow_error("Decimal out of range");
  return Decimal::fromRaw(static_cast<std::int64_t>(q));
}

}  // namespace rt::text

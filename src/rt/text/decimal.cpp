#include "rt/text/decimal.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <ostream>

namespace rt::text {
namespace {

__extension__ using i128 = __int128;  // g++ and clang both have it

constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kMin = std::numeric_limits<std::int64_t>::min();

std::int64_t checked(i128 v) {
  if (v > kMax || v < kMin) throw std::overflow_error("Decimal out of range");
  return static_cast<std::int64_t>(v);
}

// num / den rounded half away from zero; den > 0.
i128 divRound(i128 num, i128 den) {
  i128 q = num / den;
  i128 r = num % den;
  if (r < 0) r = -r;
  if (2 * r >= den) q += (num < 0) ? -1 : 1;
  return q;
}

constexpr i128 pow10(int n) {
  i128 p = 1;
  for (int i = 0; i < n; ++i) p *= 10;
  return p;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Reads sign, digits and one "." from text[pos]; returns the raw value (rounded at the 8th
// place) and leaves pos after the last character used.
std::optional<std::int64_t> readNumber(std::string_view text, std::size_t& pos) {
  bool negative = false;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) negative = text[pos++] == '-';
  i128 whole = 0, frac = 0;
  int places = 0;
  bool sawPoint = false, sawDigit = false, roundUp = false;
  for (; pos < text.size(); ++pos) {
    char c = text[pos];
    if (c == '.' && !sawPoint) {
      sawPoint = true;
      continue;
    }
    if (c < '0' || c > '9') break;
    sawDigit = true;
    if (!sawPoint) {
      whole = whole * 10 + (c - '0');
      if (whole > kMax / Decimal::kScale + 1) return std::nullopt;
    } else if (places < Decimal::kPlaces) {
      frac = frac * 10 + (c - '0');
      ++places;
    } else if (places == Decimal::kPlaces) {
      roundUp = c >= '5';
      ++places;  // later digits do not matter for half-away rounding
    }
  }
  if (!sawDigit) return 0;
  frac *= pow10(Decimal::kPlaces - std::min(places, Decimal::kPlaces));
  i128 raw = whole * Decimal::kScale + frac + (roundUp ? 1 : 0);
  if (negative) raw = -raw;
  if (raw > kMax || raw < kMin) return std::nullopt;
  return static_cast<std::int64_t>(raw);
}

}  // namespace

Decimal Decimal::fromInt(std::int64_t whole) {
  return fromRaw(checked(static_cast<i128>(whole) * kScale));
}

Decimal Decimal::fromDouble(double value) {
  if (!std::isfinite(value)) throw std::overflow_error("Decimal from a non-finite double");
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
  if (ec != std::errc()) throw std::overflow_error("Decimal from a double out of range");
  std::size_t pos = 0;
  auto raw = readNumber(std::string_view(buf, static_cast<std::size_t>(end - buf)), pos);
  if (!raw) throw std::overflow_error("Decimal from a double out of range");
  return fromRaw(*raw);
}

std::optional<Decimal> Decimal::parse(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && isBlank(text[pos])) ++pos;
  std::size_t start = pos;
  if (pos < text.size() && (text[pos] == '-' || text[pos] == '+')) ++pos;
  bool digit = false;
  for (std::size_t i = pos; i < text.size() && !isBlank(text[i]); ++i) digit |= (text[i] >= '0' && text[i] <= '9');
  if (!digit) return std::nullopt;
  pos = start;
  auto raw = readNumber(text, pos);
  if (!raw) return std::nullopt;
  while (pos < text.size() && isBlank(text[pos])) ++pos;
  if (pos != text.size()) return std::nullopt;
  return fromRaw(*raw);
}

Decimal Decimal::val(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && isBlank(text[pos])) ++pos;
  auto raw = readNumber(text, pos);
  return raw ? fromRaw(*raw) : Decimal();
}

std::string Decimal::toString(int decimals) const {
  if (decimals < 0) decimals = 0;
  if (decimals > kPlaces) decimals = kPlaces;
  i128 scaled = divRound(raw_, pow10(kPlaces - decimals));
  bool negative = scaled < 0;
  if (negative) scaled = -scaled;
  i128 unit = pow10(decimals);
  auto whole = static_cast<unsigned long long>(scaled / unit);
  auto frac = static_cast<unsigned long long>(scaled % unit);
  std::string out = negative ? "-" : "";
  out += std::to_string(whole);
  if (decimals > 0) {
    std::string f = std::to_string(frac);
    out += '.';
    out.append(static_cast<std::size_t>(decimals) - f.size(), '0');
    out += f;
  }
  return out;
}

std::string Decimal::toString() const {
  int decimals = kPlaces;
  std::int64_t r = raw_;
  while (decimals > 0 && r % 10 == 0) {
    r /= 10;
    --decimals;
  }
  return toString(decimals);
}

Decimal Decimal::operator-() const { return fromRaw(checked(-static_cast<i128>(raw_))); }

Decimal operator+(Decimal a, Decimal b) {
  return Decimal::fromRaw(checked(static_cast<i128>(a.raw_) + b.raw_));
}

Decimal operator-(Decimal a, Decimal b) {
  return Decimal::fromRaw(checked(static_cast<i128>(a.raw_) - b.raw_));
}

Decimal operator*(Decimal a, Decimal b) {
  return Decimal::fromRaw(checked(divRound(static_cast<i128>(a.raw_) * b.raw_, Decimal::kScale)));
}

Decimal operator/(Decimal a, Decimal b) {
  if (b.raw_ == 0) return Decimal();
  i128 num = static_cast<i128>(a.raw_) * Decimal::kScale;
  i128 den = b.raw_;
  if (den < 0) {
    num = -num;
    den = -den;
  }
  return Decimal::fromRaw(checked(divRound(num, den)));
}

Decimal round(Decimal x, int places) {
  if (places >= Decimal::kPlaces) return x;
  if (places < -10) places = -10;
  i128 unit = pow10(Decimal::kPlaces - places);
  return Decimal::fromRaw(checked(divRound(x.raw(), unit) * unit));
}

Decimal truncate(Decimal x, int places) {
  if (places >= Decimal::kPlaces) return x;
  if (places < -10) places = -10;
  i128 unit = pow10(Decimal::kPlaces - places);
  return Decimal::fromRaw(checked(x.raw() / unit * unit));
}

Decimal despreza(Decimal x, int places) { return truncate(round(x, places + 2), places); }

Decimal abs(Decimal x) { return x.isNegative() ? -x : x; }

std::ostream& operator<<(std::ostream& os, Decimal x) { return os << x.toString(); }

}  // namespace rt::text

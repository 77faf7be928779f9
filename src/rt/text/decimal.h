// Decimal: the number type of every amount, rate and factor.
//
// Fixed point with 8 decimal places in a 64-bit integer. Products and quotients go through
// 128-bit integers and are rounded half away from zero at the 8th place. Text conversion is
// exact both ways. Division by zero yields 0, as the old runtime did and the computations rely
// on. A result outside the range (about +-92 billion) throws std::overflow_error: a wrapped
// amount would be a silently wrong tax.
#pragma once

#include <compare>
#include <iosfwd>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace rt::text {

class Decimal {
 public:
  static constexpr int kPlaces = 8;
  static constexpr std::int64_t kScale = 100'000'000;

  constexpr Decimal() = default;
  // Whole numbers convert implicitly: an int always fits.
  constexpr Decimal(int whole) : raw_(static_cast<std::int64_t>(whole) * kScale) {}  // NOLINT

  static constexpr Decimal fromRaw(std::int64_t raw) {
    Decimal d;
    d.raw_ = raw;
    return d;
  }
  static Decimal fromInt(std::int64_t whole);
  // The nearest decimal with 8 places to the shortest text that reads back as `value`, so that
  // 0.1 becomes exactly 0.1. For results of pow() and the like; NaN and infinities throw.
  static Decimal fromDouble(double value);
  // Strict parse: optional blanks, optional sign, digits with at most one ".", optional blanks.
  // Places beyond the 8th are rounded half away from zero. Anything else is nullopt.
  static std::optional<Decimal> parse(std::string_view text);
  // The runtime's VAL: leading blanks, a sign, digits and one "."; reading stops at the first
  // other character. Empty text, blanks and asterisks read as 0.
  static Decimal val(std::string_view text);

  constexpr std::int64_t raw() const { return raw_; }
  // Whole part, toward zero.
  constexpr std::int64_t wholePart() const { return raw_ / kScale; }
  double toDouble() const { return static_cast<double>(raw_) / static_cast<double>(kScale); }
  constexpr bool isZero() const { return raw_ == 0; }
  constexpr bool isNegative() const { return raw_ < 0; }
  // Plain text with "." and exactly `decimals` places (0-8), rounded half away from zero,
  // no padding: "-1234.50".
  std::string toString(int decimals) const;
  // Plain text with as few places as show the value exactly: "12.5", "-3", "0.00000001".
  std::string toString() const;

  friend constexpr auto operator<=>(Decimal, Decimal) = default;
  friend constexpr bool operator==(Decimal, Decimal) = default;

  Decimal operator-() const;
  friend Decimal operator+(Decimal a, Decimal b);
  friend Decimal operator-(Decimal a, Decimal b);
  friend Decimal operator*(Decimal a, Decimal b);
  friend Decimal operator/(Decimal a, Decimal b);
  Decimal& operator+=(Decimal b) { return *this = *this + b; }
  Decimal& operator-=(Decimal b) { return *this = *this - b; }
  Decimal& operator*=(Decimal b) { return *this = *this * b; }
  Decimal& operator/=(Decimal b) { return *this = *this / b; }

 private:
  std::int64_t raw_ = 0;
};

// ROUND(x, places): half away from zero; places may be negative (ROUND(1250, -2) is 1300).
Decimal round(Decimal x, int places);
// Cut toward zero after `places` decimals (the runtime's INT when places is 0).
Decimal truncate(Decimal x, int places);
// The system's one truncation rule for derived amounts: round at places + 2, then cut the two
// extra places toward zero (12.349999 -> 12.35, 12.3456 -> 12.34, -12.3456 -> -12.34).
Decimal despreza(Decimal x, int places = 2);
Decimal abs(Decimal x);
// Plain text, for diagnostics and test output.
std::ostream& operator<<(std::ostream& os, Decimal x);

namespace detail {
consteval Decimal parseLiteral(const char* text, std::size_t n) {
  std::int64_t whole = 0, frac = 0;
  int places = -1;
  for (std::size_t i = 0; i < n; ++i) {
    char c = text[i];
    if (c == '\'') continue;
    if (c == '.') {
      if (places >= 0) throw "two decimal points in a Decimal literal";
      places = 0;
      continue;
    }
    if (c < '0' || c > '9') throw "bad character in a Decimal literal";
    if (places < 0) {
      whole = whole * 10 + (c - '0');
      if (whole > 92'000'000'000) throw "Decimal literal out of range";
    } else {
      if (++places > Decimal::kPlaces) throw "more than 8 places in a Decimal literal";
      frac = frac * 10 + (c - '0');
    }
  }
  for (int p = places < 0 ? 0 : places; p < Decimal::kPlaces; ++p) frac *= 10;
  return Decimal::fromRaw(whole * Decimal::kScale + frac);
}
}  // namespace detail

inline namespace literals {
// 12.34_d is exactly 12.34; a literal with more than 8 places does not compile.
template <char... Chars>
consteval Decimal operator""_d() {
  constexpr char text[] = {Chars...};
  return detail::parseLiteral(text, sizeof...(Chars));
}
}  // namespace literals

}  // namespace rt::text

// TRANSFORM: values shown through a picture, exactly as the old runtime formatted them.
//
// A picture is an optional function part ("@" and letters, ended by a blank) and a template.
// Functions: @E (European: "," decimals, "." thousands; dates dd/mm), @Z (blank when zero),
// @R (template literals are inserted, not laid over), @! (upper case), @D (date form),
// @S<n> (shown in n columns; for GET scrolling), @K (clear on first key; GET only),
// @B (left-aligned number), @X (" DB" after negatives), @C (" CR" after positives),
// @( (negatives in parentheses).
// Template characters: 9 # (digits, and sign for numbers), X (any), A (letter), ! (upper),
// L (T/F), Y (Y/N), N (letter or digit), $ and * (leading fill), "," (thousands separator,
// dropped when no digit is left of it), "." (decimal point); anything else is a literal.
// A number that does not fit its template (its minus sign included) shows asterisks in every
// digit place, keeping the template's "." and "," (swapped by @E) and literals, as the old
// runtime did: "@E 99,999.99" of 1234567 is "**.***,**". TRANSFORM cuts any result to the
// @S width. transform.cpp lists the finer decisions.
#pragma once

#include <string>
#include <string_view>

#include "rt/text/date.h"
#include "rt/text/decimal.h"

namespace rt::text {

// `decimals` is the number's own decimals (a field's); it matters only when the picture has no
// template (then the number shows as STR would, width 10 + decimals + 1). -1: as few as needed.
std::string transform(Decimal value, std::string_view picture, int decimals = -1);
std::string transform(std::string_view text, std::string_view picture);
std::string transform(Date value, std::string_view picture);
std::string transform(bool value, std::string_view picture);
// Without these, a string literal or an int would silently pick the bool overload (a standard
// conversion beats a user-defined one).
inline std::string transform(const char* text, std::string_view picture) {
  return transform(std::string_view(text), picture);
}
inline std::string transform(int value, std::string_view picture, int decimals = -1) {
  return transform(Decimal(value), picture, decimals);
}
std::string transform(double, std::string_view, int = -1) = delete;  // amounts are Decimal

// A picture split into its parts, for GET editing.
struct Picture {
  std::string functions;  // upper-cased letters, "!" and "(" after "@", without "S<n>"
  int scrollWidth = 0;    // @S<n>; 0 when absent
  std::string templ;      // the template part
  bool has(char function) const { return functions.find(function) != std::string::npos; }
};
Picture parsePicture(std::string_view picture);

// Whether a template character stands for an editable position (for GET editing).
bool isTemplateEditChar(char c, bool numeric);
// Whether `c` may be typed at template character `t`; `out` receives what is stored there
// (upper-cased for "!", "Y" and "L").
bool acceptsChar(char t, char c, char& out, bool numeric);

}  // namespace rt::text

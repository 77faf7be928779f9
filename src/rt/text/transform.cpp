// TRANSFORM as the old runtime formatted values. Decisions taken where its behaviour is fine
// detail:
// - The function part runs from "@" to the first blank; the template is everything after that
//   one blank (further blanks are literals). Unknown letters and digits in the function part
//   are ignored, so "@Z99" is the function Z with no template, as the runtime read it.
// - Numbers: "9 # $ *" are digit places, the first "." is the decimal point, "," a thousands
//   separator; any other template character (a later "." too) is a literal. The value is
//   rounded half away from zero at the template's decimals. The minus sign takes the place
//   left of the first digit and needs a digit place of its own.
// - Overflow: every digit place shows "*", while the template's "." and "," stay where they
//   are (swapped by @E) and literals stay too: "99,999.99" shows "**,***.**". The old runtime
//   kept the separators in its asterisk picture, and columns of amounts stay aligned.
// - A zero integer part is dropped only when the template has no room for it (".99" of 0.5
//   is ".50").
// - @Z blanks an exact zero (the value, not its rounded form), in the picture's full width.
// - @( puts "(" in the first column and ")" after a negative number (the sign is dropped);
//   @X appends " DB" to negatives and @C " CR" to positives, the sign staying; @B left-aligns
//   within the same width. An overflow gets no parentheses.
// - "$" and "*" fill the leading digit places they stand on, and a "," left of every digit
//   takes the fill of the place before it.
// - @S<n> cuts any result to n columns (no padding: the GET or column pads).
// - Text: without @R a template literal replaces the character at its place; with @R it is
//   inserted. Places past the end of the text show blanks. @D on text uses "99/99/9999".
// - Dates ignore the template: "dd/mm/yyyy" always (@E and @D give the same); @Z blanks an
//   empty date.
// - Logicals: each "Y" of the template shows Y/N, each "L" or "#" T/F, other characters are
//   literals; no template shows T/F.
#include "rt/text/transform.h"

#include <algorithm>
#include <cctype>

#include "rt/text/cp860.h"
#include "rt/text/strings.h"

namespace rt::text {
namespace {

bool isDigitPlace(char c) {
  return c == '9' || c == '#' || c == '$' || c == '*';
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

std::string applyScroll(std::string s, const Picture& p) {
  if (p.scrollWidth > 0 && static_cast<int>(s.size()) > p.scrollWidth)
    s.resize(static_cast<std::size_t>(p.scrollWidth));
  return s;
}

// |value| rounded at `decimals` (any count; Decimal holds 8), split at the point.
struct Digits {
  std::string whole;
  std::string frac;
  bool negative = false;
};

Digits digitsOf(Decimal value, int decimals) {
  int shown = std::min(decimals, Decimal::kPlaces);
  std::string text = value.toString(shown);
  Digits d;
  if (!text.empty() && text[0] == '-') {
    d.negative = true;
    text.erase(0, 1);
  }
  auto point = text.find('.');
  d.whole = text.substr(0, point);
  if (point != std::string::npos) d.frac = text.substr(point + 1);
  if (decimals > shown) d.frac.append(static_cast<std::size_t>(decimals - shown), '0');
  return d;
}

// Parentheses, DB/CR and left alignment, shared by the two number paths.
std::string decorate(std::string out, bool negative, bool overflow, const Picture& p) {
  if (!overflow && negative && p.has('(')) {
    auto minus = out.find('-');
    if (minus != std::string::npos) out[minus] = ' ';
    if (!out.empty()) out[0] = '(';
    out += ')';
  }
  if (p.has('B')) {
    std::size_t width = out.size();
    out = padr(ltrim(out), static_cast<int>(width));
  }
  if (negative && p.has('X')) out += " DB";
  if (!negative && p.has('C')) out += " CR";
  return out;
}

// A number with no template: STR's widths, @E turns the point into a comma.
std::string plainNumber(Decimal value, const Picture& p, int decimals) {
  if (decimals < 0) {
    std::string exact = value.toString();
    auto point = exact.find('.');
    decimals = point == std::string::npos ? 0 : static_cast<int>(exact.size() - point - 1);
  }
  int width = 10 + (decimals > 0 ? decimals + 1 : 0);
  if (p.has('Z') && value.isZero()) return applyScroll(space(width), p);
  std::string out = str(value, width, std::min(decimals, Decimal::kPlaces));
  bool overflow = !out.empty() && out[0] == '*';
  if (p.has('E'))
    for (char& c : out)
      if (c == '.') c = ',';
  bool negative = out.find('-') != std::string::npos;
  return applyScroll(decorate(std::move(out), negative, overflow, p), p);
}

std::string templatedNumber(Decimal value, const Picture& p) {
  const std::string& t = p.templ;
  if (p.has('Z') && value.isZero()) return applyScroll(space(static_cast<int>(t.size())), p);

  int wholePlaces = 0, fracPlaces = 0;
  std::size_t point = t.find('.');
  for (std::size_t i = 0; i < t.size(); ++i)
    if (isDigitPlace(t[i])) (point != std::string::npos && i > point ? fracPlaces : wholePlaces)++;

  Digits d = digitsOf(value, fracPlaces);
  if (d.whole == "0" && wholePlaces == 0) d.whole.clear();
  bool overflow = static_cast<int>(d.whole.size()) + (d.negative ? 1 : 0) > wholePlaces;

  const char thousands = p.has('E') ? '.' : ',';
  const char decimalPoint = p.has('E') ? ',' : '.';
  std::string out(t.size(), ' ');
  // Whole digits are right-aligned in the whole places; fraction digits fill from the left.
  std::size_t wholeSkip = overflow ? 0 : static_cast<std::size_t>(wholePlaces) - d.whole.size();
  std::size_t wholeIdx = 0, fracIdx = 0;
  std::size_t firstDigit = std::string::npos;
  for (std::size_t i = 0; i < t.size(); ++i) {
    char c = t[i];
    bool inFraction = point != std::string::npos && i > point;
    if (isDigitPlace(c)) {
      char shown;
      if (overflow) {
        shown = '*';
      } else if (inFraction) {
        shown = fracIdx < d.frac.size() ? d.frac[fracIdx] : '0';
        ++fracIdx;
      } else if (wholeIdx < wholeSkip) {
        shown = c == '*' || c == '$' ? c : ' ';
        ++wholeIdx;
      } else {
        shown = d.whole[wholeIdx++ - wholeSkip];
      }
      if (isDigit(shown) && firstDigit == std::string::npos) firstDigit = i;
      out[i] = shown;
    } else if (i == point) {
      out[i] = decimalPoint;
    } else if (c == ',' && !inFraction) {
      char prev = i > 0 ? out[i - 1] : ' ';
      if (overflow || isDigit(prev))
        out[i] = thousands;
      else
        out[i] = prev == '*' || prev == '$' ? prev : ' ';
    } else {
      out[i] = c;
    }
  }
  // The fit test kept a whole place for the sign left of the first digit.
  if (!overflow && d.negative && firstDigit != std::string::npos && firstDigit > 0) out[firstDigit - 1] = '-';
  return applyScroll(decorate(std::move(out), d.negative, overflow, p), p);
}

}  // namespace

Picture parsePicture(std::string_view picture) {
  Picture p;
  if (picture.empty() || picture[0] != '@') {
    p.templ = std::string(picture);
    return p;
  }
  std::size_t i = 1;
  for (; i < picture.size() && picture[i] != ' '; ++i) {
    char c = upperChar(picture[i]);
    if (c == 'S') {
      int n = 0;
      while (i + 1 < picture.size() && isDigit(picture[i + 1])) n = n * 10 + (picture[++i] - '0');
      p.scrollWidth = n;
    } else if ((c >= 'A' && c <= 'Z') || c == '(' || c == '!') {
      if (!p.has(c)) p.functions += c;
    }
  }
  if (i < picture.size()) p.templ = std::string(picture.substr(i + 1));
  return p;
}

std::string transform(Decimal value, std::string_view picture, int decimals) {
  Picture p = parsePicture(picture);
  bool hasDigitPlace = std::any_of(p.templ.begin(), p.templ.end(), isDigitPlace);
  if (p.templ.empty() || !hasDigitPlace) return plainNumber(value, p, decimals);
  return templatedNumber(value, p);
}

std::string transform(std::string_view text, std::string_view picture) {
  Picture p = parsePicture(picture);
  bool allUpper = p.has('!');
  std::string templ = p.templ;
  if (templ.empty() && p.has('D')) templ = "99/99/9999";
  if (templ.empty()) {
    std::string out(text);
    if (allUpper) out = upper(out);
    return applyScroll(std::move(out), p);
  }
  bool insert = p.has('R');
  std::string out;
  out.reserve(templ.size());
  std::size_t pos = 0;
  for (char t : templ) {
    if (isTemplateEditChar(t, false)) {
      char c = pos < text.size() ? text[pos] : ' ';
      ++pos;
      out += (t == '!' || allUpper) ? upperChar(c) : c;
    } else {
      out += t;
      if (!insert) ++pos;
    }
  }
  return applyScroll(std::move(out), p);
}

std::string transform(Date value, std::string_view picture) {
  Picture p = parsePicture(picture);
  if (p.has('Z') && value.isEmpty()) return applyScroll(space(10), p);
  return applyScroll(dtoc(value), p);
}

std::string transform(bool value, std::string_view picture) {
  Picture p = parsePicture(picture);
  if (p.templ.empty()) return applyScroll(value ? "T" : "F", p);
  std::string out;
  for (char t : p.templ) {
    if (t == 'Y' || t == 'y')
      out += value ? 'Y' : 'N';
    else if (t == 'L' || t == 'l' || t == '#')
      out += value ? 'T' : 'F';
    else
      out += t;
  }
  return applyScroll(std::move(out), p);
}

bool isTemplateEditChar(char c, bool numeric) {
  if (numeric) return isDigitPlace(c);
  return c != '\0' && std::string_view("ANX9#LY!").find(c) != std::string_view::npos;
}

namespace {
// Letters: ASCII and the accented letters of CP860 (all of them Latin-1 letters in Unicode).
bool isLetter(char c) {
  auto b = static_cast<unsigned char>(c);
  if (b < 0x80) return std::isalpha(b) != 0;
  char16_t cp = cp860::toCodepoint(b);
  return cp >= 0xC0 && cp <= 0xFF && cp != 0xD7 && cp != 0xF7;
}
}  // namespace

bool acceptsChar(char t, char c, char& out, bool numeric) {
  out = c;
  bool sign = c == '-' || c == '+';
  switch (t) {
    case '9':
      return isDigit(c) || (numeric && sign);
    case '$':
    case '*':
      return numeric && (isDigit(c) || sign);
    case '#':
      return isDigit(c) || sign || c == ' ';
    case 'A':
      return !numeric && isLetter(c);
    case 'N':
      return !numeric && (isLetter(c) || isDigit(c));
    case 'X':
      return !numeric;
    case '!':
      out = upperChar(c);
      return !numeric;
    case 'L':
      out = upperChar(c);
      return !numeric && (out == 'T' || out == 'F' || out == 'Y' || out == 'N');
    case 'Y':
      out = upperChar(c);
      return !numeric && (out == 'Y' || out == 'N');
    default:
      return false;
  }
}

}  // namespace rt::text

#include "rt/term/colour.h"

#include <cctype>

namespace rt::term {
namespace {

constexpr std::string_view kLetters[8] = {"N", "B", "G", "BG", "R", "BR", "GR", "W"};

struct Side {
  int colour = 0;
  bool blink = false;
};

std::optional<Side> parseSide(std::string_view s) {
  Side side;
  std::string letters;
  for (char c : s) {
    if (c == '+') {
      side.colour = 8;
    } else if (c == '*') {
      side.blink = true;
    } else if (c != ' ') {
      letters += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
  }
  if (letters.empty()) return side;  // "N" may be left out
  if (letters == "RB") letters = "BR";
  if (letters == "GB") letters = "BG";
  if (letters == "RG") letters = "GR";
  if (letters == "U") letters = "B";                    // underline shows as blue on a colour screen
  if (letters == "I" || letters == "X") letters = "N";  // inverse and blank: black here
  for (int i = 0; i < 8; ++i) {
    if (letters == kLetters[i]) {
      side.colour += i;
      return side;
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<Attr> parseColour(std::string_view text) {
  auto slash = text.find('/');
  auto fg = parseSide(text.substr(0, slash));
  if (!fg) return std::nullopt;
  Side bg;
  if (slash != std::string_view::npos) {
    auto b = parseSide(text.substr(slash + 1));
    if (!b) return std::nullopt;
    bg = *b;
  }
  // A "*" on either side means blink, which the old consoles showed as a bright background.
  if (fg->blink || bg.blink) bg.colour |= 8;
  return makeAttr(fg->colour, bg.colour);
}

std::string colourText(Attr attr) {
  auto side = [](int v) {
    std::string s(kLetters[v & 7]);
    if (v > 7) s += '+';
    return s;
  };
  return side(foreground(attr)) + "/" + side(background(attr));
}

ColourSet parseColourList(std::string_view text, const ColourSet& base) {
  ColourSet out = base;
  std::size_t index = 0, start = 0;
  while (index < out.entries.size() && start <= text.size()) {
    auto comma = text.find(',', start);
    auto entry = text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    bool blank = entry.find_first_not_of(' ') == std::string_view::npos;
    if (!blank)
      if (auto a = parseColour(entry)) out.entries[index] = *a;
    ++index;
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return out;
}

}  // namespace rt::term

// Colours as the old runtime named them. A numeric attribute is foreground + 16 x background,
// each 0-15 (8-15 are the bright colours; a bright background is what "*" or a "+" after the
// background asked for). Colour texts are "fg/bg" with the letters N B G BG R BR GR W, "+" for
// a bright colour on either side and "*" for blink (shown as a bright background).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rt::term {

using Attr = std::uint8_t;

constexpr Attr makeAttr(int fg, int bg) { return static_cast<Attr>((fg & 15) | ((bg & 15) << 4)); }
constexpr int foreground(Attr a) { return a & 15; }
constexpr int background(Attr a) { return (a >> 4) & 15; }

// "W+/B" -> 31. Letters are case-insensitive; an empty side is black; a missing "/bg" is black.
// nullopt for a text that is not a colour.
std::optional<Attr> parseColour(std::string_view text);
// 30 -> "GR+/B", 112 -> "N/W", 255 -> "W+/W+".
std::string colourText(Attr attr);

// A colour list as set with the runtime's SETCOLOR: standard, enhanced (the GET and the
// selected item), border, background, unselected, and a sixth entry some menus use. Missing
// entries keep the defaults below.
struct ColourSet {
  std::array<Attr, 6> entries{makeAttr(7, 0), makeAttr(0, 7), makeAttr(0, 0), makeAttr(0, 0),
                              makeAttr(7, 0), makeAttr(7, 0)};
  Attr standard() const { return entries[0]; }
  Attr enhanced() const { return entries[1]; }
  Attr border() const { return entries[2]; }
  Attr unselected() const { return entries[4]; }
};
// "W+/B,N/W,,,W/B": empty or bad entries keep those of `base`.
ColourSet parseColourList(std::string_view text, const ColourSet& base = {});

}  // namespace rt::term

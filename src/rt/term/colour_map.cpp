#include "rt/term/colour_map.h"

namespace rt::term {

ColourDepth colourDepth(int colours, int pairs) {
  if (colours >= 16 && pairs >= 256) return ColourDepth::Sixteen;
  if (colours >= 8 && pairs >= 64) return ColourDepth::Eight;
  return ColourDepth::None;
}

int cursesColour(int consoleColour) {
  // black, blue, green, cyan, red, magenta, brown, white -> curses' order
  constexpr int kOrder[8] = {0, 4, 2, 6, 1, 5, 3, 7};
  return kOrder[consoleColour & 7] + (consoleColour & 8);
}

CellStyle cellStyle(Attr attr, ColourDepth depth) {
  const int fg = foreground(attr), bg = background(attr);
  switch (depth) {
    case ColourDepth::Sixteen:
      return {attr ^ 7, false, false};
    case ColourDepth::Eight:
      return {((fg & 7) ^ 7) + 8 * (bg & 7), fg > 7, false};
    case ColourDepth::None:
      break;
  }
  return {0, fg > 7, bg != 0};
}

PairColours pairColours(int pair, ColourDepth depth) {
  if (depth == ColourDepth::Sixteen) {
    const Attr a = static_cast<Attr>((pair & 255) ^ 7);
    return {foreground(a), background(a)};
  }
  return {(pair & 7) ^ 7, (pair >> 3) & 7};
}

int pairCount(ColourDepth depth) {
  switch (depth) {
    case ColourDepth::Sixteen: return 256;
    case ColourDepth::Eight: return 64;
    case ColourDepth::None: break;
  }
  return 1;
}

}  // namespace rt::term

#include "rt/term/colour_map.h"

namespace rt::term {

ColourPlan colourPlan(int colours, int pairs) {
  if (colours >= 16 && pairs >= 256) return {ColourDepth::Sixteen, pairs < 257};
  if (colours >= 8 && pairs >= 64) return {ColourDepth::Eight, pairs < 65};
  return {ColourDepth::None, false};
}

int cursesColour(int consoleColour) {
  // black, blue, green, cyan, red, magenta, brown, white -> curses' order
  constexpr int kOrder[8] = {0, 4, 2, 6, 1, 5, 3, 7};
  return kOrder[consoleColour & 7] + (consoleColour & 8);
}

CellStyle cellStyle(Attr attr, const ColourPlan& plan) {
  const int fg = foreground(attr), bg = background(attr);
  switch (plan.depth) {
    case ColourDepth::Sixteen:
      // Sharing: XOR 7 puts white on black (7) on pair 0 and keeps the numbering one to one.
      return {plan.sharesDefault ? attr ^ 7 : attr + 1, false, false};
    case ColourDepth::Eight: {
      const int dim = (fg & 7) + 8 * (bg & 7);
      return {plan.sharesDefault ? dim ^ 7 : dim + 1, fg > 7, false};
    }
    case ColourDepth::None:
      break;
  }
  return {0, fg > 7, bg != 0};
}

PairColours pairColours(int pair, const ColourPlan& plan) {
  const int index = plan.sharesDefault ? pair ^ 7 : pair - 1;
  if (plan.depth == ColourDepth::Sixteen) return {index & 15, (index >> 4) & 15};
  return {index & 7, (index >> 3) & 7};
}

int pairCount(const ColourPlan& plan) {
  const int used = plan.depth == ColourDepth::Sixteen ? 256 : plan.depth == ColourDepth::Eight ? 64 : 0;
  if (used == 0) return 1;
  return plan.sharesDefault ? used : used + 1;
}

}  // namespace rt::term

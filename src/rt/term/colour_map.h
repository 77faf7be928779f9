// How the 16 + 16 colours of an attribute become curses colour pairs. The old console numbered
// its colours black, blue, green, cyan, red, magenta, brown, white (8-15 the bright ones);
// curses numbers them black, red, green, yellow, blue, magenta, cyan, white.
//
// Every attribute gets a pair of its own colours set explicitly, so a terminal whose default
// colours are dark on light still shows white on black where the program asked for it. Pair
// 0 is the terminal's default pair, which curses does not let us set; only a terminal with
// exactly as many pairs as needed shares it, with white on black declared as its colours.
// With 8 colours the bright foregrounds show in bold and the bright backgrounds fall back to
// their dark form; without colours, what has a background shows in reverse video.
#pragma once

#include "rt/term/colour.h"

namespace rt::term {

enum class ColourDepth { None, Eight, Sixteen };

struct ColourPlan {
  ColourDepth depth = ColourDepth::None;
  // White on black is pair 0, the terminal's default pair (too few pairs for our own).
  bool sharesDefault = false;
};

// What a terminal with `colours` colours and `pairs` colour pairs can show.
ColourPlan colourPlan(int colours, int pairs);

// The curses colour number of an old console colour 0-15.
int cursesColour(int consoleColour);

struct CellStyle {
  int pair = 0;
  bool bold = false;
  bool reverse = false;
};
CellStyle cellStyle(Attr attr, const ColourPlan& plan);

// The console colours (fg, bg) of a pair; pairs 1..pairCount(plan)-1 are the ones to set up.
struct PairColours {
  int foreground = 7, background = 0;
};
PairColours pairColours(int pair, const ColourPlan& plan);
int pairCount(const ColourPlan& plan);

}  // namespace rt::term

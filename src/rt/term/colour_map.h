// How the 16 + 16 colours of an attribute become curses colour pairs. The old console numbered
// its colours black, blue, green, cyan, red, magenta, brown, white (8-15 the bright ones);
// curses numbers them black, red, green, yellow, blue, magenta, cyan, white.
//
// Pair numbers are chosen so that white on black, attribute 7, is pair 0: curses reserves
// pair 0 for the default colours, which the terminal is set to. With 16 colours and 256 pairs
// every attribute has a pair of its own; with 8 colours the bright foregrounds show in bold
// and the bright backgrounds fall back to their dark form; without colours, what has a
// background shows in reverse video.
#pragma once

#include "rt/term/colour.h"

namespace rt::term {

enum class ColourDepth { None, Eight, Sixteen };

// What a terminal with `colours` colours and `pairs` colour pairs can show.
ColourDepth colourDepth(int colours, int pairs);

// The curses colour number of an old console colour 0-15.
int cursesColour(int consoleColour);

struct CellStyle {
  int pair = 0;
  bool bold = false;
  bool reverse = false;
};
CellStyle cellStyle(Attr attr, ColourDepth depth);

// The colours of a pair number, as console colours (fg, bg); pairs 1..pairCount(depth)-1
// are the ones to set up.
struct PairColours {
  int foreground = 7, background = 0;
};
PairColours pairColours(int pair, ColourDepth depth);
int pairCount(ColourDepth depth);

}  // namespace rt::term

// The browse grid (the old runtime's TBrowse) over a DataSource.
//
// The caller owns the key loop, as with TBrowse: it asks for moves (down(), pageDown(), ...)
// and calls stabilize() until it answers true, then waits for a key; browseWait() and
// applyStandardKey() do the usual parts. Moves only touch the rows on screen, and a redraw
// passes over them once, moving the source one row at a time; a move by one row scrolls the
// screen and draws only the new row and the two the cursor left and entered.
//
// Layout: heading lines (";" separates lines of a heading), a heading separator row, the data
// rows, a footing separator row and footing lines; a separator row exists when some column or
// the browse has one. Frozen columns stay at the left while the others pan. When the visible
// columns do not fill the width they are centred, as TBrowse did. A separator of several
// characters ("┴─") puts its first characters under the column separator and repeats its last
// one under the column. Numbers are right-aligned, with their headings.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "rt/term/colour.h"
#include "rt/term/console.h"
#include "rt/ui/data_source.h"
#include "rt/ui/binding.h"

namespace rt::ui {

// A pair of 1-based entries of the browse's colours: the cell, and the cell under the cursor.
using ColourPair = std::pair<int, int>;

struct Column {
  std::string heading;
  // The value of the column on the current row of the source.
  std::function<Value()> block;
  std::string picture;
  int width = 0;  // 0: the widest of heading, footing and the first value shown
  std::string footing;
  // Empty: the browse's own.
  std::string colSep, headSep, footSep;
  ColourPair defColour{1, 2};
  // Per cell colours from the value (an amount below zero in red, say).
  std::function<ColourPair(const Value&)> colourBlock;
};

// A column from its heading, its value and its picture (TBColumnNew).
inline Column makeColumn(std::string heading, std::function<Value()> block, std::string picture = {}, int width = 0) {
  Column c;
  c.heading = std::move(heading);
  c.block = std::move(block);
  c.picture = std::move(picture);
  c.width = width;
  return c;
}

class Browse {
 public:
  Browse(rt::term::Screen& screen, rt::term::Rect rect, DataSource& source);

  Browse& addColumn(Column column);
  int columnCount() const { return static_cast<int>(columns_.size()); }
  // 1-based, as the old code counted columns.
  Column& column(int i) { return columns_[static_cast<std::size_t>(i - 1)]; }
  // Replacing the columns' definitions needs a full redraw: configure() after changing them.
  void configure();

  void setColSep(std::string s) { colSep_ = std::move(s); configure(); }
  void setHeadSep(std::string s) { headSep_ = std::move(s); configure(); }
  void setFootSep(std::string s) { footSep_ = std::move(s); configure(); }
  // Entry 1 is the standard colour, 2 the cursor's; columns may use the others.
  void setColours(const rt::term::ColourSet& c) { colours_ = c; configure(); }
  void setFreeze(int n);
  int freeze() const { return freeze_; }
  void setAutoLite(bool on) { autoLite_ = on; }

  int rowCount() const { return rows_; }
  int rowPos() const { return rowPos_; }
  int colPos() const { return colPos_; }
  void setColPos(int c);
  bool hitTop() const { return hitTop_; }
  bool hitBottom() const { return hitBottom_; }
  bool stable() const { return stable_; }
  DataSource& source() { return source_; }
  // The screen columns of the visible column c (1-based), -1 when off screen.
  int screenColOf(int c) const;

  void down();
  void up();
  void pageDown();
  void pageUp();
  void goTop();
  void goBottom();
  void right();
  void left();
  void home();
  void end();
  void panLeft();
  void panRight();
  void panHome();
  void panEnd();

  // Reads every row on screen again (after the source changed); the current row keeps its
  // place on the screen where it can.
  void refreshAll();
  void refreshCurrent();
  // Draws everything again, headings included, without moving (after the screen under the
  // browse was overwritten).
  void invalidate();

  // Draws what is pending; true when all is drawn (a single call draws everything now, but
  // callers loop as they did with TBrowse).
  bool stabilize();
  void forceStable() {
    while (!stabilize()) {
    }
  }
  // Draws the current row with another colour pair (the grids mark the row while they wait),
  // until it is drawn again.
  void paintCurrentRow(ColourPair pair);

 private:
  struct Placed {
    int col = 0;  // 0-based column index
    int x = 0;    // screen column of the cell
    int width = 0;
  };
  void measure();
  void layout(bool followCursor = true);
  void ensureStarted() {
    if (!started_) refill(1);
  }
  void relayout();
  void refill(int wantRowPos);
  void markAll();
  void markRow(int r) {
    if (r >= 1 && r <= rows_) dirty_[static_cast<std::size_t>(r - 1)] = true;
  }
  void drawHeadings();
  void drawRow(int r, std::optional<ColourPair> override = {});
  void drawRowAt(int r, long at, std::optional<ColourPair> override = {});
  void drawSeparatorLine(int screenRow, bool head);
  std::string cellText(const Placed& p, const Value& v) const;
  const std::string& sepOf(const Column& c) const { return c.colSep.empty() ? colSep_ : c.colSep; }
  int sepWidth(const Column& c) const { return static_cast<int>(sepOf(c).size()); }
  void scroll(int by);
  void resetHits() { hitTop_ = hitBottom_ = false; }
  void ensureVisible();

  rt::term::Screen& screen_;
  rt::term::Rect rect_;
  DataSource& source_;
  std::vector<Column> columns_;
  std::vector<int> widths_;
  std::vector<bool> numeric_;
  std::string colSep_ = " ", headSep_, footSep_;
  rt::term::ColourSet colours_;
  int freeze_ = 0;
  bool autoLite_ = true;

  // Geometry.
  bool configured_ = false, measured_ = false;
  // Whether the widths came from a row of the source, not from the headings alone.
  bool measuredFromRow_ = false;
  int headLines_ = 0, footLines_ = 0;
  bool headSepRow_ = false, footSepRow_ = false;
  int firstDataRow_ = 0;
  int rows_ = 1;
  std::vector<Placed> placed_;
  int leftVisible_ = 1;  // first column shown after the frozen ones (1-based)
  int rightVisible_ = 1;

  // Position.
  int rowPos_ = 1, colPos_ = 1;
  int filled_ = 0;  // screen rows holding a row of the source
  bool started_ = false;
  bool hitTop_ = false, hitBottom_ = false;
  bool stable_ = false;
  bool headingsDirty_ = true;
  bool needRefill_ = false;
  std::vector<bool> dirty_;
};

// Stabilises, stopping early when a key is typed, then waits for a key; hot keys bound with
// Console::setKey run here and the wait goes on. Returns the key.
rt::term::Key browseWait(rt::term::Console& console, Browse& browse);

// The moves every browse shares: Down, Up, PgDn, PgUp, Ctrl+PgUp (first row), Ctrl+PgDn (last
// row), Right, Left, Home, End (first/last visible column), Ctrl+Left, Ctrl+Right, Ctrl+Home,
// Ctrl+End (pan). Returns false for any other key.
bool applyStandardKey(Browse& browse, const rt::term::Key& k);

}  // namespace rt::ui

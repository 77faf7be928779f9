#include "rt/ui/browse.h"

#include <algorithm>

#include "rt/text/strings.h"

namespace rt::ui {

using rt::term::Attr;
using rt::term::Key;
namespace key = rt::term::key;

namespace {
std::vector<std::string> splitLines(const std::string& s) {
  std::vector<std::string> out;
  if (s.empty()) return out;
  std::size_t start = 0;
  for (;;) {
    auto semi = s.find(';', start);
    out.push_back(s.substr(start, semi == std::string::npos ? std::string::npos : semi - start));
    if (semi == std::string::npos) break;
    start = semi + 1;
  }
  return out;
}
std::string partOf(const std::string& s, int line) {
  auto parts = splitLines(s);
  return line < static_cast<int>(parts.size()) ? parts[static_cast<std::size_t>(line)] : std::string();
}
}  // namespace

Browse::Browse(rt::term::Screen& screen, rt::term::Rect rect, DataSource& source)
    : screen_(screen), rect_(rect), source_(source) {
  configure();
}

Browse& Browse::addColumn(Column column) {
  columns_.push_back(std::move(column));
  configure();
  return *this;
}

void Browse::configure() {
  headLines_ = footLines_ = 0;
  headSepRow_ = !headSep_.empty();
  footSepRow_ = !footSep_.empty();
  for (const auto& c : columns_) {
    headLines_ = std::max(headLines_, static_cast<int>(splitLines(c.heading).size()));
    footLines_ = std::max(footLines_, static_cast<int>(splitLines(c.footing).size()));
    headSepRow_ = headSepRow_ || !c.headSep.empty();
    footSepRow_ = footSepRow_ || !c.footSep.empty();
  }
  const int total = rect_.bottom - rect_.top + 1;
  rows_ = std::max(1, total - headLines_ - footLines_ - (headSepRow_ ? 1 : 0) - (footSepRow_ ? 1 : 0));
  firstDataRow_ = rect_.top + headLines_ + (headSepRow_ ? 1 : 0);
  dirty_.assign(static_cast<std::size_t>(rows_), true);
  headingsDirty_ = true;
  measured_ = false;
  stable_ = false;
  if (started_) needRefill_ = true;
}

void Browse::setFreeze(int n) {
  freeze_ = std::clamp(n, 0, std::max(0, columnCount()));
  relayout();
}

// The widths the columns take, from the current row when a column gives none.
void Browse::measure() {
  widths_.assign(columns_.size(), 1);
  numeric_.assign(columns_.size(), false);
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    const Column& c = columns_[i];
    int w = 0;
    for (const auto& part : splitLines(c.heading)) w = std::max(w, static_cast<int>(part.size()));
    for (const auto& part : splitLines(c.footing)) w = std::max(w, static_cast<int>(part.size()));
    // An empty source is measured on its blank row, as the columns give it at the end of the
    // table: an empty grid is laid out as it will be once its first row is typed.
    if (c.block) {
      Value v = c.block();
      numeric_[i] = std::holds_alternative<Decimal>(v);
      if (c.width <= 0) w = std::max(w, static_cast<int>(formatValue(v, c.picture).size()));
    }
    widths_[i] = std::max(1, c.width > 0 ? c.width : w);
  }
  measured_ = true;
  measuredFromRow_ = filled_ > 0;
  layout();
}

// Places the frozen columns, then as many others from leftVisible_ as fit; with followCursor
// the first of them moves so that the cursor's column is on screen.
void Browse::layout(bool followCursor) {
  const int n = columnCount();
  const int width = rect_.right - rect_.left + 1;
  leftVisible_ = std::clamp(leftVisible_, std::min(freeze_ + 1, std::max(n, 1)), std::max(n, 1));
  for (;;) {
    placed_.clear();
    int x = 0;
    auto place = [&](int i) {
      int sep = placed_.empty() ? 0 : sepWidth(columns_[static_cast<std::size_t>(i)]);
      int w = widths_[static_cast<std::size_t>(i)];
      if (!placed_.empty() && x + sep + w > width) return false;
      x += sep;
      placed_.push_back({i, x, std::min(w, width - x)});
      x += w;
      return true;
    };
    for (int i = 0; i < std::min(freeze_, n); ++i)
      if (!place(i)) break;
    rightVisible_ = std::min(freeze_, n);
    for (int i = leftVisible_ - 1; i < n && i >= freeze_; ++i) {
      if (!place(i)) break;
      rightVisible_ = i + 1;
    }
    if (followCursor && colPos_ > freeze_) {
      if (colPos_ < leftVisible_) {
        leftVisible_ = colPos_;
        continue;
      }
      if (colPos_ > rightVisible_ && leftVisible_ < colPos_) {
        ++leftVisible_;
        continue;
      }
    }
    const int offset = std::max(0, (width - x) / 2);
    for (auto& p : placed_) p.x += rect_.left + offset;
    break;
  }
}

void Browse::relayout() {
  if (!measured_) return;
  int before = leftVisible_;
  layout();
  if (before != leftVisible_) {
    std::fill(dirty_.begin(), dirty_.end(), true);
    headingsDirty_ = true;
  }
  stable_ = false;
}

int Browse::screenColOf(int c) const {
  for (const auto& p : placed_)
    if (p.col == c - 1) return p.x;
  return -1;
}

void Browse::refill(int want) {
  started_ = true;
  needRefill_ = false;
  stable_ = false;
  std::fill(dirty_.begin(), dirty_.end(), true);
  want = std::clamp(want, 1, rows_);
  if (source_.eof() && source_.bof()) {
    filled_ = 0;
    rowPos_ = 1;
    return;
  }
  const long k = -source_.skip(-(want - 1));  // rows above the current one on screen
  source_.skip(k);
  const long f = source_.skip(rows_ - 1 - k);  // rows below it
  const long extra = rows_ - (k + 1 + f);
  long e = 0;
  if (extra > 0 && k == want - 1) {
    // Short of rows below: show more of those above, so the screen stays full.
    source_.skip(-(k + f));
    e = -source_.skip(-extra);
    source_.skip(k + e);
  } else {
    source_.skip(-f);
  }
  rowPos_ = static_cast<int>(k + e + 1);
  filled_ = static_cast<int>(k + e + 1 + f);
}

void Browse::scroll(int by) {
  if (rows_ < 2) {
    markRow(1);
    return;
  }
  const int top = firstDataRow_, bottom = firstDataRow_ + rows_ - 1;
  if (by > 0) {
    auto saved = screen_.save({top + 1, rect_.left, bottom, rect_.right});
    saved.rect.top -= 1;
    saved.rect.bottom -= 1;
    screen_.restore(saved);
    dirty_.erase(dirty_.begin());
    dirty_.push_back(true);
  } else {
    auto saved = screen_.save({top, rect_.left, bottom - 1, rect_.right});
    saved.rect.top += 1;
    saved.rect.bottom += 1;
    screen_.restore(saved);
    dirty_.pop_back();
    dirty_.insert(dirty_.begin(), true);
  }
}

void Browse::down() {
  ensureStarted();
  resetHits();
  stable_ = false;
  if (filled_ == 0 || source_.skip(1) == 0) {
    hitBottom_ = true;
    return;
  }
  markRow(rowPos_);
  if (rowPos_ < filled_ || filled_ < rows_) {
    if (rowPos_ == filled_) ++filled_;
    ++rowPos_;
    markRow(rowPos_);
  } else {
    scroll(1);
    markRow(rowPos_ - 1);
  }
}

void Browse::up() {
  ensureStarted();
  resetHits();
  stable_ = false;
  if (filled_ == 0 || source_.skip(-1) == 0) {
    hitTop_ = true;
    return;
  }
  markRow(rowPos_);
  if (rowPos_ > 1) {
    --rowPos_;
    markRow(rowPos_);
  } else {
    scroll(-1);
    if (filled_ < rows_) ++filled_;
    markRow(2);
  }
}

void Browse::pageDown() {
  ensureStarted();
  resetHits();
  stable_ = false;
  const long moved = filled_ == 0 ? 0 : source_.skip(rows_);
  if (moved == 0) {
    hitBottom_ = true;
    return;
  }
  refill(moved < rows_ ? rows_ : rowPos_);
}

void Browse::pageUp() {
  ensureStarted();
  resetHits();
  stable_ = false;
  const long moved = filled_ == 0 ? 0 : -source_.skip(-rows_);
  if (moved == 0) {
    hitTop_ = true;
    return;
  }
  refill(moved < rows_ ? 1 : rowPos_);
}

void Browse::goTop() {
  resetHits();
  source_.goTop();
  refill(1);
}

void Browse::goBottom() {
  resetHits();
  source_.goBottom();
  refill(rows_);
}

void Browse::setColPos(int c) {
  markRow(rowPos_);
  colPos_ = std::clamp(c, 1, std::max(1, columnCount()));
  relayout();
}

void Browse::right() {
  if (colPos_ < columnCount()) setColPos(colPos_ + 1);
}
void Browse::left() {
  if (colPos_ > 1) setColPos(colPos_ - 1);
}
void Browse::home() {
  if (!measured_) return setColPos(1);
  setColPos(freeze_ > 0 || placed_.empty() ? 1 : placed_.front().col + 1);
}
void Browse::end() {
  if (!measured_) return setColPos(columnCount());
  setColPos(rightVisible_);
}
void Browse::panHome() {
  // The pan is done here, before setColPos lays the columns out again: that layout sees no
  // change of its own, so the rows and headings drawn with the old columns are marked here.
  const int before = leftVisible_;
  leftVisible_ = freeze_ + 1;
  setColPos(1);
  if (measured_ && leftVisible_ != before) invalidate();
}
void Browse::panEnd() {
  setColPos(columnCount());
}
void Browse::panLeft() {
  if (!measured_ || leftVisible_ <= freeze_ + 1) return;
  --leftVisible_;
  layout(false);
  if (colPos_ > rightVisible_) colPos_ = rightVisible_;
  std::fill(dirty_.begin(), dirty_.end(), true);
  headingsDirty_ = true;
  stable_ = false;
}
void Browse::panRight() {
  if (!measured_ || rightVisible_ >= columnCount()) return;
  ++leftVisible_;
  layout(false);
  if (colPos_ > freeze_ && colPos_ < leftVisible_) colPos_ = leftVisible_;
  std::fill(dirty_.begin(), dirty_.end(), true);
  headingsDirty_ = true;
  stable_ = false;
}

void Browse::refreshAll() {
  if (!started_) return;
  needRefill_ = true;
  stable_ = false;
}
void Browse::invalidate() {
  std::fill(dirty_.begin(), dirty_.end(), true);
  headingsDirty_ = true;
  stable_ = false;
}

void Browse::refreshCurrent() {
  markRow(rowPos_);
  stable_ = false;
}

std::string Browse::cellText(const Placed& p, const Value& v) const {
  std::string text = formatValue(v, columns_[static_cast<std::size_t>(p.col)].picture);
  bool number = std::holds_alternative<Decimal>(v);
  if (static_cast<int>(text.size()) > p.width) return text.substr(0, static_cast<std::size_t>(p.width));
  return number ? rt::text::padl(text, p.width) : rt::text::padr(text, p.width);
}

void Browse::drawSeparatorLine(int screenRow, bool head) {
  const Attr standard = colours_.entries[0];
  screen_.put(screenRow, rect_.left, std::string(static_cast<std::size_t>(rect_.right - rect_.left + 1), ' '), standard);
  for (std::size_t i = 0; i < placed_.size(); ++i) {
    const Placed& p = placed_[i];
    const Column& c = columns_[static_cast<std::size_t>(p.col)];
    const std::string& own = head ? c.headSep : c.footSep;
    const std::string& s = own.empty() ? (head ? headSep_ : footSep_) : own;
    if (s.empty()) continue;
    const char fill = s.back();
    if (i > 0) {
      int sw = sepWidth(c);
      std::string gap = s.size() > 1 ? s.substr(0, s.size() - 1) : std::string();
      gap = rt::text::padr(gap, sw, fill);
      screen_.put(screenRow, p.x - sw, gap.substr(0, static_cast<std::size_t>(sw)), standard);
    }
    screen_.put(screenRow, p.x, std::string(static_cast<std::size_t>(p.width), fill), standard);
  }
}

void Browse::drawHeadings() {
  const Attr standard = colours_.entries[0];
  const std::string blank(static_cast<std::size_t>(rect_.right - rect_.left + 1), ' ');
  auto textRows = [&](int firstRow, int lines, bool head) {
    for (int line = 0; line < lines; ++line) {
      int r = firstRow + line;
      screen_.put(r, rect_.left, blank, standard);
      for (const auto& p : placed_) {
        const Column& c = columns_[static_cast<std::size_t>(p.col)];
        std::string t = partOf(head ? c.heading : c.footing, line);
        bool right = numeric_.size() > static_cast<std::size_t>(p.col) && numeric_[static_cast<std::size_t>(p.col)];
        t = right ? rt::text::padl(t, p.width) : rt::text::padr(t, p.width);
        screen_.put(r, p.x, t.substr(0, static_cast<std::size_t>(p.width)), standard);
      }
    }
  };
  textRows(rect_.top, headLines_, true);
  if (headSepRow_) drawSeparatorLine(rect_.top + headLines_, true);
  const int afterData = firstDataRow_ + rows_;
  if (footSepRow_) drawSeparatorLine(afterData, false);
  textRows(afterData + (footSepRow_ ? 1 : 0), footLines_, false);
}

// Draws screen row r with the source standing `at` rows from the current one (moved there
// by the caller), so a pass over the screen moves the source one row at a time.
void Browse::drawRowAt(int r, long at, std::optional<ColourPair> override) {
  const int sr = firstDataRow_ + r - 1;
  auto entry = [&](int i) { return colours_.entries[static_cast<std::size_t>(std::clamp(i, 1, 6) - 1)]; };
  const Attr standard = entry(1);
  screen_.put(sr, rect_.left, std::string(static_cast<std::size_t>(rect_.right - rect_.left + 1), ' '), standard);
  const bool ok = r <= filled_ && at == r - rowPos_;
  for (std::size_t i = 0; i < placed_.size(); ++i) {
    const Placed& p = placed_[i];
    const Column& c = columns_[static_cast<std::size_t>(p.col)];
    if (i > 0) screen_.put(sr, p.x - sepWidth(c), sepOf(c), standard);
    if (!ok || !c.block) continue;
    Value v = c.block();
    ColourPair pair = override ? *override : c.colourBlock ? c.colourBlock(v) : c.defColour;
    bool cursorCell = r == rowPos_ && p.col == colPos_ - 1 && (autoLite_ || override);
    screen_.put(sr, p.x, cellText(p, v), cursorCell ? entry(pair.second) : entry(pair.first));
  }
}

void Browse::drawRow(int r, std::optional<ColourPair> override) {
  const long want = r <= filled_ ? r - rowPos_ : 0;
  const long moved = want != 0 ? source_.skip(want) : 0;
  drawRowAt(r, moved, override);
  if (moved != 0) source_.skip(-moved);
}

bool Browse::stabilize() {
  if (!started_) refill(1);
  if (needRefill_) refill(rowPos_);
  if (!measured_) {
    measure();
  } else if (!measuredFromRow_ && filled_ > 0) {
    // Widths taken while the source was empty come from the headings alone: a CPF or a date
    // would show cut. The first row gives the columns their real widths.
    measure();
    headingsDirty_ = true;
    std::fill(dirty_.begin(), dirty_.end(), true);
  }
  if (headingsDirty_) {
    drawHeadings();
    headingsDirty_ = false;
  }
  // One pass from the first row to draw down to the last one to draw, one skip per row, and
  // back to the current row.
  int first = 0, last = 0;
  for (int r = 1; r <= rows_; ++r)
    if (dirty_[static_cast<std::size_t>(r - 1)]) {
      if (first == 0) first = r;
      last = r;
    }
  if (first != 0) {
    long at = 0;
    for (int r = first; r <= last; ++r) {
      if (!dirty_[static_cast<std::size_t>(r - 1)]) continue;
      if (r <= filled_ && at != r - rowPos_) at += source_.skip(r - rowPos_ - at);
      drawRowAt(r, at);
      dirty_[static_cast<std::size_t>(r - 1)] = false;
    }
    if (at != 0) source_.skip(-at);
  }
  if (!stable_) {
    int x = screenColOf(colPos_);
    screen_.setCursor(firstDataRow_ + rowPos_ - 1, x < 0 ? rect_.left : x);
    stable_ = true;
  }
  return true;
}

void Browse::paintCurrentRow(ColourPair pair) {
  forceStable();
  drawRow(rowPos_, pair);
}

Key browseWait(rt::term::Console& console, Browse& browse) {
  for (;;) {
    while (!browse.stabilize())
      if (console.keyWaiting()) break;
    Key k = console.waitKey();
    if (const auto* hot = console.hotKeyFor(k)) {
      (*hot)();
      continue;
    }
    return k;
  }
}

bool applyStandardKey(Browse& b, const Key& k) {
  switch (k.code) {
    case key::Down: b.down(); return true;
    case key::Up: b.up(); return true;
    case key::PgDn: b.pageDown(); return true;
    case key::PgUp: b.pageUp(); return true;
    case key::CtrlPgUp: b.goTop(); return true;
    case key::CtrlPgDn: b.goBottom(); return true;
    case key::Right: b.right(); return true;
    case key::Left: b.left(); return true;
    case key::Home: b.home(); return true;
    case key::End: b.end(); return true;
    case key::CtrlLeft: b.panLeft(); return true;
    case key::CtrlRight: b.panRight(); return true;
    case key::CtrlHome: b.panHome(); return true;
    case key::CtrlEnd: b.panEnd(); return true;
    default: return false;
  }
}

}  // namespace rt::ui

#include "rt/term/screen.h"

#include <algorithm>

namespace rt::term {

Screen::Screen() {
  cells_.fill(Cell{});
}

Cell Screen::at(int row, int col) const {
  return onScreen(row, col) ? cell(row, col) : Cell{};
}

void Screen::put(int row, int col, std::string_view text, Attr attr) {
  if (row < 0 || row >= kRows) return;
  for (std::size_t i = 0; i < text.size(); ++i) {
    int c = col + static_cast<int>(i);
    if (c >= kCols) break;
    if (c >= 0) cell(row, c) = Cell{text[i], attr};
  }
  ++version_;
}

void Screen::putChars(int row, int col, std::string_view text) {
  if (row < 0 || row >= kRows) return;
  for (std::size_t i = 0; i < text.size(); ++i) {
    int c = col + static_cast<int>(i);
    if (c >= kCols) break;
    if (c >= 0) cell(row, c).ch = text[i];
  }
  ++version_;
}

void Screen::recolour(int row, int col, int length, Attr attr) {
  if (row < 0 || row >= kRows) return;
  const long long end = std::min<long long>(static_cast<long long>(col) + length, kCols);
  for (int c = std::max(col, 0); c < end; ++c) cell(row, c).attr = attr;
  ++version_;
}

void Screen::fill(Rect r, char ch, Attr attr) {
  for (int row = std::max(r.top, 0); row <= std::min(r.bottom, kRows - 1); ++row)
    for (int c = std::max(r.left, 0); c <= std::min(r.right, kCols - 1); ++c) cell(row, c) = Cell{ch, attr};
  ++version_;
}

void Screen::box(Rect r, std::string_view frame, Attr attr) {
  if (frame.size() < 8 || r.bottom < r.top || r.right < r.left) return;
  auto set = [&](int row, int col, char ch) {
    if (onScreen(row, col)) cell(row, col) = Cell{ch, attr};
  };
  for (int c = r.left + 1; c < r.right; ++c) {
    set(r.top, c, frame[1]);
    set(r.bottom, c, frame[5]);
  }
  for (int row = r.top + 1; row < r.bottom; ++row) {
    set(row, r.right, frame[3]);
    set(row, r.left, frame[7]);
  }
  set(r.top, r.left, frame[0]);
  set(r.top, r.right, frame[2]);
  set(r.bottom, r.right, frame[4]);
  set(r.bottom, r.left, frame[6]);
  ++version_;
}

void Screen::clear(Attr attr) {
  cells_.fill(Cell{' ', attr});
  setCursor(0, 0);
  ++version_;
}

Screen::Saved Screen::save(Rect r) const {
  // Only what lies on the screen is kept, so a rectangle reaching far off it costs nothing.
  r.top = std::max(r.top, 0);
  r.left = std::max(r.left, 0);
  r.bottom = std::min(r.bottom, kRows - 1);
  r.right = std::min(r.right, kCols - 1);
  Saved s{r, {}};
  for (int row = r.top; row <= r.bottom; ++row)
    for (int c = r.left; c <= r.right; ++c) s.cells.push_back(at(row, c));
  return s;
}

void Screen::restore(const Saved& s) {
  std::size_t i = 0;
  for (int row = s.rect.top; row <= s.rect.bottom; ++row)
    for (int c = s.rect.left; c <= s.rect.right; ++c, ++i)
      if (onScreen(row, c) && i < s.cells.size()) cell(row, c) = s.cells[i];
  ++version_;
}

void Screen::setCursor(int row, int col) {
  cursorRow_ = std::clamp(row, 0, kRows - 1);
  cursorCol_ = std::clamp(col, 0, kCols - 1);
  ++version_;
}

std::string Screen::rowText(int row) const {
  std::string s;
  if (row < 0 || row >= kRows) return s;
  s.reserve(kCols);
  for (int c = 0; c < kCols; ++c) s += cell(row, c).ch;
  return s;
}

}  // namespace rt::term

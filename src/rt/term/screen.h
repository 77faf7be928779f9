// The 25 x 80 text screen everything draws into. A backend shows it; tests read it back.
// Every write is clipped to the screen, so a window placed partly off screen never corrupts
// memory or wraps onto the next row.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rt/term/colour.h"

namespace rt::term {

struct Cell {
  char ch = ' ';
  Attr attr = makeAttr(7, 0);
  friend bool operator==(Cell, Cell) = default;
};

// Inclusive corners, as the old runtime gave them.
struct Rect {
  int top = 0, left = 0, bottom = 0, right = 0;
};

enum class CursorShape { Normal, Insert, Hidden };

class Screen {
 public:
  static constexpr int kRows = 25;
  static constexpr int kCols = 80;

  // A saved rectangle (SAVESCREEN); restoring puts it back where it was taken.
  struct Saved {
    Rect rect;
    std::vector<Cell> cells;
  };

  Screen();

  Cell at(int row, int col) const;
  // Writes text from (row, col) on one row in `attr`; what falls off the row is dropped.
  void put(int row, int col, std::string_view text, Attr attr);
  // Writes characters only, keeping the colours already there.
  void putChars(int row, int col, std::string_view text);
  // Re-colours `length` cells from (row, col).
  void recolour(int row, int col, int length, Attr attr);
  void fill(Rect r, char ch, Attr attr);
  // A single-line box on the rectangle's edges; `frame` holds the eight characters
  // top-left, top, top-right, right, bottom-right, bottom, bottom-left, left (CP860 bytes).
  void box(Rect r, std::string_view frame, Attr attr);
  void clear(Attr attr = makeAttr(7, 0));

  Saved save(Rect r) const;
  void restore(const Saved& saved);

  // The cursor, where GETs and the runtime's DEVPOS leave it.
  void setCursor(int row, int col);
  int cursorRow() const { return cursorRow_; }
  int cursorCol() const { return cursorCol_; }
  void setCursorShape(CursorShape shape) { shape_ = shape; }
  CursorShape cursorShape() const { return shape_; }

  // Text of one row (CP860 bytes, 80 of them), for tests and screen dumps.
  std::string rowText(int row) const;
  // Grows with every change: backends redraw only when it moved.
  std::uint64_t version() const { return version_; }

 private:
  static bool onScreen(int row, int col) { return row >= 0 && row < kRows && col >= 0 && col < kCols; }
  Cell& cell(int row, int col) { return cells_[static_cast<std::size_t>(row * kCols + col)]; }
  const Cell& cell(int row, int col) const { return cells_[static_cast<std::size_t>(row * kCols + col)]; }

  std::array<Cell, kRows * kCols> cells_{};
  int cursorRow_ = 0, cursorCol_ = 0;
  CursorShape shape_ = CursorShape::Normal;
  std::uint64_t version_ = 0;
};

}  // namespace rt::term

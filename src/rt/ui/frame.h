// Small drawing helpers the components share.
#pragma once

#include <string_view>

#include "rt/term/screen.h"
#include "rt/text/cp860.h"

namespace rt::ui {

namespace detail {
using namespace rt::text::literals;
inline constexpr std::string_view kSingleFrame = "┌─┐│┘─└│"_cp;
}  // namespace detail

// The single-line box of the runtime's dialogs: top-left, top, top-right, right,
// bottom-right, bottom, bottom-left, left.
inline constexpr std::string_view kSingleFrame = detail::kSingleFrame;

// Saves a rectangle of the screen and puts it back when it goes out of scope, with the
// cursor as it was.
class ScreenGuard {
 public:
  ScreenGuard(rt::term::Screen& screen, rt::term::Rect rect)
      : screen_(screen), saved_(screen.save(rect)), row_(screen.cursorRow()), col_(screen.cursorCol()),
        shape_(screen.cursorShape()) {
    screen_.setCursorShape(rt::term::CursorShape::Hidden);
  }
  ~ScreenGuard() {
    screen_.restore(saved_);
    screen_.setCursor(row_, col_);
    screen_.setCursorShape(shape_);
  }
  ScreenGuard(const ScreenGuard&) = delete;
  ScreenGuard& operator=(const ScreenGuard&) = delete;

 private:
  rt::term::Screen& screen_;
  rt::term::Screen::Saved saved_;
  int row_, col_;
  rt::term::CursorShape shape_;
};

}  // namespace rt::ui

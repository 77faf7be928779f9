// The runtime's ACHOICE: a light-bar list of items in a rectangle.
//
// Up/Down move to the previous/next selectable item, PgUp/PgDn by a window, Home and
// Ctrl+PgUp to the first item, End and Ctrl+PgDn to the last; a letter moves to the next item
// that begins with it. Without a user function Enter chooses, Esc and Left/Right give 0. With
// one, those keys and every key the list does not move with are handed to it as exceptions,
// and it is also told when the list is idle and when a move hit the top or the bottom; what it
// answers decides. Hot keys (Console::setKey) run first. The list does not save the screen.
#pragma once

#include <functional>
#include <span>
#include <string>
#include <vector>

#include "rt/term/colour.h"
#include "rt/term/console.h"

namespace rt::ui {

enum class AChoiceMode { Idle = 0, HitTop = 1, HitBottom = 2, Exception = 3, NoItem = 4 };
enum class AChoiceAction { Abort = 0, Select = 1, Continue = 2, Goto = 3 };

struct AChoiceOptions {
  // One flag per item; missing flags (or an empty list) mean selectable.
  std::vector<bool> selectable;
  int initial = 1;  // 1-based
  // Called with the mode, the current item (1-based) and its row in the window (0-based).
  // Goto moves to the next item beginning with the letter of the last key.
  std::function<AChoiceAction(AChoiceMode mode, int current, int row)> userFunction;
  // Standard: items; enhanced: the current item; unselected: items that cannot be chosen.
  rt::term::ColourSet colours;
};

// Returns the item chosen (1-based) or 0. Console::lastKey() tells which key ended it.
int achoice(rt::term::Console& console, rt::term::Rect rect, std::span<const std::string> items,
            const AChoiceOptions& options = {});

}  // namespace rt::ui

// The runtime's ALERT: a centred box with one or more lines of text and a row of buttons.
// Left/Right (and Shift+Tab/Tab) move between buttons, Enter or the space bar chooses, the
// first letter of a button chooses it at once, a mouse click on a button chooses it, Esc gives
// 0. The screen under the box comes back when it closes.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "rt/term/console.h"

namespace rt::ui {

// Splits an alert text into lines at ";", as the old runtime did.
std::vector<std::string> alertLines(std::string_view message);

// `colour` is a colour text or list: the first entry draws the box, the text and the buttons;
// the second, when given, the button under the cursor (else the first with its sides swapped).
// Returns the button chosen, 1-based; 0 for Esc.
int alert(rt::term::Console& console, std::span<const std::string> lines, std::span<const std::string> buttons,
          std::string_view colour = "W+/R", int initial = 1);
int alert(rt::term::Console& console, std::string_view message, std::span<const std::string> buttons,
          std::string_view colour = "W+/R", int initial = 1);

}  // namespace rt::ui

#include "rt/ui/alert.h"

#include <algorithm>

#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/ui/frame.h"

namespace rt::ui {

using rt::term::Attr;
using rt::term::Key;
namespace key = rt::term::key;
using namespace rt::text::literals;

std::vector<std::string> alertLines(std::string_view message) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (;;) {
    auto semi = message.find(';', start);
    lines.emplace_back(message.substr(start, semi == std::string_view::npos ? std::string_view::npos : semi - start));
    if (semi == std::string_view::npos) break;
    start = semi + 1;
  }
  return lines;
}

int alert(rt::term::Console& console, std::string_view message, std::span<const std::string> buttons,
          std::string_view colour, int initial) {
  auto lines = alertLines(message);
  return alert(console, lines, buttons, colour, initial);
}

int alert(rt::term::Console& console, std::span<const std::string> lines, std::span<const std::string> buttons,
          std::string_view colour, int initial) {
  using rt::term::Screen;
  const auto set = rt::term::parseColourList(colour, rt::term::parseColourList("W+/R"));
  const Attr normal = set.standard();
  const bool hasSecond = colour.find(',') != std::string_view::npos;
  const Attr selected = hasSecond ? set.enhanced()
                                  : rt::term::makeAttr(rt::term::background(normal), rt::term::foreground(normal));

  // Buttons are " text " two columns apart.
  int buttonsWidth = 0;
  for (const auto& b : buttons) buttonsWidth += static_cast<int>(b.size()) + 2;
  if (!buttons.empty()) buttonsWidth += 2 * (static_cast<int>(buttons.size()) - 1);
  int textWidth = 0;
  for (const auto& l : lines) textWidth = std::max(textWidth, static_cast<int>(l.size()));
  const int inner = std::min(Screen::kCols - 4, std::max(textWidth, buttonsWidth));
  const int height = std::min(Screen::kRows, static_cast<int>(lines.size()) + 4);
  const int width = inner + 4;
  const int top = (Screen::kRows - height) / 2;
  const int left = (Screen::kCols - width) / 2;
  const rt::term::Rect box{top, left, top + height - 1, left + width - 1};

  Screen& screen = console.screen();
  ScreenGuard guard(screen, box);
  screen.fill(box, ' ', normal);
  screen.box(box, kSingleFrame, normal);
  for (std::size_t i = 0; i < lines.size() && static_cast<int>(i) < height - 4; ++i) {
    std::string l = rt::text::left(lines[i], inner);
    screen.put(top + 1 + static_cast<int>(i), left + 2 + (inner - static_cast<int>(l.size())) / 2, l, normal);
  }
  const int buttonRow = box.bottom - 1;
  const int buttonsLeft = left + 2 + (inner - buttonsWidth) / 2;
  std::vector<int> buttonCol;
  for (int c = buttonsLeft; const auto& b : buttons) {
    buttonCol.push_back(c);
    c += static_cast<int>(b.size()) + 4;
  }
  const int n = static_cast<int>(buttons.size());
  int current = std::clamp(initial, 1, std::max(n, 1));
  auto draw = [&] {
    for (int i = 0; i < n; ++i)
      screen.put(buttonRow, buttonCol[static_cast<std::size_t>(i)], " " + buttons[static_cast<std::size_t>(i)] + " ",
                 i + 1 == current ? selected : normal);
  };
  if (n == 0) {
    console.waitKey();
    return 0;
  }
  for (;;) {
    draw();
    Key k = console.waitKey();
    switch (k.code) {
      case key::Esc: return 0;
      case key::Enter:
      case ' ': return current;
      case key::Left:
      case key::ShiftTab: current = current == 1 ? n : current - 1; continue;
      case key::Right:
      case key::Tab: current = current == n ? 1 : current + 1; continue;
      case key::MouseLeft:
        if (k.row == buttonRow)
          for (int i = 0; i < n; ++i) {
            int c = buttonCol[static_cast<std::size_t>(i)];
            if (k.col >= c && k.col < c + static_cast<int>(buttons[static_cast<std::size_t>(i)].size()) + 2) return i + 1;
          }
        continue;
      default: break;
    }
    if (k.isChar()) {
      char c = rt::text::upperChar(k.ch());
      for (int i = 0; i < n; ++i) {
        auto t = rt::text::alltrim(buttons[static_cast<std::size_t>(i)]);
        if (!t.empty() && rt::text::upperChar(t[0]) == c) return i + 1;
      }
    }
  }
}

}  // namespace rt::ui

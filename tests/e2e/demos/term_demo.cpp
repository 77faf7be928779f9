// A small program on the curses terminal for the tmux tests: a framed box with box-drawing
// characters and accented letters, then one numbered line per key received with its runtime
// code ("3: key 19c"; "c" marks a Ctrl+letter, a mouse press adds its cell). F10 ends it.
// With TERM_DEMO_PIDFILE set it writes its process id there, for the test that stops it.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "rt/term/curses_terminal.h"
#include "rt/text/cp860.h"

using namespace rt::term;
using namespace rt::text::literals;

int main() {
  auto opened = CursesTerminal::open();
  if (!opened.terminal) {
    std::fprintf(stderr, "term_demo: %s\n", opened.error.c_str());
    return 1;
  }
  CursesTerminal& terminal = *opened.terminal;
  if (const char* pidFile = std::getenv("TERM_DEMO_PIDFILE")) {
    if (std::FILE* f = std::fopen(pidFile, "w")) {
      std::fprintf(f, "%d\n", static_cast<int>(::getpid()));
      std::fclose(f);
    }
  }
  Screen screen;
  screen.clear(makeAttr(7, 1));
  screen.box({1, 2, 5, 40}, "┌─┐│┘─└│"_cp, makeAttr(14, 1));
  screen.put(2, 4, "═┴░■"_cp, makeAttr(15, 1));
  screen.put(3, 4, "ATENÇÃO açúcar é óculos"_cp, makeAttr(14, 1));
  screen.put(4, 4, "pronto", makeAttr(0, 15));
  screen.put(0, 0, "term_demo", makeAttr(0, 3));

  constexpr int kFirstLogRow = 7;
  std::vector<std::string> log;
  int received = 0;
  for (;;) {
    terminal.present(screen);
    auto k = terminal.readKey(std::chrono::milliseconds(-1));
    if (!k) continue;
    std::string line = std::to_string(++received) + ": key " + std::to_string(k->code);
    if (k->ctrlLetter) line += "c";
    if (k->code == key::MouseLeft) line += " at " + std::to_string(k->row) + "," + std::to_string(k->col);
    log.push_back(line);
    if (log.size() > static_cast<std::size_t>(Screen::kRows - kFirstLogRow)) log.erase(log.begin());
    screen.fill({kFirstLogRow, 0, Screen::kRows - 1, Screen::kCols - 1}, ' ', makeAttr(7, 1));
    for (std::size_t i = 0; i < log.size(); ++i)
      screen.put(kFirstLogRow + static_cast<int>(i), 2, log[i], makeAttr(15, 1));
    screen.setCursor(kFirstLogRow + static_cast<int>(log.size()) - 1, 2 + static_cast<int>(line.size()));
    if (k->code == key::F10) {
      terminal.present(screen);
      break;
    }
  }
  return 0;
}

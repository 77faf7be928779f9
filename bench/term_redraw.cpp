// How long the curses terminal takes to show the screen: every cell changed, one row changed
// (a clock or a status line), nothing changed. Output goes to /dev/null, so this measures the
// terminal layer and curses, not the terminal emulator.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "rt/term/curses_terminal.h"
#include "rt/text/cp860.h"

namespace {

using namespace rt::term;
using namespace rt::text::literals;

struct NullTerminal {
  std::FILE* in = std::fopen("/dev/null", "r");
  std::FILE* out = std::fopen("/dev/null", "w");
  std::unique_ptr<CursesTerminal> terminal;

  NullTerminal() {
    // Not a terminal, so curses takes the size from here.
    setenv("LINES", "25", 1);
    setenv("COLUMNS", "80", 1);
    CursesTerminal::Options o;
    o.input = in;
    o.output = out;
    o.type = "xterm-256color";
    o.mouse = false;
    terminal = CursesTerminal::open(o).terminal;
  }
  ~NullTerminal() {
    terminal.reset();
    if (in) std::fclose(in);
    if (out) std::fclose(out);
  }
};

// A form-like screen: a frame, labels, fields and accented text in several colours.
Screen formScreen(int variant) {
  Screen s;
  s.clear(makeAttr(14 - variant, 1 + variant));
  s.box({0, 0, 24, 79}, "┌─┐│┘─└│"_cp, makeAttr(15, 1 + variant));
  for (int r = 1; r < 24; ++r) {
    s.put(r, 2, "Rendimentos tributáveis recebidos de pessoa jurídica"_cp, makeAttr(7 + variant, 1));
    s.put(r, 60, variant ? "  1.234.567,89" : "  9.876.543,21", makeAttr(0, 7 + variant));
  }
  return s;
}

void FullRedraw(benchmark::State& state) {
  NullTerminal t;
  if (!t.terminal) {
    state.SkipWithError("curses did not start");
    return;
  }
  const Screen screens[2] = {formScreen(0), formScreen(1)};
  int i = 0;
  for (auto _ : state) {
    t.terminal->present(screens[i]);
    i ^= 1;
  }
  state.SetItemsProcessed(state.iterations() * Screen::kRows * Screen::kCols);
}
BENCHMARK(FullRedraw);

void OneRowChanged(benchmark::State& state) {
  NullTerminal t;
  if (!t.terminal) {
    state.SkipWithError("curses did not start");
    return;
  }
  Screen s = formScreen(0);
  t.terminal->present(s);
  int tick = 0;
  for (auto _ : state) {
    s.put(24, 70, std::to_string(10000000 + tick++), makeAttr(0, 7));
    t.terminal->present(s);
  }
}
BENCHMARK(OneRowChanged);

void NothingChanged(benchmark::State& state) {
  NullTerminal t;
  if (!t.terminal) {
    state.SkipWithError("curses did not start");
    return;
  }
  const Screen s = formScreen(0);
  t.terminal->present(s);
  for (auto _ : state) t.terminal->present(s);
}
BENCHMARK(NothingChanged);

}  // namespace

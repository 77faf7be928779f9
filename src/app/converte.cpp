// converte: the converter. Its imports are not in this version, so it says so on the screen,
// as any unavailable menu item does, and ends at the next key. Started by tavren's item 16 it
// runs on tavren's terminal while tavren waits.
#include <cstdio>

#include "rt/term/colour.h"
#include "rt/term/console.h"
#include "rt/term/curses_terminal.h"
#include "rt/text/cp860.h"

namespace {

using namespace rt::text::literals;

void avisa(rt::term::Console& console) {
  auto& s = console.screen();
  const rt::term::Attr fundo = rt::term::parseColour("W+/B").value_or(rt::term::makeAttr(15, 1));
  const rt::term::Attr caixa = rt::term::parseColour("N/W").value_or(rt::term::makeAttr(0, 7));
  s.fill({0, 0, rt::term::Screen::kRows - 1, rt::term::Screen::kCols - 1}, ' ', fundo);
  const rt::term::Rect r{9, 17, 14, 62};
  s.fill(r, ' ', caixa);
  s.box(r, "┌─┐│┘─└│"_cp, caixa);
  const auto centra = [&](int linha, std::string_view texto) {
    s.put(linha, r.left + (r.right - r.left + 1 - static_cast<int>(texto.size())) / 2, texto, caixa);
  };
  centra(10, "CONVERTE");
  centra(11, "Função não disponível nesta versão"_cp);
  centra(13, "Tecle algo para sair"_cp);
  console.refresh();
  console.waitKey();
}

}  // namespace

int main() {
  auto aberto = rt::term::CursesTerminal::open();
  if (!aberto.terminal) {
    std::fprintf(stderr, "converte: %s\n", aberto.error.c_str());
    return 1;
  }
  rt::term::Console console(*aberto.terminal);
  avisa(console);
  return 0;
}

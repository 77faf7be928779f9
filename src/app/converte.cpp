// converte: the converter. It starts as the office program does (program folder, terminal
// number held for the run unless tavren lent it its own, the terminal's CONFIG record) with its
// own colours, then runs its menu until an item ends it. Started by tavren's item 16 it runs on
// tavren's terminal, in tavren's current data folder, while tavren waits.
#include <cstdio>
#include <exception>
#include <optional>
#include <string_view>

#include "converter/conversor.h"
#include "converter/inicio.h"
#include "converter/menu.h"
#include "rt/term/console.h"
#include "rt/term/curses_terminal.h"
#include "rt/text/cp860.h"
#include "rt/text/date.h"
#include "shell/erro_execucao.h"
#include "shell/inicio.h"
#include "shell/programa.h"
#include "shell/terminal_numero.h"
#include "store/espera.h"

namespace {

// The terminal's folders, as its CONFIG record holds them.
void pastasDoTerminal(const shell::Program& p, converter::Conversor& c) {
  c.ROTAANTER = p.cfg.ROTAANTER;
  c.ROTARECEI = p.cfg.ROTARECEI;
  c.ROTAREANT = p.cfg.ROTAREANT;
  c.ROTAMOL = p.cfg.ROTAMOL;
  c.DIRPROV = p.cfg.DIRPROV;
  c.DIRINST = p.cfg.DIRINST;
  c.XDRIVE = p.cfg.XDRIVE;
  c.ROTARURAL = p.cfg.ROTAANTER;
}

int converte(shell::Program& p, std::optional<std::string_view> argumento) {
  converter::Conversor c;
  if (!shell::INICIOSIS(p, argumento)) return 1;
  converter::coresDoConversor(p);
  if (!shell::CONFIGURA(p)) return 1;
  pastasDoTerminal(p, c);
  if (const char* pasta = p.env(shell::kPastaCedida); pasta != nullptr) converter::pastaCedida(p, c, pasta);
  if (!converter::inicia(p, c)) return 1;
  converter::registraItens(c);
  converter::rodaMenu(p, c);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::optional<std::string_view> argumento;
  if (argc > 1) {
    argumento = argv[1];
    if (!shell::numeroTerminal(*argumento)) {
      std::fprintf(stderr, "converte: o número do terminal vai de 0 a 99 (%s)\n", argv[1]);
      return 2;
    }
  }
  auto aberto = rt::term::CursesTerminal::open();
  if (!aberto.terminal) {
    std::fprintf(stderr, "converte: %s\n", aberto.error.c_str());
    return 1;
  }
  rt::term::Console console(*aberto.terminal);
  store::EsperaReal espera;
  shell::Program programa(console, rt::text::systemClock(), espera);
  // A runtime error nothing below caught ends the program the office program's way; returning
  // lets the owners give back the terminal and the terminal number's lock.
  try {
    return converte(programa, argumento);
  } catch (const std::exception& e) {
    return shell::erroFatal(programa, rt::text::utf8ToCp860(e.what()));
  }
}

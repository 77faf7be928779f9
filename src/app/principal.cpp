#include "app/principal.h"

#include <cstdio>
#include <exception>
#include <optional>
#include <string_view>

#include "rt/term/console.h"
#include "rt/term/curses_terminal.h"
#include "rt/text/cp860.h"
#include "rt/text/date.h"
#include "shell/erro_execucao.h"
#include "shell/funcoes.h"
#include "shell/inicio.h"
#include "shell/saida.h"
#include "shell/terminal_numero.h"
#include "store/espera.h"

namespace app {

namespace {

// The curses terminal handed to a child program and taken back.
class Passagem final : public platform::TerminalHandover {
 public:
  Passagem(rt::term::CursesTerminal& t, rt::term::Console& c) : terminal_(t), console_(c) {}
  void suspend() override { terminal_.suspend(); }
  void resume() override { console_.refresh(); }

 private:
  rt::term::CursesTerminal& terminal_;
  rt::term::Console& console_;
};

}  // namespace

int principal(int argc, char** argv, const std::function<void(shell::Program&)>& prepara) {
  std::optional<std::string_view> argumento;
  if (argc > 1) {
    argumento = argv[1];
    if (!shell::numeroTerminal(*argumento)) {
      std::fprintf(stderr, "tavren: o número do terminal vai de 0 a 99 (%s)\n", argv[1]);
      return 2;
    }
  }
  auto aberto = rt::term::CursesTerminal::open();
  if (!aberto.terminal) {
    std::fprintf(stderr, "tavren: %s\n", aberto.error.c_str());
    return 1;
  }
  rt::term::Console console(*aberto.terminal);
  store::EsperaReal espera;
  shell::Program programa(console, rt::text::systemClock(), espera);
  Passagem passagem(*aberto.terminal, console);
  programa.terminal = &passagem;
  shell::registraFuncoes(programa);
  if (prepara) prepara(programa);
  // Errors inside a menu item are handled by the dispatcher; one that reaches here came from
  // start-up or the menu itself. Returning (rather than exiting) lets the program's owners
  // give back the terminal and the terminal number's lock.
  try {
    if (!shell::INICIA(programa, argumento)) return programa.saida.value_or(1);
    return shell::LACO(programa);
  } catch (const std::exception& e) {
    return shell::erroFatal(programa, rt::text::utf8ToCp860(e.what()));
  }
}

}  // namespace app

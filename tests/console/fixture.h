// A console context over the scripted terminal, for screen tests of the console services.
#pragma once

#include <string>

#include "console/contexto.h"
#include "rt/term/console.h"
#include "rt/term/scripted_terminal.h"
#include "rt/text/date.h"

namespace console::teste {

class ConsoleFixture {
 protected:
  rt::term::ScriptedTerminal term;
  rt::term::Console con{term};
  rt::text::FixedClock clock{rt::text::LocalTime{rt::text::Date::fromYmd(2010, 4, 30), 36000, 0}};
  Contexto ctx{con, clock};

  rt::term::Screen& tela() { return con.screen(); }
  std::string linha(int r) { return tela().rowText(r); }
  // Text of `n` cells from (r, c) of the screen as drawn.
  std::string trecho(int r, int c, int n) {
    return linha(r).substr(static_cast<std::size_t>(c), static_cast<std::size_t>(n));
  }
};

}  // namespace console::teste

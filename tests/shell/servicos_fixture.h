// A program on the scripted terminal without a start-up: what the declaration's services need
// (console, clock, window table, work areas) and nothing of the folders. Every screen shown is
// kept, so a test asks what a dialog showed after it closed.
#pragma once

#include <string>

#include "ajustes_fixture.h"
#include "rt/term/console.h"
#include "rt/term/scripted_terminal.h"
#include "rt/text/date.h"
#include "shell/programa.h"
#include "store/espera.h"

namespace shell::teste {

class ServicosFixture {
 protected:
  rt::term::ScriptedTerminal term;
  Gravador gravador{term};
  rt::term::Console con{gravador};
  rt::text::FixedClock relogio{rt::text::LocalTime{rt::text::Date::fromYmd(2010, 4, 30), 36000, 0}};
  store::EsperaVirtual espera{&relogio};
  Program p{con, relogio, espera, [](const char*) -> const char* { return nullptr; }};

  std::string linha(int r) { return con.screen().rowText(r); }
};

}  // namespace shell::teste

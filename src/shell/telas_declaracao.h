// The declaration screens as the driver runs them: the entry screens of src/screens over the
// open declaration, and, for a number that has only its background in this version, a wait
// for the key that leaves it, so the driver's keys and screen order work on every screen.
#pragma once

#include <string_view>

#include "screens/ambiente.h"
#include "shell/declara.h"

namespace shell {

// GTELA of the driver: screen n over its background (screens::GTELA); a number with only
// its background waits for the key that ends it. `regras`: the lookup rules of the
// identification and spouse fields.
void telaDeclaracao(Program& p, Declara& d, int n, const screens::RegrasCampos& regras = {});

// Reads keys until one ends the screen (the wait of a screen that has no fields of its own).
void esperaTecla(Program& p, Declara& d);

}  // namespace shell

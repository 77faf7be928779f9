// The declaration screens as the driver runs them: the entry screens of src/screens over the
// open declaration, and, for a number that has only its background in this version, a wait
// for the key that leaves it, so the driver's keys and screen order work on every screen.
#pragma once

#include <string_view>

#include "screens/ambiente.h"
#include "shell/declara.h"

namespace shell {

// The title of declaration screen n ("" for a number without a screen).
std::string_view tituloTela(int n);

// GTELA of the driver: screen n over its background (screens::GTELA); a number with only
// its background waits for the key that ends it. Without a loaded computation (no
// declaration yet) it is telaProvisoria. `regras`: the lookup rules of the identification
// and spouse fields (none in this version).
void telaDeclaracao(Program& p, Declara& d, int n, const screens::RegrasCampos& regras = {});

// A stand-in screen for tests of the driver: clears the screen below the index row, shows
// "Tela n" and the title, and reads keys until one ends the screen. Hot keys run where they
// are bound (a screen key that switches or ends the screen ends the wait); any other key is
// the screen's last key, in ULTTECLA.
void telaProvisoria(Program& p, Declara& d, int n);

}  // namespace shell

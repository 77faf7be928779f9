// The declaration screens as far as this version has them: each numbered screen shows its
// number and its form's title and waits for one key, so the driver's keys and screen order
// work on every screen. The entry screens replace it through ServicosDeclara::GTELA.
#pragma once

#include <string_view>

#include "shell/declara.h"

namespace shell {

// The title of declaration screen n ("" for a number without a screen).
std::string_view tituloTela(int n);

// GTELA of this version: clears the screen below the index row, shows "Tela n" and the
// title, and reads keys until one ends the screen. Hot keys run where they are bound (a
// screen key that switches or ends the screen ends the wait); any other key is the screen's
// last key, in ULTTECLA.
void telaProvisoria(Program& p, Declara& d, int n);

}  // namespace shell

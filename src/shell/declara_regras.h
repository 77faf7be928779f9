// Which screen of the declaration comes next: the rules the driver applies after a screen
// ended, by the key that left it. Pure functions, so every rule is checked on its own.
#pragma once

#include <string>

#include "grid/tela_aberta.h"

namespace shell {

// How the screen that ended (TELA of the driver's screen state) was left.
struct SaidaDaTela {
  int ULTTECLA = 0;        // the key that left it
  bool TECLAMUDA = false;  // a screen key already chose TELA
  bool PVEZ = false;       // a new taxpayer
  bool rural = false;      // TEMRURAL "S"
  std::string ATV_BRASIL = "S";
};

struct ProximaTela {
  int tela = 1;
  bool pergunta = false;  // Esc: ask whether the declaration ends (TELA unchanged)
};

// The next screen after screen `tela.TELA` left as `s` says (the driver's table of keys).
ProximaTela proximaTela(const grid::TelaAberta& tela, const SaidaDaTela& s);

// A screen asked for beyond TELAMAX: the detail screens (above 21) stay, 18 becomes 12, any
// other goes back to the last screen shown.
int telaPermitida(int tela, int telaAnterior, int telaMax);

// TELAMAX of a taxpayer with (17) or without (11) rural activity.
inline int telaMaxima(bool rural) {
  return rural ? 17 : 11;
}

}  // namespace shell

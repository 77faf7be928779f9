// The open declaration's screen state: the numbered screen that runs and the ones it is
// reckoned from. One object, owned by the shell's driver; the grids and the screens point to
// it, so a screen chosen from anywhere (a screen key, a row of the pending list) is the one
// the driver runs next, with no copy to fall out of step.
#pragma once

namespace grid {

struct TelaAberta {
  int TELA = 1;     // the screen running (or asked for next)
  int TELANT = 0;   // the last screen shown that may be gone back to (not the balance, 10)
  int TELVEL = 0;   // the screen a screen key left
  int TELAMAX = 11;  // the last of the ordinary screens: 17 with rural activity, else 11
};

}  // namespace grid

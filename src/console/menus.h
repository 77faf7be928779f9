// Option menus over the lines of a window already drawn (one option per line): the light bar
// of ESC_OPCAO, which re-colours the selected line, and the "*" marker of ESC_ITEM.
#pragma once

#include <string>
#include <vector>

#include "console/contexto.h"

namespace console {

// What an option menu offers besides its lines: the letters that choose an option at once, in
// the options' order (only upper-case ones are hot: a lower-case one marks an option shown but
// not chosen by its letter), and the status-line text of each option (none: the status line is
// cleared while the menu runs).
struct OpcoesMenu {
  std::string teclas{};
  std::vector<std::string> mensagens{};
};

// Light-bar menu over lines 1..ultimo of the window (screen line = item + deslocamento).
// The selection starts on POSVER (0 counts as 1) and is shown by re-colouring `largura`
// characters from `coluna` in COR_ESCOL. Enter chooses; Esc gives 0; Home, End, Up, Down
// move; Alt-A opens the calculator; a key whose upper-case letter is in the menu's letters
// chooses that option at once. The status line shows the selected option's text centred. At
// the end the message window is closed, and the menu's window too when fechar = 1; POSVER and
// ULTPOS keep the last line.
int ESC_OPCAO(Contexto& ctx, Jan janela, int ultimo, int coluna, int largura, const OpcoesMenu& menu = {},
              int deslocamento = 0, int fechar = 0);

// Marker menu: "*" in `coluna` of the current item's line. Enter chooses, Esc gives 0,
// Home/End first/last, Up/Down one step. ULTESC keeps the last item.
int ESC_ITEM(Contexto& ctx, Jan janela, int ultimo, int coluna, int deslocamento, int inicial);

}  // namespace console

// Option menus over the lines of a window already drawn (one option per line): the light bar
// of ESC_OPCAO, which re-colours the selected line, and the "*" marker of ESC_ITEM.
#pragma once

#include "console/contexto.h"

namespace console {

// Light-bar menu over lines 1..ultimo of the window (screen line = item + deslocamento).
// The selection starts on POSVER (0 counts as 1) and is shown by re-colouring `largura`
// characters from `coluna` in COR_ESCOL. Enter chooses; Esc gives 0; Home, End, Up, Down
// move; Alt-A opens the calculator; a key whose upper-case letter is in OPCOES chooses that
// option at once. With mensagens = 1 the status line shows MENSMENU[POSVER] centred. At the
// end the message window is closed, and the menu's window too when fechar = 1; POSVER and
// ULTPOS keep the last line.
int ESC_OPCAO(Contexto& ctx, Jan janela, int ultimo, int coluna, int largura, int deslocamento = 0,
              int fechar = 0, int mensagens = 0);

// Marker menu: "*" in `coluna` of the current item's line. Enter chooses, Esc gives 0,
// Home/End first/last, Up/Down one step. ULTESC keeps the last item.
int ESC_ITEM(Contexto& ctx, Jan janela, int ultimo, int coluna, int deslocamento, int inicial);

}  // namespace console

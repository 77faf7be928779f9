// The colour editor: each terminal picks the colours of eight screen elements on a palette of
// 16 foregrounds by 8 backgrounds. Every move shows at once on the editor's own windows; the
// choice goes into the terminal's CORES record when the element is left.
#pragma once

#include <string>

#include "store/contexto.h"

namespace shell {

// MODCOR: the editor. `padrao` (the menu's call) puts the menu window at row 9, column 40
// and the palette and sample windows at column 62; without it they sit at row 8, column 38
// and one column further left. `versao` is shown in the about box drawn behind the editor.
void MODCOR(store::Contexto& ctx, bool padrao = true, const std::string& versao = {});

// ESCOL_COR: edits element 1-8 (Texto, Contorno, Item Escolhido, Sombra 3D, Entr. de dados,
// Mensagens, Help e Avisos, Fundo Geral) with the arrows; Enter or Esc keep the colour and
// store it. Returns "".
std::string ESCOL_COR(store::Contexto& ctx, int elemento, bool padrao = true, const std::string& versao = {});

// The attribute an element of the editor currently has (its numeric colour variable).
int corDoElemento(const console::Cores& c, int elemento);

}  // namespace shell

// The main menu's dispatcher: one table (despacho.cpp) gives every item number what it runs,
// the function its subsystem registered in Program::funcoes under that number or the shell's
// own routine, which may run the registered function among its steps. An item with nothing
// registered says on the message line that it is not available in this version.
#pragma once

#include <string>

#include "console/contexto.h"
#include "shell/programa.h"
#include "store/recusa.h"

namespace shell {

// MENUSELECT: runs item `id` and remembers the pad to open next (NPOSMENU).
void MENUSELECT(Program& p, int id);

// SELITEMIMP: the print choices of pad 3 (ids 41-47); the item's new caption text, or "".
std::string SELITEMIMP(Program& p, int id);

// The message of an item whose function is not in this version: on the message line until
// a key is typed (the key is left for the menu) or a few seconds pass.
void naoDisponivel(console::Contexto& ctx);
// Its text.
std::string_view textoNaoDisponivel();

// Runs the function registered for item `id` (which says its own failure), or says it is not
// available; done when the function went through.
rt::Status chamaFuncao(Program& p, int id);

}  // namespace shell

// Leaving the program: "Terminar" (item 17) and "Sair" (item 81). Both store the terminal's
// settings in its CONFIG record; "Terminar" also reorganises the data folder's declaration
// tables, each only when no other terminal has it open.
#pragma once

#include "shell/programa.h"

namespace shell {

// ROTSAIDA: for 81 asks "Confirma saída do sistema" first ("N" goes back to the menu). Sets
// p.saida when the program ends.
void ROTSAIDA(Program& p, int id);

// The laço principal: the menu on the pad NPOSMENU, each chosen item through MENUSELECT, until
// an item ends the program. Returns the exit code.
int LACO(Program& p);

}  // namespace shell

// The functions of the data store that the main menu runs, registered under their item
// numbers, and the reorganisation "Terminar" runs. Items of subsystems not yet in the program
// stay unregistered and say so when chosen.
#pragma once

#include "shell/programa.h"

namespace shell {

void registraFuncoes(Program& p);

}  // namespace shell

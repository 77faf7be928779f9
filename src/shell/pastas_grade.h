// The folder register of the terminal in its grid (screen 40): the main menu's "Pastas" and F7
// at the taxpayer prompt. Its cells are checked (TROCA_NAO) whether or not a declaration has
// been opened: "S" makes the row's folder the current one, a new name is offered for creation.
#pragma once

#include "shell/programa.h"

namespace shell {

// MOS_DIR: the grid over table 40 (opened when closed); the area that was current is selected
// again afterwards.
void MOS_DIR(Program& p);

}  // namespace shell

// The office program's main, as a function: builds the program state on the curses terminal,
// runs start-up and the main menu until an item ends the program or a runtime error does.
#pragma once

#include <functional>

#include "shell/programa.h"

namespace app {

// The exit code of the program started with `argc`/`argv`. `prepara` runs on the program state
// before start-up; the office's program passes none, the journey tests give a seam of theirs.
int principal(int argc, char** argv, const std::function<void(shell::Program&)>& prepara = {});

}  // namespace app

// The menu items the declaration driver serves: 11 (the declaration), 12 (entry journal), 13
// (consistency check), 51 (print selection) and 63 to 65 (export), registered in
// Program::funcoes. Each runs DECLARA for its item with the given services.
#pragma once

#include "shell/declara.h"
#include "shell/programa.h"

namespace shell {

void registraDeclaracao(Program& p, const ServicosDeclara& servicos = {});

}  // namespace shell

// The printing items of the main menu: 45 (the printer set-up), 51 (the print job), 52 (print
// the captured "NAO DOS" file again) and the printer record loaded at start-up (CRIA_SEQ). The terminal's printing
// state lives as long as the functions registered here. `base` brings the report sheets and
// the other reports the job runs (FOLHA, DARF, CADASTRO); the taxpayer prompt and the marking
// grid are the shell's own.
#pragma once

#include <memory>

#include "print/trabalho.h"
#include "shell/programa.h"

namespace shell {

// Gives the terminal's printing state, for the other items that print (the letter editor).
std::shared_ptr<print::Impressao> registraImpressao(Program& p, const print::ServicosImpressao& base = {});

// The print choices of the terminal, as the print menu keeps them.
print::Escolhas escolhasDeImpressao(const Program& p);

}  // namespace shell

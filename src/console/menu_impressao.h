// The steps of the print menu (what to print, paper, pages, for whom): for each step, and for
// the paper and page steps by the report kind, the hot letters, the status-line help of each
// option and the size of the box the print-menu frame opens.
#pragma once

#include <string>
#include <vector>

namespace console {

struct PassoImpressao {
  std::string teclas;              // the menu's letters (OpcoesMenu::teclas)
  std::vector<std::string> ajuda;  // ... and its status-line texts
  int altura = 0, largura = 0;     // of the frame (its lines are altura - 1)
};

// `passo` is OPCIMP (1 to 4; others count as 1), `tipo` the report kind QUEIMP, `nusu` the
// terminal number (named in the last help line of step 4).
PassoImpressao passoImpressao(int passo, int tipo, const std::string& nusu);

}  // namespace console

// The names the grid screens' catalogue uses (the cell checks, the recomputations, the fields
// the cells edit), walked over every screen in every state that changes its columns, so that
// the program can resolve all of them when it starts instead of meeting an unknown one while
// a user types.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "store/contexto.h"

namespace grid {

struct NomeDesconhecido {
  int opc = 0;
  std::string oque;  // "verificação", "recálculo", "campo"
  std::string nome;
  std::string texto() const;
};

// Every unknown name of the catalogue: checks the grid and the program do not know (see
// validacaoConhecida), recomputations `recalculoConhecido` refuses (the program owns them) and
// fields the screen's table lacks (a screen opened over its caller's area: no table of the
// catalogue has the field). Empty when every name resolves.
std::vector<NomeDesconhecido> nomesDesconhecidos(store::Contexto& ctx,
                                                 const std::function<bool(std::string_view)>& recalculoConhecido);

}  // namespace grid

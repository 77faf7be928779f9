#include "grid/tracos.h"

#include <algorithm>
#include <initializer_list>

namespace grid {

namespace {

bool umDe(int opc, std::initializer_list<int> telas) { return std::find(telas.begin(), telas.end(), opc) != telas.end(); }

}  // namespace

// Page 1 is the identification, 2 the carnê-leão's, 5 the assets and debts with their enlarged
// lists 22 and 23, 7 the summary, 10 the balance with the asset-maintenance list; a capital-gain operation opened from page 1 is
// kept as kind "E", from any other page as "B".
TracosPagina tracosDaPagina(int tela) {
  TracosPagina t;
  t.modoLeao = tela == 2;
  t.juntaDescricao = umDe(tela, {5, 22, 23});
  t.buscaDespesas = tela == 10;
  if (tela == 1) t.tipoOperacao = "E";
  t.altZ = tela == 5 ? 22 : tela == 22 ? 5 : 0;
  t.altX = tela == 5 ? 23 : tela == 23 ? 5 : 0;
  t.ampliada = umDe(tela, {22, 23});
  t.copiaIdentificacao = umDe(tela, {1, 4});
  t.copiaRegistro = tela == 7;
  t.resumo = tela == 7;
  t.retorno = tela != 10;
  t.valoresConjuge = tela == 5;
  return t;
}

}  // namespace grid

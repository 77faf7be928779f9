#include "grid/detalhes.h"

#include <string>

#include "console/mensagens.h"
#include "rt/text/strings.h"

namespace grid {

void MOS_DETBEM(console::Contexto& ctx, std::string_view texto, int linha, int coluna) {
  if (linha + 8 > 21) linha -= 11;
  console::MENS(ctx, console::mens::Espera, rt::text::substr(texto, 1, 511), {.linha = linha, .coluna = coluna, .linhas = 8});
}

void MOS_DETDIV(console::Contexto& ctx, std::string_view texto, int linha, int coluna) {
  if (linha + 4 > 21) linha -= 7;
  console::MENS(ctx, console::mens::Espera, std::string(texto) + " ", {.linha = linha, .coluna = coluna, .linhas = 4});
}

}  // namespace grid

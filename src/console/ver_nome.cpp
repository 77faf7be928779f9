#include "console/ver_nome.h"

namespace console {

bool VER_NOME(Contexto&, const RegistroNomes&, const AlvoNome&) { return false; }

BuscaNome buscaPorNome(Contexto& ctx, RegistroNomes reg, AlvoNome alvo) {
  return [&ctx, reg = std::move(reg), alvo] { (void)VER_NOME(ctx, reg, alvo); };
}

}  // namespace console

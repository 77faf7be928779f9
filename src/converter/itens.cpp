// The item table: each import of the converter plugs in here the function its menu item runs.
#include "converter/conversor.h"
#include "converter/folha_menu.h"

namespace conversor {

void registraItens(Conversor& c) {
  c.itens[kComprovante] = [](store::Contexto& ctx, Conversor& cv) { CONVFOLHA(ctx, cv); };
}

}  // namespace conversor

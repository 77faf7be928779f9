#include "store/recusa.h"

namespace store {

bool gravou(Contexto& ctx, const rt::Status& s, std::string_view oque) {
  if (s.isOk()) return true;
  ctx.relato().alerta(textoRecusa(s, oque));
  return false;
}

}  // namespace store

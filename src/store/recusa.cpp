#include "store/recusa.h"

namespace store {

rt::Status gravou(Contexto& ctx, const rt::Status& s, std::string_view oque) {
  if (s.isOk() || s.told()) return s;
  ctx.relato().alerta(textoRecusa(s, oque));
  return s.markTold();
}

rt::Status liberaGravacao(Contexto& ctx, rt::db::Table& t, const rt::Status& s, std::string_view oque) {
  const rt::Status liberada = t.unlock();
  return gravou(ctx, s.isOk() ? liberada : s, oque);
}

}  // namespace store

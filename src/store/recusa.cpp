#include "store/recusa.h"

namespace store {

Dito gravou(Contexto& ctx, const rt::Status& s, std::string_view oque) {
  if (s.isOk()) return Dito::feito();
  ctx.relato().alerta(textoRecusa(s, oque));
  return Dito::falhou();
}

Dito liberaGravacao(Contexto& ctx, rt::db::Table& t, const rt::Status& s, std::string_view oque) {
  const rt::Status liberada = t.unlock();
  return gravou(ctx, s.isOk() ? liberada : s, oque);
}

}  // namespace store

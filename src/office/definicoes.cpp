#include "office/definicoes.h"

#include "store/abertura.h"
#include "store/areas.h"
#include "store/recusa.h"
#include "store/travas.h"

namespace office {

namespace {

using store::Area;

// DEFINE selected on its record for `faz`; the area and the open are as before afterwards.
bool noRegistro(store::Contexto& ctx, const std::function<bool(rt::db::Table&)>& faz) {
  const int antes = ctx.areas.current();
  const bool aberta = store::aberta(ctx.areas, Area::DEFINE);
  if (!aberta && !store::ABERTURA(ctx, Area::DEFINE)) return false;  // the opener said why
  bool ok = false;
  rt::db::Table& t = *store::tabela(ctx.areas, Area::DEFINE);
  rt::db::Status s = store::seleciona(ctx.areas, Area::DEFINE);
  if (s) s = t.goTop();
  if (!s || t.eof()) {
    (void)store::gravou(ctx, s ? rt::db::Status(rt::db::Error::kNoRecord, "DEFINE") : s, "DEFINE");
  } else {
    ok = faz(t);
  }
  // Only read or already written and released: closing loses nothing.
  if (!aberta) (void)store::fecha(ctx.areas, Area::DEFINE);
  (void)ctx.areas.select(antes);
  return ok;
}

}  // namespace

bool leDefine(store::Contexto& ctx, const std::function<void(const rt::db::Table&)>& le) {
  return noRegistro(ctx, [&le](rt::db::Table& t) {
    le(t);
    return true;
  });
}

bool gravaDefine(store::Contexto& ctx, const std::function<rt::db::Status(rt::db::Table&)>& grava) {
  return noRegistro(ctx, [&ctx, &grava](rt::db::Table& t) {
    if (!store::REC_LOCK(ctx, 5)) return false;  // REC_LOCK said it
    rt::db::Status s = grava(t);
    if (s) s = t.flush();
    const bool liberado = store::DESTRAVA(ctx);
    return store::gravou(ctx, s, "DEFINE") && liberado;
  });
}

}  // namespace office

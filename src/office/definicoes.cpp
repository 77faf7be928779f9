#include "office/definicoes.h"

#include "store/abertura.h"
#include "store/areas.h"
#include "store/recusa.h"
#include "store/travas.h"
#include "store/uso_tabela.h"

namespace office {

namespace {

using store::Area;

// DEFINE selected on its record for `faz`; the area and the open are as before afterwards.
bool noRegistro(store::Contexto& ctx, const std::function<bool(rt::db::Table&)>& faz) {
  // Only read or already written and released when the guard closes it: closing loses nothing.
  const store::UsoTabela define(ctx, Area::DEFINE);
  if (!define.ok()) return false;  // the opener said why
  bool ok = false;
  rt::db::Table& t = *define;
  store::seleciona(ctx.areas, Area::DEFINE);
  t.goTop();
  rt::Status s = t.status();
  if (!s || t.eof()) {
    store::gravou(ctx, s ? rt::Status(rt::Error::kNoRecord, "DEFINE") : s, "DEFINE");
  } else {
    ok = faz(t);
  }
  return ok;
}

}  // namespace

bool leDefine(store::Contexto& ctx, const std::function<void(const rt::db::Table&)>& le) {
  return noRegistro(ctx, [&le](rt::db::Table& t) {
    le(t);
    return true;
  });
}

bool gravaDefine(store::Contexto& ctx, const std::function<rt::Status(rt::db::Table&)>& grava) {
  return noRegistro(ctx, [&ctx, &grava](rt::db::Table& t) {
    if (!store::REC_LOCK(ctx, store::kEsperaTrava)) return false;  // REC_LOCK said it
    return static_cast<bool>(store::liberaGravacao(ctx, t, grava(t), "DEFINE"));
  });
}

}  // namespace office

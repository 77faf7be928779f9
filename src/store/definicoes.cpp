#include "store/definicoes.h"

#include "store/abertura.h"
#include "store/areas.h"
#include "store/recusa.h"
#include "store/travas.h"
#include "store/uso_tabela.h"

namespace store {

namespace {

// DEFINE selected on its record for `faz`; the area and the open are as before afterwards.
rt::Status noRegistro(Contexto& ctx, const std::function<rt::Status(rt::db::Table&)>& faz) {
  // Only read or already written and released when the guard closes it: closing loses nothing.
  const UsoTabela define(ctx, Area::DEFINE);
  if (!define.ok()) return falhaDita(rt::Error::kNotAvailable, "DEFINE");  // the opener said why
  rt::db::Table& t = *define;
  seleciona(ctx.areas, Area::DEFINE);
  t.goTop();
  const rt::Status s = t.status();
  if (!s || t.eof()) return gravou(ctx, s ? rt::Status(rt::Error::kNoRecord, "DEFINE") : s, "DEFINE");
  return faz(t);
}

}  // namespace

rt::Status leDefine(Contexto& ctx, const std::function<void(const rt::db::Table&)>& le) {
  return noRegistro(ctx, [&le](rt::db::Table& t) {
    le(t);
    return rt::Status();
  });
}

rt::Status gravaDefine(Contexto& ctx, const std::function<rt::Status(rt::db::Table&)>& grava) {
  return noRegistro(ctx, [&ctx, &grava](rt::db::Table& t) {
    RT_TRY(REC_LOCK(ctx, kEsperaTrava));  // REC_LOCK said it
    return liberaGravacao(ctx, t, grava(t), "DEFINE");
  });
}

}  // namespace store

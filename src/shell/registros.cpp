#include "shell/registros.h"

#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/campos.h"
#include "store/recusa.h"
#include "store/travas.h"

namespace shell {

namespace {

using store::inteiro;

}  // namespace

bool gravaTravado(store::Contexto& ctx, store::Area area, rt::db::Table& t, const Escrita& escreve) {
  if (t.eof()) return false;
  const store::SelecaoGuardada selecao(ctx.areas, area);
  bool ok = store::REC_LOCK(ctx, 5);  // a lock not had is said by REC_LOCK
  if (ok) {
    rt::Status s = escreve(t);
    const rt::Status gravado = t.flush();
    if (s) s = gravado;
    const bool liberado = store::DESTRAVA(ctx);
    ok = store::gravou(ctx, s, t.alias()) && liberado;
  }
  return ok;
}

bool gravaDefine(store::Contexto& ctx, const Escrita& escreve) {
  UsoTabela define(ctx, store::Area::DEFINE);
  if (!define.ok()) return false;
  define->goTop();
  if (!define->status()) return false;
  return gravaTravado(ctx, store::Area::DEFINE, *define, escreve);
}

bool achaTerminal(store::Contexto& ctx, rt::db::Table& t) {
  if (t.orderCount() == 0) return false;
  if (t.order() != 1 && !t.setOrder(1)) return false;
  return t.seek(ctx.NUSU) && t.found();
}

bool gravaConfig(store::Contexto& ctx, const Escrita& escreve) {
  UsoTabela config(ctx, store::Area::CONFIG);
  if (!config.ok() || !achaTerminal(ctx, *config)) return false;
  return gravaTravado(ctx, store::Area::CONFIG, *config, escreve);
}

void carregaDefine(store::Contexto& ctx, Ajustes& aj) {
  UsoTabela define(ctx, store::Area::DEFINE);
  if (!define.ok()) return;
  define->goTop();
  if (!define->status() || define->eof()) return;
  const rt::db::Table& t = *define;
  aj.VAL_SEG = t.getNumber("VAL_SEG");
  aj.VAL_BYTE = t.getNumber("VAL_BYTE");
  aj.VAL_MIN = t.getNumber("VAL_MIN");
  aj.VAL_CPMF = t.getNumber("VAL_CPMF");
  aj.COMO_SAL = inteiro(t, "COMO_SAL");
  aj.TEMP_SAL = inteiro(t, "TEMP_SAL");
  aj.TEMP_DES = inteiro(t, "TEMP_DES");
  aj.VER_ATUAL = t.getText("VER_ATUAL");
}

void carregaConfig(store::Contexto& ctx, Ajustes& aj) {
  UsoTabela config(ctx, store::Area::CONFIG);
  if (!config.ok() || !achaTerminal(ctx, *config)) return;
  aj.QUERSEN = config->getLogical("QUERSEN");
  aj.ULT_SENIR = inteiro(*config, "ULT_SENIR");
}

}  // namespace shell

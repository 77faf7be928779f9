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

rt::Status gravaTravado(store::Contexto& ctx, store::Area area, rt::db::Table& t, const Escrita& escreve) {
  if (t.eof()) return {rt::Error::kNoRecord, t.alias()};  // nothing to write into
  const store::SelecaoGuardada selecao(ctx.areas, area);
  if (!store::REC_LOCK(ctx, store::kEsperaTrava)) return store::falhaDita(rt::Error::kLocked, t.alias());  // said by REC_LOCK
  return store::liberaGravacao(ctx, t, escreve(t), t.alias());
}

bool achaTerminal(store::Contexto& ctx, rt::db::Table& t) {
  if (t.orderCount() == 0) return false;
  if (t.order() != 1 && !t.useOrder(1)) return false;
  return t.seek(ctx.NUSU) && t.found();
}

rt::Status gravaConfig(store::Contexto& ctx, const Escrita& escreve) {
  UsoTabela config(ctx, store::Area::CONFIG);
  if (!config.ok()) return store::falhaDita(rt::Error::kNotAvailable, "CONFIG");  // the opener said why
  if (!achaTerminal(ctx, *config)) return {rt::Error::kNoRecord, "CONFIG"};    // nothing to store
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

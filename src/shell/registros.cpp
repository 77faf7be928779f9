#include "shell/registros.h"

#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/travas.h"

namespace shell {

namespace {

int inteiro(const rt::db::Table& t, std::string_view campo) {
  return static_cast<int>(t.getNumber(campo).wholePart());
}

}  // namespace

UsoTabela::UsoTabela(store::Contexto& ctx, int numero)
    : ctx_(ctx), numero_(numero), anterior_(ctx.areas.current()) {
  if (!ctx.areas.isOpen(numero)) {
    if (!store::ABERTURA(ctx, numero)) {
      (void)ctx.areas.select(anterior_);
      return;
    }
    abriu_ = true;
  }
  tabela_ = ctx.areas.table(numero);
}

UsoTabela::~UsoTabela() {
  if (abriu_) (void)ctx_.areas.close(numero_);
  (void)ctx_.areas.select(anterior_);
}

bool gravaTravado(store::Contexto& ctx, int numero, rt::db::Table& t, const Escrita& escreve) {
  if (t.eof()) return false;
  const int anterior = ctx.areas.current();
  (void)ctx.areas.select(numero);
  bool ok = store::REC_LOCK(ctx, 5);
  if (ok) {
    ok = static_cast<bool>(escreve(t));
    ok = static_cast<bool>(t.flush()) && ok;
    store::DESTRAVA(ctx);
  }
  (void)ctx.areas.select(anterior);
  return ok;
}

bool gravaDefine(store::Contexto& ctx, const Escrita& escreve) {
  UsoTabela define(ctx, 43);
  if (!define.ok() || !define->goTop()) return false;
  return gravaTravado(ctx, 43, *define, escreve);
}

bool achaTerminal(store::Contexto& ctx, rt::db::Table& t) {
  if (t.orderCount() == 0) return false;
  if (t.order() != 1 && !t.setOrder(1)) return false;
  return t.seek(ctx.NUSU) && t.found();
}

bool gravaConfig(store::Contexto& ctx, const Escrita& escreve) {
  UsoTabela config(ctx, 42);
  if (!config.ok() || !achaTerminal(ctx, *config)) return false;
  return gravaTravado(ctx, 42, *config, escreve);
}

void carregaDefine(store::Contexto& ctx, Ajustes& aj) {
  UsoTabela define(ctx, 43);
  if (!define.ok() || !define->goTop() || define->eof()) return;
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
  UsoTabela config(ctx, 42);
  if (!config.ok() || !achaTerminal(ctx, *config)) return;
  aj.QUERSEN = config->getLogical("QUERSEN");
  aj.ULT_SENIR = inteiro(*config, "ULT_SENIR");
}

}  // namespace shell

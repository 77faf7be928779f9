#include "store/estatus.h"

#include "rt/text/decimal.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/areas.h"

namespace store {

namespace {

// The name of a code, or nothing when the table lacks it or cannot be opened. The area that
// was selected is left selected.
std::optional<std::string> nome(Contexto& ctx, int codigo) {
  const SelecaoGuardada selecao(ctx.areas);
  if (!aberta(ctx.areas, Area::STATUS) && !ABERTURA(ctx, Area::STATUS)) return std::nullopt;
  rt::db::Table& t = *tabela(ctx.areas, Area::STATUS);
  std::optional<std::string> r;
  if (t.orderCount() > 0 && t.seek(rt::text::Decimal(codigo)) && t.found())
    r = rt::text::padr(t.getText("DESCRICAO"), 13);
  return r;
}

void mostra(Contexto& ctx, const LugarEstatus& onde, const std::string& texto) {
  if (onde.linha < 0) return;
  ctx.screen().put(onde.linha, onde.coluna, texto, static_cast<rt::term::Attr>(ctx.cores.COR_TEL1));
}

}  // namespace

std::string VE_STAT(Contexto& ctx, int codigo, int modo, LugarEstatus onde) {
  const std::string texto = nome(ctx, codigo).value_or(std::string(13, ' '));
  if (modo == 3 || modo == 4) {
    (void)seleciona(ctx.areas, modo == 3 ? Area::IMP0910 : Area::TMP_09);
    return texto;
  }
  mostra(ctx, onde, texto);
  if (modo != 1) (void)seleciona(ctx.areas, Area::TMP_11);
  return texto;
}

bool VE_STAT(Contexto& ctx, int& codigo, LugarEstatus onde, const std::function<void(int&)>& lista) {
  std::optional<std::string> n = nome(ctx, codigo);
  if (!n && lista) {
    lista(codigo);
    n = nome(ctx, codigo);
  }
  mostra(ctx, onde, n.value_or(std::string(13, ' ')));
  return n.has_value();
}

}  // namespace store

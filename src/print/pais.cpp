#include "print/pais.h"

#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/areas.h"

namespace print {

std::string nomeDoPais(store::Contexto& ctx, std::string_view codigo) {
  if (rt::text::alltrim(codigo).empty() || !store::ABERTURA(ctx, store::Area::TABPAIS)) return {};
  rt::db::Table& t = *ctx.areas.table(store::Area::TABPAIS);
  if (!t.seek(codigo) || !t.found()) return {};
  return std::string(rt::text::trim(t.getText("NOMPAIS")));
}

}  // namespace print

#include "store/uso_tabela.h"

#include "store/abertura.h"

namespace store {

UsoTabela::UsoTabela(Contexto& ctx, Area area) : selecao_(ctx.areas), ctx_(ctx), area_(area) {
  if (!aberta(ctx.areas, area)) {
    if (!ABERTURA(ctx, area)) {
      ctx.areas.select(selecao_.antes());  // the area the failed open may have left
      return;
    }
    abriu_ = true;
  }
  tabela_ = tabela(ctx.areas, area);
}

UsoTabela::~UsoTabela() {
  if (abriu_) solta(ctx_.areas, area_);
}

}  // namespace store

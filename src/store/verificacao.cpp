#include "store/verificacao.h"

#include "store/abertura.h"
#include "store/acerto.h"
#include "store/arquivos.h"
#include "store/recusa.h"

namespace store {

rt::Status passaVerificacao(Contexto& ctx) {
  ctx.areas.releaseAll();
  CORRECAO(ctx, 0);
  bool ok = ABERTURA(ctx, Area::PRINTS).isOk();
  // The help texts only when both files came with the installation.
  if (existe(ctx, ctx.ARQDEF + "HELPTXT.DBF") && existe(ctx, ctx.ARQDEF + "HELPTXT.DBT"))
    reabre(ctx, Area::HELPTXT);
  for (Area a : {Area::CODBENS, Area::CODEPEN, Area::CODDIVI, Area::DESPESA, Area::UFIRM, Area::AUXBENS,
                 Area::AUXPAG, Area::LISERRO, Area::OCUPACAO})
    ok = ABERTURA(ctx, a) && ok;
  reabre(ctx, Area::STATUS);
  // The folder register and the folder's tables: a failed open is said by the opener, and
  // the pass goes on as far as it can.
  (void)SAI_ABRE(ctx, Area::Nenhuma);
  return ok ? rt::Status::ok() : falhaDita(rt::Error::kNotAvailable, "tables of the folder");
}

}  // namespace store

#include "store/verificacao.h"

#include "store/abertura.h"
#include "store/acerto.h"
#include "store/arquivos.h"

namespace store {

bool passaVerificacao(Contexto& ctx) {
  (void)ctx.areas.closeAll();
  CORRECAO(ctx, 0);
  bool ok = ABERTURA(ctx, 41);
  // The help texts only when both files came with the installation.
  if (existe(ctx, ctx.ARQDEF + "HELPTXT.DBF") && existe(ctx, ctx.ARQDEF + "HELPTXT.DBT")) (void)ABERTURA(ctx, 45);
  for (int n : {46, 47, 48, 49, 51, 52, 53, 54, 58}) ok = ABERTURA(ctx, n) && ok;
  (void)ABERTURA(ctx, 66);
  (void)SAI_ABRE(ctx, 0);
  return ok;
}

}  // namespace store

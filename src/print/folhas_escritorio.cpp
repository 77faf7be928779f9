#include "print/folhas_escritorio.h"

#include <utility>

#include "console/mensagens.h"
#include "print/escritorio.h"
#include "print/livro_caixa.h"
#include "print/rural.h"
#include "rt/text/cp860.h"

namespace print {

using namespace rt::text::literals;

void FOLHA_ESCRITORIO(store::Contexto& ctx, Impressao& imp, const Escolhas& esc, int n) {
  switch (n) {
    case 10:
      console::MENS(ctx, console::mens::Linha, esc.QUEIMP == 4 ? "Imprimindo o Livro caixa da Atividade Rural." : "Imprimindo o Livro Caixa Normal.");
      LIVRO_CAIXA(ctx, imp, esc);
      break;
    case 11:
      console::MENS(ctx, console::mens::Linha, "Imprimindo os valores a cobrar.");
      FAZ_PRECO(ctx, imp, esc);
      break;
    case 12:
      console::MENS(ctx, console::mens::Linha, "Imprimindo o Comprovante de Rendimento.");
      FAZ_COMPROV(ctx, imp, imp.job.CNOMERES);
      break;
    case 13:
      console::MENS(ctx, console::mens::Linha, "Imprimindo etiquetas para o Disquete.");
      FAZ_ETI(ctx, imp, esc);
      break;
    case 14:
    case 15:
      console::MENS(ctx, console::mens::Linha, "Imprimindo a Atividade Rural.");
      for (bool brasil : {true, false}) {
        if (n == 14) FAZ_RURAL1(ctx, imp, brasil);
        else FAZ_RURAL2(ctx, imp, brasil);
      }
      break;
    default:
      break;
  }
}

ServicosImpressao servicosDoEscritorio(std::function<Escolhas()> escolhas, ServicosImpressao base) {
  base.CADASTRO = [escolhas = std::move(escolhas)](store::Contexto& ctx, Impressao& imp) {
    IMPR_CAD(ctx, imp, escolhas ? escolhas() : Escolhas{});
  };
  base.RURAL = [](store::Contexto& ctx, Impressao& imp, bool brasil, int parte) {
    if (parte == 1) FAZ_RURAL1(ctx, imp, brasil);
    else FAZ_RURAL2(ctx, imp, brasil);
  };
  return base;
}

}  // namespace print

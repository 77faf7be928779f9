#include "converter/receita_menu.h"


#include "console/janelas.h"
#include "converter/folha_importa.h"
#include "converter/grade.h"
#include "converter/moldura_contadores.h"
#include "converter/moldura_pastas.h"
#include "converter/molduras.h"
#include "converter/pegaosdir.h"
#include "converter/receita_listagem.h"
#include "rt/text/strings.h"
#include "store/areas.h"
#include "store/pastas_dados.h"

namespace converter {

using console::Jan;

void CONVDISCO(store::Contexto& ctx, Conversor& c, converter::Modo modo) {
  ctx.MOS_MENS = false;
  c.ORIGEM = c.ROTAREANT;
  c.DESTINO = ctx.LOCARQ;
  while (PEGAOSDIR(ctx, c, ModoPastas::Receita)) {
    JanelaTalvez cabecalho{ctx.janelas, Jan::kTela}, contadores{ctx.janelas, Jan::kDialogo};
    converter::TelaConversao tela;
    tela.seleciona = [](store::Contexto& x) {
      store::seleciona(x.areas, store::Area::LISNOME);
      EDITA(x, grade::Contribuintes);
    };
    tela.contadores = [&](const converter::Contadores& n) {
      if (!contadores.aberta) {
        MTELA1(ctx, c, moldura::Contadores);
        contadores.aberta = true;
      }
      mostraContadores(ctx, n);
      ctx.console.refresh();
    };
    tela.mostra = [&](const std::string& cpf, const std::string& nome) {
      if (!cabecalho.aberta) {
        MTELA3(ctx, moldura::Contribuinte);
        cabecalho.aberta = true;
      }
      const auto cor = static_cast<rt::term::Attr>(ctx.cores.COR_TEL1);
      ctx.screen().put(ctx.ALJA[3] + 2, ctx.ACJA[3] + 3, cpf, cor);
      ctx.screen().put(ctx.ALJA[3] + 2, ctx.ACJA[3] + 19, rt::text::padr(nome, 50), cor);
      ctx.screen().put(ctx.ALJA[3] + 5, ctx.ACJA[3] + 19, rt::text::padr(ctx.LOCARQ, 50), cor);
      ctx.console.refresh();
    };
    converter::converteArquivos(ctx, modo, store::pastaLinux(ctx, c.ARQORIG), tela);
  }
}

}  // namespace converter

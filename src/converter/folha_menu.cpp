#include "converter/folha_menu.h"

#include "console/menus.h"
#include "converter/folha_digita.h"
#include "converter/folha_importa.h"
#include "converter/folha_transfere.h"
#include "converter/grade.h"
#include "converter/molduras.h"
#include "store/abertura.h"
#include "store/areas.h"

namespace converter {

using store::Area;

void CONVFOLHA(store::Contexto& ctx, Conversor& c) {
  MTELA1(ctx, c, moldura::MenuFolha);
  const console::JanelaAberta quadro = console::JanelaAberta::adota(ctx.janelas, console::Jan::kTela);
  ctx.POSVER = 1;
  for (;;) {
    // Each choice may close every table (the transfer does): FOLHAPG is had again each time.
    if (!store::aberta(ctx.areas, Area::FOLHAPG) && !store::ABERTURA(ctx, Area::FOLHAPG)) return;
    store::seleciona(ctx.areas, Area::FOLHAPG);
    console::OpcoesMenu opcoes;
    opcoes.teclas = "IEGT";
    opcoes.mensagens = {"Importa dados de um arquivo TXT emitido pela folha pagamento",
                        "Edita os dados individualmente para a transferencia", "Edita todos os dados para a transferencia",
                        "Transfere os dados para o TAVREN"};
    const int escolha = console::ESC_OPCAO(ctx, console::Jan::kTela, 4, 3, 18, opcoes, 1);
    switch (escolha) {
      case 1: IMPORTA(ctx, c); break;
      case 2: PEGACOM(ctx, c); break;
      case 3: EDITA(ctx, grade::Comprovantes); break;
      case 4: TRANSFERE(ctx, c); break;
      default: return;
    }
  }
}

}  // namespace converter

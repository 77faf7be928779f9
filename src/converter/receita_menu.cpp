#include "converter/receita_menu.h"

#include <filesystem>

#include "console/alerta.h"
#include "console/janelas.h"
#include "converter/folha_importa.h"
#include "converter/grade.h"
#include "converter/moldura_contadores.h"
#include "converter/moldura_pastas.h"
#include "converter/molduras.h"
#include "converter/receita_listagem.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/ui/read.h"
#include "store/areas.h"
#include "store/pastas_dados.h"

namespace conversor {

using namespace rt::text::literals;
using console::Jan;

namespace {

// The folder dialog: the source and the target folder typed; false on Esc or when the user
// gives up a source that is no folder.
bool pedePastas(store::Contexto& ctx, Conversor& c, std::string& origem, std::string& destino) {
  for (;;) {
    MTELA1(ctx, c, 2);
    const console::JanelaAberta quadro = console::JanelaAberta::adota(ctx.janelas, quadroPastas(c).janela);
    rt::ui::Read read(ctx.console, coresEntrada(ctx));
    origem = rt::text::padr(origem, 120);
    destino = rt::text::padr(destino, 40);
    read.get(ctx.ALJA[2] + 1, ctx.ACJA[2] + 2, rt::ui::var("ORIGEM", origem), "@S73");
    read.get(ctx.ALJA[2] + 3, ctx.ACJA[2] + 2, rt::ui::var("DESTINO", destino), "@!");
    const rt::ui::ReadResult r = read.run();
    if (r.escaped) return false;
    origem = std::string(rt::text::alltrim(origem));
    destino = std::string(rt::text::alltrim(destino));
    std::error_code ec;
    if (!std::filesystem::is_directory(store::pastaLinux(ctx, origem), ec)) {
      console::AVISOSN(ctx, "Drive e/ou Diretório de Origem inexistente !!"_cp, 0);
      if (console::AVISOSN(ctx, "Continua procurando?") == "N") return false;
      continue;
    }
    if (destino.size() > 3 && !std::filesystem::is_directory(store::pastaLinux(ctx, destino), ec) &&
        !std::filesystem::create_directories(store::pastaLinux(ctx, destino), ec))
      continue;
    return true;
  }
}

// A window the run may open: closed at the end of the run when it was.
struct JanelaTalvez {
  console::Janelas& janelas;
  Jan id;
  bool aberta = false;
  ~JanelaTalvez() {
    if (aberta) janelas.FECHAJAN(id);
  }
};

}  // namespace

void CONVDISCO(store::Contexto& ctx, Conversor& c, converter::Modo modo) {
  ctx.MOS_MENS = false;
  std::string origem = c.ROTAREANT;
  std::string destino = ctx.LOCARQ;
  while (pedePastas(ctx, c, origem, destino)) {
    c.ARQORIG = origem;
    c.ARQDEST = destino;
    if (!destino.empty()) ctx.definePastaDados(destino);
    JanelaTalvez cabecalho{ctx.janelas, Jan::kTela}, contadores{ctx.janelas, Jan::kDialogo};
    converter::TelaConversao tela;
    tela.seleciona = [](store::Contexto& x) {
      store::seleciona(x.areas, store::Area::LISNOME);
      EDITA(x, 1);
    };
    tela.contadores = [&](const converter::Contadores& n) {
      if (!contadores.aberta) {
        MTELA1(ctx, c, 4);
        contadores.aberta = true;
      }
      mostraContadores(ctx, {n.aConverter, n.convertidos, n.existentes, n.naoConvertidos, n.restantes});
      ctx.console.refresh();
    };
    tela.mostra = [&](const std::string& cpf, const std::string& nome) {
      if (!cabecalho.aberta) {
        MTELA3(ctx, 3);
        cabecalho.aberta = true;
      }
      const auto cor = static_cast<rt::term::Attr>(ctx.cores.COR_TEL1);
      ctx.screen().put(ctx.ALJA[3] + 2, ctx.ACJA[3] + 3, cpf, cor);
      ctx.screen().put(ctx.ALJA[3] + 2, ctx.ACJA[3] + 19, rt::text::padr(nome, 50), cor);
      ctx.screen().put(ctx.ALJA[3] + 5, ctx.ACJA[3] + 19, rt::text::padr(ctx.LOCARQ, 50), cor);
      ctx.console.refresh();
    };
    converter::converteArquivos(ctx, modo, store::pastaLinux(ctx, origem), tela);
  }
}

}  // namespace conversor

#include "converter/pegaosdir.h"

#include <filesystem>
#include <string>

#include "console/alerta.h"
#include "console/janelas.h"
#include "converter/folha_importa.h"
#include "converter/moldura_pastas.h"
#include "converter/molduras.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/ui/read.h"
#include "store/pastas_dados.h"

namespace conversor {

using namespace rt::text::literals;

namespace {

// The source and the target folder typed; false on Esc or when the user gives up a source
// that is no folder.
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

}  // namespace

bool PEGAOSDIR(store::Contexto& ctx, Conversor& c, ModoPastas modo) {
  if (modo != ModoPastas::Receita) {
    c.ORIGEM = modo == ModoPastas::Anterior ? c.ROTAANTER : c.ROTARURAL;
    c.DESTINO = ctx.LOCARQ;
  }
  if (!pedePastas(ctx, c, c.ORIGEM, c.DESTINO)) return false;
  c.ARQORIG = c.ORIGEM;
  c.ARQDEST = c.DESTINO;
  if (!c.DESTINO.empty()) ctx.definePastaDados(c.DESTINO);
  return true;
}

}  // namespace conversor

#include "converter/inicio.h"

#include "console/alerta.h"
#include "console/mensagens.h"
#include "console/pastas.h"
#include "converter/molduras.h"
#include "rt/term/colour.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/areas.h"

namespace converter {

using namespace rt::text::literals;

void coresDoConversor(store::Contexto& ctx) {
  console::Cores& c = ctx.cores;
  c.COR_TEL1 = 30;
  c.COR_TEL2 = 31;
  c.COR_TEL3 = 63;
  c.COR_MENS = 112;
  c.COR_PEGA = 15;
  c.COR_HELP = 78;
  c.COR_FERID = 28;
  c.COR_ESCOL = 79;
  c.COR_ENCHE = 114;
  c.COR_1_CLI = "GR+/B";
  c.COR_2_CLI = "W+/B";
  c.COR_INI = "W+/B";
  c.COR_SAY = "N/W+";
  c.COR_GET = "W/N";
  c.COR_CLI_HE = "GR+/R";
  c.COR_ESC_CL = "W/R+";
  c.COR_ENCH_C = "G/W";
}

void pastaCedida(store::Contexto& ctx, Conversor& c, std::string_view pasta) {
  const std::string_view p = rt::text::alltrim(pasta);
  if (p.empty()) return;
  c.pastaDoTavren = std::string(p);
  ctx.definePastaDados(p);
}

void pastasDoConversor(store::Contexto& ctx, Conversor& c) {
  const std::string ano(rt::text::alltrim(ctx.ROTADOANO));
  if (ano.empty() || !console::VERDIR(ctx, ano)) {
    console::AVISOSN(ctx, std::string("O diretório "_cp) + ano + std::string(" não encontrado.Assumido o atual."_cp), 0);
    ctx.definePastaDados(ctx.ROTADEF);
  }
  c.ROTA = std::string(rt::text::alltrim(ctx.ROTADOANO));
  if (!console::VERDIR(ctx, rt::text::alltrim(ctx.DIRTRAB))) ctx.definePastaTrabalho(c.ROTA);
  c.DIRORIG = ctx.LOCARQ;
}

rt::Status inicia(store::Contexto& ctx, Conversor& c) {
  pastasDoConversor(ctx, c);
  for (int i = 1; i <= 3; ++i)
    ctx.janelas.REDFATR(console::Jan::kMensagem, i, i == 1 ? ctx.cores.COR_TEL1 : i == 2 ? ctx.cores.COR_TEL2 : ctx.cores.COR_TEL3);
  ctx.janelas.ENCHETELA(' ', rt::term::parseColour(ctx.cores.COR_ENCH_C).value_or(rt::term::makeAttr(2, 7)));
  // The opener adds the program folder as the chosen row of an empty list, and says why a
  // list it cannot open is missing.
  RT_TRY(store::ABERTURA(ctx, store::Area::DIRET));
  ctx.janelas.FECHAJAN(console::Jan::kMensagem);
  ctx.TAM_OLD = 0;
  ctx.console.clearTypeahead();
  MTELA1(ctx, c, moldura::Apresentacao);
  return {};
}

}  // namespace converter

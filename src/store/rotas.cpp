#include "store/rotas.h"

#include <cstdlib>

#include "console/mensagens.h"
#include "console/pastas.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/pastas_dados.h"

namespace store {

using namespace rt::text::literals;

std::string pastaPadraoReceita() {
  // Where the tax authority's program keeps its declarations on Linux.
  const char* home = std::getenv("HOME");
  return std::string(home != nullptr && *home != '\0' ? home : "/root") +
         "/ProgramasRFB/IRPF2010/aplicacao/dados";
}

std::string NOVA_ROTA(Contexto& ctx, std::string_view atual, std::string_view palavra, int largura) {
  const std::string velho(rt::text::alltrim(atual));
  for (;;) {
    ctx.relato().linha("Atual: " + velho.substr(0, 76));
    std::string var(static_cast<std::size_t>(largura), ' ');
    console::OpcoesMens op;
    op.picture = "@S76";
    const std::string padrao = pastaPadraoReceita();
    ctx.console.setKey(rt::term::key::AltP, [&ctx, padrao] {
      if (rt::term::ActiveInput* in = ctx.console.activeInput()) {
        // The default folder fits the field it is offered in.
        (void)in->setText(padrao);
        in->requestRedisplay();
      }
    });
    console::MENS(ctx, console::mens::Campo, "Nova pasta" + std::string(palavra) + ":", var, op);
    ctx.console.clearKey(rt::term::key::AltP);
    if (ctx.console.lastKey().code == rt::term::key::Esc) return rt::text::padr(velho, largura);
    std::string nova(rt::text::alltrim(var));
    if (nova.empty()) {
      if (largura != 80) return rt::text::padr(velho, largura);
      ctx.relato().alerta("Deixando em branco NAO haverá transferencia para o programa da receita!"_cp);
      return std::string(static_cast<std::size_t>(largura), ' ');
    }
    // Alt-P can put in a name longer than the field: stored, it would be cut and name
    // another folder.
    if (!pastaCabe(ctx, nova, largura)) continue;
    if (nova.size() == 2 && nova[1] == ':') return rt::text::padr(nova + "\\", largura);
    if (console::CRI_NDIR(ctx, nova, palavra)) return rt::text::padr(nova, largura);
  }
}

std::string SELAREA(Contexto& ctx, int qual) {
  if (qual == 1) {
    const std::string nova(rt::text::alltrim(NOVA_ROTA(ctx, ctx.DIRTRAB, " TAVREN", 40)));
    ctx.definePastaTrabalho(nova);
    gravaConfig(ctx, "dirtrab", nova).ignoreTold();  // says its own failure; the folder is in use anyway
    return nova;
  }
  const std::string nova(rt::text::alltrim(NOVA_ROTA(ctx, leConfig(ctx, "ROTAJAVA"), " IRPF10", 80)));
  gravaConfig(ctx, "ROTAJAVA", nova).ignoreTold();  // says its own failure
  return nova;
}

}  // namespace store

#include "shell/saida.h"

#include <optional>

#include "console/alerta.h"
#include "console/mensagens.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "shell/config_terminal.h"
#include "shell/despacho.h"
#include "shell/menu_principal.h"
#include "shell/registros.h"
#include "store/reorg.h"

namespace shell {

using namespace rt::text::literals;

void ROTSAIDA(Program& p, int id) {
  if (id == 81 && console::AVISOSN(p, "Confirma saída do sistema"_cp, 2) != "S") return;
  // gravaConfig says its own failure.
  gravaConfig(p, [&p](rt::db::Table& t) { return gravaConfigSaida(p, t); }).ignoreTold();
  if (p.OPCAO_1 == 17) {
    std::optional<Reorganizacao> r;
    {
      console::MENS(p, console::mens::Espera, "Encerrando...");
      const auto aviso = console::JanelaAberta::adota(p.janelas, console::Jan::kMensagem);
      p.console.refresh();  // shown while the tables are rebuilt
      p.MOS_MENS = true;
      if (p.reorganiza) r = p.reorganiza(p, std::string(rt::text::alltrim(p.ROTADOANO)), 3);
    }
    // Tables another terminal has open are left alone: rebuilding their indexes under that
    // terminal would leave it with indexes that no longer match.
    if (r) store::avisaOcupadas(p, r->ocupadas);
  }
  p.areas.releaseAll();
  p.screen().clear();
  p.console.refresh();
  p.saida = 0;
}

int LACO(Program& p) {
  bool abre = p.CRESBAK == "S";
  while (!p.saida) {
    // Mouse presses reach the menu as keys of their own, so the menu needs no separate mouse
    // poll before it runs, and no key typed meanwhile is lost.
    const int id = rodaMenu(p, p.NPOSMENU - 1, abre);
    abre = false;
    if (id == 0) continue;
    MENUSELECT(p, id);
  }
  return *p.saida;
}

}  // namespace shell

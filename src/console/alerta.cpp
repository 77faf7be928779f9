#include "console/alerta.h"

#include "rt/ui/alert.h"

namespace console {

int alerta(Contexto& ctx, const std::vector<std::string>& linhas, const std::vector<std::string>& botoes) {
  return rt::ui::alert(ctx.console, linhas, botoes, ctx.cores.COR_SAY);
}

std::string AVISOSN(Contexto& ctx, const std::vector<std::string>& linhas, int tipo) {
  switch (tipo) {
    case 0:
      // A notice about a field that filled up is read before it goes: the Enter typed out of
      // habit after the field's last place would close it unseen.
      if (ctx.console.checkingFullField()) ctx.console.clearTypeahead();
      alerta(ctx, linhas, {"Ok"});
      return "N";
    case 3: {
      const int b = alerta(ctx, linhas, {"Sim", "Nao", "Ignore"});
      return b == 1 ? "S" : b == 3 ? "I" : "N";
    }
    case 4: {
      const int b = alerta(ctx, linhas, {"Sim", "Nao", "Fim"});
      return b == 1 ? "S" : b == 3 ? "F" : "N";
    }
    default:
      return alerta(ctx, linhas, {"Sim", "Nao"}) == 1 ? "S" : "N";
  }
}

std::string AVISOSN(Contexto& ctx, std::string_view linha, int tipo) {
  return AVISOSN(ctx, std::vector<std::string>{std::string(linha)}, tipo);
}

std::string AVISOSN(Contexto& ctx, std::initializer_list<std::string_view> linhas, int tipo) {
  return AVISOSN(ctx, std::vector<std::string>(linhas.begin(), linhas.end()), tipo);
}

int AVISOSN7(Contexto& ctx, const std::vector<std::string>& linhas) {
  return alerta(ctx, linhas, {"1", "2", "3", "4", "5", "6", "7"});
}

}  // namespace console

#include "shell/servicos_declaracao.h"

#include "shell/calculos_declaracao.h"
#include "shell/programa.h"

namespace shell {

ServicosDeclaracao::ServicosDeclaracao(Program& p, store::Declaracao& dec, CalculosDeclaracao& calculos)
    : p_(p), dec_(dec), calculos_(calculos) {}

bool ServicosDeclaracao::valida(store::Contexto&, grid::Grade&, std::string_view, rt::ui::Value&) { return true; }
void ServicosDeclaracao::recalcula(store::Contexto&, grid::Grade&, std::string_view) {}
bool ServicosDeclaracao::QUETEL(store::Contexto&, grid::Grade&, int n) { return quetel ? quetel(n) : false; }
bool ServicosDeclaracao::MUDATEL1(store::Contexto&, grid::Grade&) { return mudatel1 ? mudatel1() : true; }
bool ServicosDeclaracao::MUDATEL12(store::Contexto&, grid::Grade&) { return mudatel12 ? mudatel12() : false; }
bool ServicosDeclaracao::MUDATEL14(store::Contexto&, grid::Grade&) { return mudatel14 ? mudatel14() : false; }
bool ServicosDeclaracao::ESC_HORIZ(store::Contexto&, grid::Grade&) { return escHoriz ? escHoriz() : false; }
void ServicosDeclaracao::SAL_DEC(store::Contexto&, grid::Grade&) {
  if (salDec) salDec();
}
std::string ServicosDeclaracao::VE_STAT(store::Contexto&, int, int) { return {}; }
void ServicosDeclaracao::NRODP(store::Contexto&, grid::Grade&) {}
bool ServicosDeclaracao::FCALPOUPA(store::Contexto&, grid::Grade&, int) { return true; }

}  // namespace shell

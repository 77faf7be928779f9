// The item table: each import of the converter plugs in here the function its menu item runs.
#include "converter/anterior_menu.h"
#include "converter/conversor.h"
#include "converter/folha_menu.h"
#include "converter/receita_menu.h"

namespace converter {

void registraItens(Conversor& c) {
  for (int item : {kBrantel, kKelsvor, kLivroCaixa}) c.itens[item] = CONVIRVESK;
  c.itens[kComprovante] = [](store::Contexto& ctx, Conversor& cv) { CONVFOLHA(ctx, cv); };
  c.itens[kReceita] = [](store::Contexto& ctx, Conversor& cv) { CONVDISCO(ctx, cv, converter::Modo::Declaracao); };
  c.itens[kGanhoCapital] = [](store::Contexto& ctx, Conversor& cv) { CONVDISCO(ctx, cv, converter::Modo::Ganhos); };
  c.itens[kNroRecibo] = [](store::Contexto& ctx, Conversor& cv) { CONVDISCO(ctx, cv, converter::Modo::Recibos); };
}

}  // namespace converter

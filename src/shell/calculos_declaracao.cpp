#include "shell/calculos_declaracao.h"

#include "shell/programa.h"

namespace shell {

CalculosDeclaracao::CalculosDeclaracao(Program& p) : saida(p), motor(saida, vizinhos), p_(p) {}

void CalculosDeclaracao::preparaVariaveis() {}

void CalculosDeclaracao::CALC(store::Contexto& ctx, store::Declaracao& dec, int passo, int modo) {
  preparaVariaveis();
  motor.CALC(ctx, dec, passo, modo);
}

void CalculosDeclaracao::BALANCO(store::Contexto& ctx, store::Declaracao& dec) {
  preparaVariaveis();
  motor.BALANCO(ctx, dec);
}

taxcalc::Contexto CalculosDeclaracao::contexto(store::Declaracao& dec) { return motor.contexto(p_, dec); }

}  // namespace shell

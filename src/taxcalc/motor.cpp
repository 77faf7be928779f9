#include "taxcalc/motor.h"

#include "taxcalc/calc.h"

namespace taxcalc {

void Motor::CALC(store::Contexto& ctx, store::Declaracao& dec, int passo, int modo) {
  Contexto c = contexto(ctx, dec);
  taxcalc::CALC(c, passo, modo);
}

void Motor::BALANCO(store::Contexto& ctx, store::Declaracao& dec) {
  // Loading starts a declaration: nothing of the one opened before may remain.
  variaveis = Variaveis{};
  Contexto c = contexto(ctx, dec);
  taxcalc::BALANCO(c);
}

}  // namespace taxcalc

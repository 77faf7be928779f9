// The computation as the data store calls it: loading runs BALANCO, saving CALC(7, 0). One
// Motor lives as long as the open declaration, because it keeps the computation's own
// variables (the payment totals, for instance, survive between scans while JA_CALC holds);
// loading (BALANCO) starts them afresh.
// The parts that belong to other subsystems (the spouse link, the gains, the export ...) keep
// the store's defaults; a program that has them derives from Motor and adds them.
#pragma once

#include "store/declaracao.h"
#include "taxcalc/contexto.h"
#include "taxcalc/saida.h"
#include "taxcalc/variaveis.h"
#include "taxcalc/vizinhos.h"

namespace taxcalc {

class Motor : public store::Calculos {
 public:
  Motor(Saida& saida, Vizinhos& vizinhos) : saida_(saida), vizinhos_(vizinhos) {}

  void CALC(store::Contexto& ctx, store::Declaracao& dec, int passo, int modo) override;
  void BALANCO(store::Contexto& ctx, store::Declaracao& dec) override;

  // The computation's view of an open declaration, for the screens and grids that call the
  // form-line functions and validators directly.
  Contexto contexto(store::Contexto& ctx, store::Declaracao& dec) {
    return Contexto{ctx.areas, dec.espelho, variaveis, ctx.clock, saida_, vizinhos_};
  }

  Variaveis variaveis;

 private:
  Saida& saida_;
  Vizinhos& vizinhos_;
};

}  // namespace taxcalc

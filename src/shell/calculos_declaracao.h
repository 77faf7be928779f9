// The computation of one open declaration as the data store and the grids call it: the
// console's output, the neighbouring computations (monthly tax, rural result, cash balance) and
// the Motor that keeps the computation's own variables. One lives from a declaration's load to
// its save; the next declaration gets a new one.
#pragma once

#include "store/declaracao.h"
#include "shell/saida_console.h"
#include "taxcalc/motor.h"
#include "taxcalc/vizinhos_calculo.h"

namespace shell {

class Program;

class CalculosDeclaracao : public store::Calculos {
 public:
  explicit CalculosDeclaracao(Program& p);

  void CALC(store::Contexto& ctx, store::Declaracao& dec, int passo, int modo) override;
  void BALANCO(store::Contexto& ctx, store::Declaracao& dec) override;
  // The gains' and variable income's totals from their stored rows, so the summary holds
  // their tax as soon as the declaration is open.
  void recalculaGanhos(store::Contexto& ctx, store::Declaracao& dec) override;
  // The spouse's values brought again from the spouse's declaration, quietly: the load asks
  // nothing, and keeps what was stored when the spouse is not found.
  void ligaConjuge(store::Contexto& ctx, store::Declaracao& dec) override;
  // The export after a final save, when the terminal's transfer option asks for it.
  void transfere(store::Contexto& ctx, store::Declaracao& dec) override;

  // The computation's view of the open declaration, for the form-line functions.
  taxcalc::Contexto contexto(store::Declaracao& dec);

  SaidaConsole saida;
  taxcalc::VizinhosCalculo vizinhos;
  taxcalc::Motor motor;

 private:
  // The program's values the computation reads (payment date, dollar rate).
  void preparaVariaveis();
  Program& p_;
};

}  // namespace shell

// The neighbouring parts of the computation as this program has them: the monthly
// self-assessed tax, the rural result and the cash balance, plugged into the summary through
// the `Vizinhos` hooks. One lives as long as the open declaration, beside its Motor.
#pragma once

#include "taxcalc/balanco.h"
#include "taxcalc/carne_leao.h"
#include "taxcalc/rural.h"
#include "taxcalc/vizinhos.h"

namespace taxcalc {

class VizinhosCalculo : public Vizinhos {
 public:
  void FDE_LEAO(Contexto& c, int modo) override { taxcalc::FDE_LEAO(c, leao, modo); }
  void recalculaRural(Contexto& c) override { resultadoRural(c, rural); }
  // The balance is kept in SALDO and the cash variables; the value returned is the screens'.
  void VE_SALDO(Contexto& c) override { taxcalc::VE_SALDO(c); }

  EstadoLeao leao;
  EstadoRural rural;
};

}  // namespace taxcalc

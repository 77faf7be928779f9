// The parts of the computation that live elsewhere (the monthly self-assessed tax, the rural
// result, the cash balance, the spouse's data). The summary calls them at the points where the
// declaration needs them; until they are plugged in the defaults leave their results as they
// stand (the carnê-leão lines, the rural lines, SALDO and RECEITA).
#pragma once

namespace taxcalc {

struct Contexto;

class Vizinhos {
 public:
  virtual ~Vizinhos() = default;
  // FDE_LEAO(mode): fills the monthly self-assessed tax matrix on the side of the current
  // income row and carries I13_03, I13_04, I13_05, I13_14, I13_23A, I13_23B into the summary.
  virtual void FDE_LEAO(Contexto& /*c*/, int /*modo*/) {}
  // The loading's check of the carnê-leão matrix.
  virtual void conferenciaLeao(Contexto& /*c*/) {}
  // The rural result lines recomputed after the compensated loss I4R_04 changed.
  virtual void recalculaRural(Contexto& /*c*/) {}
  // VE_SALDO: the cash balance; sets SALDO (register) and RECEITA, DESPESA.
  virtual void VE_SALDO(Contexto& /*c*/) {}
  // The spouse's data recomputed after loading.
  virtual void dadosConjuge(Contexto& /*c*/) {}
};

}  // namespace taxcalc

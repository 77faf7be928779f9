// The table writes of a grid action: every refused write is kept and the first is said in an
// alert when the action ends, as the computation's writes are said through its output.
#pragma once

#include <string_view>

#include "store/contexto.h"
#include "taxcalc/gravacoes.h"
#include "taxcalc/saida.h"

namespace grid {

// The computation's output reduced to what a grid needs here: an alert the user closes.
class AvisoGravacao : public taxcalc::Saida {
 public:
  explicit AvisoGravacao(store::Contexto& ctx) : ctx_(ctx) {}
  void alerta(std::string_view texto) override;

 protected:
  store::Contexto& ctx_;
};

// The alert is a base so that it is made before, and outlives, the writes that report to it.
class GravacoesGrade : private AvisoGravacao, public taxcalc::Gravacoes {
 public:
  explicit GravacoesGrade(store::Contexto& ctx)
      : AvisoGravacao(ctx), taxcalc::Gravacoes(static_cast<taxcalc::Saida&>(*this)) {}
  // DESTRAVA with the current row written first, so a row the file refuses is said rather than
  // lost with the lock.
  void destrava();
};

}  // namespace grid

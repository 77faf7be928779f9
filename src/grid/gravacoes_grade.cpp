#include "grid/gravacoes_grade.h"

#include "console/alerta.h"
#include "store/travas.h"

namespace grid {

void AvisoGravacao::alerta(std::string_view texto) { console::AVISOSN(ctx_, texto, 0); }

void GravacoesGrade::destrava() {
  if (rt::db::Table* t = ctx_.areas.currentTable()) confere(t->flush(), t->alias());
  // The flush above said any refusal (and a write error a move kept): the release writes nothing.
  (void)store::DESTRAVA(ctx_);
}

}  // namespace grid

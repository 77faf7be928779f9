#include "grid/gravacoes_grade.h"

#include "console/alerta.h"
#include "store/travas.h"

namespace grid {

void AvisoGravacao::alerta(std::string_view texto) { console::AVISOSN(ctx_, texto, 0); }

void GravacoesGrade::destrava() {
  // The release writes the row first; its refusal (or a write error a move kept) is said.
  if (rt::db::Table* t = ctx_.areas.currentTable()) confere(t->unlock(), t->alias());
}

}  // namespace grid

#include "grid/gravacoes_grade.h"

#include "console/alerta.h"

namespace grid {

void AvisoGravacao::alerta(std::string_view texto) { console::AVISOSN(ctx_, texto, 0); }

}  // namespace grid

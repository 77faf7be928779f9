#include "screens/grades.h"

#include "console/mensagens.h"
#include "grid/edita.h"

namespace screens {

void mostraGrade(AmbienteTela& a, int opc) {
  grid::Grade& g = a.grade;
  const int tecla = g.ULTTECLA;
  const bool muda = g.TECLAMUDA;
  g.SO_MOS = 1;
  grid::EDITA(a.ctx, g, opc);
  g.SO_MOS = 0;
  g.ULTTECLA = tecla;
  g.TECLAMUDA = muda;
}

void editaGrade(AmbienteTela& a, int opc, int modo) {
  a.grade.SO_MOS = 0;
  grid::EDITA(a.ctx, a.grade, opc, modo);
}

void calculando(AmbienteTela& a, int n, int mostra) {
  console::MENS(a.ctx, console::mens::Espera, "Calculando!!");
  const auto aviso = console::JanelaAberta::adota(a.ctx.janelas, console::Jan::kMensagem);
  a.CALC(n, mostra);
}

}  // namespace screens

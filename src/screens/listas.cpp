// The screens that are one grid over their background: the enlarged asset and debt lists (22,
// 23) and the rural assets (16) and debts (17).
#include "screens/grades.h"
#include "screens/telas.h"
#include "taxcalc/rural.h"

namespace screens {

// The zoom keys of screen 5 chose the list: the assets or the debts of either pair (Alt+Z 22,
// Alt+X 23).
void listaAmpliadaZ(AmbienteTela& a, const Fundo&) { editaGrade(a, a.zoomBem ? 8 : 9); }

void listaAmpliadaX(AmbienteTela& a, const Fundo&) { editaGrade(a, a.zoomBem2 ? 22 : 23); }

void bensRurais(AmbienteTela& a, const Fundo&) {
  a.grade.srv().MRODAPER(a.ctx, a.grade, 5);
  editaGrade(a, 35);
}

void dividasRurais(AmbienteTela& a, const Fundo&) {
  (void)taxcalc::SOMA_DIV(a.calc);
  a.grade.srv().MRODAPER(a.ctx, a.grade, 6);
  editaGrade(a, 36);
}

}  // namespace screens

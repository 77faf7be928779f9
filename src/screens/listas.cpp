// The screens that are one grid over their background: the enlarged asset and debt lists (22,
// 23) and the rural assets (16) and debts (17).
#include "screens/formulario.h"
#include "screens/grades.h"
#include "screens/telas.h"
#include "taxcalc/rural.h"

namespace screens {

// The zoom keys of screen 5 chose the list: the assets or the debts of either pair (Alt+Z 22,
// Alt+X 23).
void listaAmpliadaZ(AmbienteTela& a, const Fundo&) { editaGrade(a, a.zoomBem ? 8 : 9); }

void listaAmpliadaX(AmbienteTela& a, const Fundo& f) {
  const bool bens = a.zoomBem2;
  Formulario form(a, f);
  // The totals follow the list as its values are typed.
  const Redesenho r(a, [&](taxcalc::Quadro q) {
    if (q != (bens ? taxcalc::Quadro::Bens : taxcalc::Quadro::Dividas)) return;
    constexpr std::string_view kValor = "@Ez 999,999,999.99";
    form.mostra("TOTDECLARADO", bens ? a.calc.v.NTOTBANT1 : a.calc.v.NTOTDANT1, kValor);
    form.mostra("TOTANTES", a.calc.num(bens ? "I13_32" : "I13_34"), kValor);
    form.mostra("TOTAGORA", a.calc.num(bens ? "I13_33" : "I13_35"), kValor);
  });
  editaGrade(a, bens ? 22 : 23);
}

void bensRurais(AmbienteTela& a, const Fundo&) {
  a.grade.srv().MRODAPER(a.ctx, a.grade, 5);
  editaGrade(a, 35);
}

void dividasRurais(AmbienteTela& a, const Fundo&) {
  taxcalc::SOMA_DIV(a.calc);
  a.grade.srv().MRODAPER(a.ctx, a.grade, 6);
  editaGrade(a, 36);
}

}  // namespace screens

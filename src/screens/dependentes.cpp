// Screen 4, the dependants over the payments: the payments drawn, then the dependants' grid
// and the payments' grid in turn. A change in the number of dependants recomputes the monthly
// tax (each dependant is deducted month by month) before the payments open; the deductions are
// recomputed once the grids are left, unless a grid did it already.
#include "rt/term/keys.h"
#include "screens/formulario.h"
#include "screens/grades.h"
#include "screens/rodape.h"
#include "screens/telas.h"
#include "store/areas.h"
#include "taxcalc/pagamentos.h"

namespace screens {

namespace key = rt::term::key;

void dependentes(AmbienteTela& a, const Fundo& f) {
  grid::Grade& g = a.grade;
  store::EspelhoDeclaracao& e = a.espelho();
  MRODAPE(a.ctx, 4);
  const auto contaDependentes = [&a] { return taxcalc::NRODP(a.calc); };
  const rt::text::Decimal antes = contaDependentes();
  mostraGrade(a, 4);
  Formulario form(a, f);
  while (true) {
    e.JA_CALC = false;
    taxcalc::FDE_TUDO(a.calc, 2);
    form.mostra("I13_12D", a.calc.v.I13_12D, "@Ez 9999,999.99");
    editaGrade(a, 3);
    if (a.saiuDa(4) || g.ULTTECLA == key::Esc) break;
    g.TECLAMUDA = false;
    if (contaDependentes() != antes) {
      e.LEAO_CAL = false;
      a.calc.vizinhos.FDE_LEAO(a.calc, 1);
      a.ctx.areas.select(store::Area::TMP_03);
    }
    if (g.ULTTECLA == key::ShiftTab) break;
    if (!e.JA_CALC) calculando(a, 4, 1);
    // The payments' number column takes a dependant only when the grid knows there is one:
    // counted again here, a dependant typed just now is taken at once. Counting numbers the
    // new rows, so the list above is drawn again with the numbers a payment refers to.
    g.N_DEPEN = static_cast<int>(contaDependentes().wholePart());
    mostraGrade(a, 3);
    editaGrade(a, 4);
    if (g.TECLAMUDA || g.ULTTECLA == key::Tab) break;
  }
  if (!e.JA_CALC) calculando(a, 4, 1);
  a.CALC(7, 0);
}

}  // namespace screens

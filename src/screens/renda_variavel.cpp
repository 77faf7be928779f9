// Screen 9, the variable income: the mode typed at its place in the background, then its
// matrix edited and stored; the totals go to the summary when the screen is left.
#include <string>

#include "console/alerta.h"
#include "rt/term/keys.h"
#include "rt/ui/binding.h"
#include "screens/formulario.h"
#include "screens/rodape.h"
#include "screens/telas.h"
#include "store/areas.h"

namespace screens {

void rendaVariavel(AmbienteTela& a, const Fundo& f) {
  if (!a.rendaVariavel) return;
  std::string& modo = a.espelho().DAY_TRADE;
  for (;;) {
    MRODAPE(a.ctx, 16);
    Formulario form(a, f);
    form.edita("DAY_TRADE", rt::ui::var("DAY_TRADE", modo), "@!").valid([&a, &modo] {
      if (modo == "1" || modo == "2" || modo == "3") return true;
      console::AVISOSN(a.ctx, "Informe o numero correto", 0);
      return false;
    });
    form.roda();
    // Tab and Shift-Tab end the screen from the mode too, before any matrix is opened.
    const int k = a.grade.ULTTECLA;
    if (k == rt::term::key::Esc || k == rt::term::key::Tab || k == rt::term::key::ShiftTab || a.grade.TECLAMUDA ||
        a.saiuDa(9))
      break;
    // The matrix's Esc, Tab and screen keys leave the screen (the driver goes on by them);
    // a matrix ended otherwise asks the mode again.
    a.rendaVariavel(modo[0] - '0');
    if (a.grade.TECLAMUDA || a.saiuDa(9)) break;
    a.grade.ULTTECLA = 0;
  }
  if (rt::db::Table* t = store::tabela(a.ctx.areas, store::Area::TMP_07)) t->clearFilter();
  if (a.fimRendaVariavel) a.fimRendaVariavel();
}

}  // namespace screens

// Screen 11: the declaration's status in the office, the contact phones, the last sales of
// real estate and the tax authority's access code, over the notes grid; Enter past the last
// field or Tab goes on to the notes.
#include "rt/term/keys.h"
#include "screens/formulario.h"
#include "screens/grades.h"
#include "screens/regras_comum.h"
#include "screens/rodape.h"
#include "screens/telas.h"
#include "store/abertura.h"
#include "store/estatus.h"

namespace screens {

namespace key = rt::term::key;

void situacao(AmbienteTela& a, const Fundo& f) {
  grid::Grade& g = a.grade;
  store::RegistroEspelho& r = a.espelho().registro;
  MRODAPE(a.ctx, 20);
  mostraGrade(a, 11);
  while (true) {
    Formulario form(a, f);
    const auto nomeStatus = [&a, &r, &form] {
      const int status = static_cast<int>(r.num("ESTATUS").wholePart());
      form.mostra("NOMESTAT", a.grade.srv().VE_STAT(a.ctx, status, 2), "@S18");
    };
    nomeStatus();
    form.edita(r, "ESTATUS", "99").valid([&a, &r, &nomeStatus] {
      // A code the office has not named opens the list of the named ones to choose from.
      int codigo = static_cast<int>(r.num("ESTATUS").wholePart());
      store::VE_STAT(a.ctx, codigo, {}, [&a](int&) {
        if (store::ABERTURA(a.ctx, store::Area::STATUS)) {
          escolheNaLista(a, store::Area::STATUS, "M->ESTATUS");
          store::seleciona(a.ctx.areas, store::Area::TMP_11);
        }
      });
      nomeStatus();
      return true;
    });
    form.edita(r, "DDDFAX", "@R ##99");
    form.edita(r, "TELCELU", "@R ##99-9999");
    form.edita(r, "TELESCR", "@R ##99-9999");
    form.edita(r, "TELSECR", "@R ##99-9999");
    form.edita(r, "ULTRESI", "@D");
    form.edita(r, "ULTIMOV", "@D");
    form.edita(r, "SENACESSO", "@S15");
    form.edita(r, "CODACESSO", "@ 999999999999");
    const rt::ui::ReadResult fim = form.roda();
    // Shift-Tab, as everywhere, ends the screen for the one before it.
    if (g.TECLAMUDA || g.ULTTECLA == key::Esc || g.ULTTECLA == key::ShiftTab) return;
    const bool adiante = g.ULTTECLA == key::Tab || (!fim.escaped && fim.lastKey.code == key::Enter);
    if (adiante) {
      g.TECLAMUDA = false;
      g.ULTTECLA = 0;
      MRODAPE(a.ctx, 18);
      editaGrade(a, 11);
      return;
    }
    g.ULTTECLA = 0;
  }
}

}  // namespace screens

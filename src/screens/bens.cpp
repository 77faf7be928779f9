// Screen 5: the assets and debts grids, then the spouse, estate and exit data. The totals of
// assets, debts and the patrimony's variation follow every grid. The rules of the spouse link
// and of the estate's fields come through the screen's RegrasCampos.
#include "console/mensagens.h"
#include "rt/term/keys.h"
#include "screens/campos.h"
#include "screens/formulario.h"
#include "screens/grades.h"
#include "screens/rodape.h"
#include "screens/telas.h"
#include "taxcalc/patrimonio.h"

namespace screens {

namespace key = rt::term::key;

namespace {

constexpr std::string_view kValor = "@Ez 999,999,999.99";

void totaisPatrimonio(AmbienteTela& a) {
  taxcalc::FI7_T(a.calc, 5);
  taxcalc::FI8_T(a.calc, 6);
  taxcalc::FI10_1(a.calc);
}

constexpr CampoForm kConjuge[] = {{"CPFCONJU", "@R 999.999.999-99", CampoForm::Cpf},
                                  {"I9_4", "!"},
                                  {"I9_5", "!", CampoForm::SimNao},
                                  {"I13_1C", kValor},
                                  {"I13_4C", kValor},
                                  {"I13_2C", kValor},
                                  {"I13_3C", kValor}};
constexpr CampoForm kEspolio[] = {{"CPFINVENT", "@R 999.999.999-99", CampoForm::Cpf},
                                  {"NOMINVENT", "@!S15"},
                                  {"ENDINVENT", "@!S15"},
                                  {"DECSAIDA", "!"},
                                  {"DATASAIDA", "@D"},
                                  {"DECFINAL", "!"}};

}  // namespace

void bens(AmbienteTela& a, const Fundo& f) {
  grid::Grade& g = a.grade;
  store::EspelhoDeclaracao& e = a.espelho();
  Formulario form(a, f);
  mostraGrade(a, 6);
  form.mostra(e.registro, "I9_2", kValor);
  form.read().display();
  // The spouse's result follows every rule that brings or clears the spouse's values.
  editaCampos(a, form, e.registro, kConjuge, [&form, &e](std::string_view) {
    form.mostra(e.registro, "I9_2", kValor);
    return true;
  });
  editaCampos(a, form, e.tabela01, kEspolio);
  form.read().display();
  while (true) {
    editaGrade(a, 5);
    totaisPatrimonio(a);
    if (g.TECLAMUDA && g.ULTTECLA != key::Tab) {
      a.ctx.console.setBell(false);
      return;
    }
    editaGrade(a, 6);
    totaisPatrimonio(a);
    if (!g.TECLAMUDA || g.ULTTECLA == key::ShiftTab) continue;
    a.ctx.console.setBell(false);
    if (g.ULTTECLA != key::Tab) return;
    break;
  }
  // Tab from the debts: on to the spouse's and the estate's data.
  g.TECLAMUDA = false;
  g.ULTTECLA = 0;
  MRODAPE(a.ctx, 2);
  const rt::ui::ReadResult r = form.roda();
  if (r.escaped && r.lastKey.code == key::Esc && !g.TECLAMUDA)
    g.ULTTECLA = e.tabela01.txt("DECFINAL") == "S" ? key::PgDn : key::Esc;
}

}  // namespace screens

// The rural-activity screens: the properties (12), the monthly receipts and expenses (13), the
// result of the year (14) and the herd (15). Each recomputes the result lines it feeds; the
// figures live in the rural record of the mirror (the side in Brazil or abroad).
#include <string>

#include "console/alerta.h"
#include "grid/rural_campos.h"
#include "rt/term/keys.h"
#include "screens/formulario.h"
#include "screens/grades.h"
#include "screens/telas.h"
#include "store/areas.h"
#include "taxcalc/rural.h"

namespace screens {

namespace key = rt::term::key;

namespace {

constexpr std::string_view kValor = "@Ez 999,999,999.99";

const taxcalc::EstadoRural& estadoRural(AmbienteTela& a) {
  static const taxcalc::EstadoRural nenhum{};
  return a.rural != nullptr ? *a.rural : nenhum;
}

void rodapeRural(AmbienteTela& a, int k) { a.grade.srv().MRODAPER(a.ctx, a.grade, k); }

}  // namespace

void imoveisRurais(AmbienteTela& a, const Fundo&) {
  grid::Grade& g = a.grade;
  taxcalc::CALCRUR(a.calc, estadoRural(a), 12);
  // Abroad the properties' sums are under the grid from the start, not only once a receipt,
  // an expense or a rate is typed.
  if (a.espelho().registro.txt("ATV_BRASIL") == "N") grid::SOMAREC(a.ctx, 1);
  while (true) {
    rodapeRural(a, 1);
    a.ctx.areas.select(store::Area::TMP_16);
    editaGrade(a, 34);
    if (g.TECLAMUDA || g.ULTTECLA != key::ShiftTab) return;
  }
}

void mesesRurais(AmbienteTela& a, const Fundo&) {
  a.grade.TECLAMUDA = false;
  taxcalc::CALCRUR(a.calc, estadoRural(a), 13);
  editaGrade(a, 37);
  taxcalc::FI4R_03(a.calc, estadoRural(a));
  taxcalc::FI4R_05(a.calc);
  taxcalc::FI4R_06(a.calc);
  taxcalc::FI4R_07(a.calc);
  taxcalc::CALC_PREJU(a.calc);
}

void resultadoRural(AmbienteTela& a, const Fundo& f) {
  store::RegistroEspelho& r = a.espelho().rural;
  taxcalc::CALCRUR(a.calc, estadoRural(a), 14);
  rodapeRural(a, 3);
  while (true) {
    Formulario form(a, f);
    const auto mostra = [&] {
      for (std::string_view n : {"I4R_01", "I4R_02", "I4R_03", "I4R_05", "I4R_06", "I4R_07", "I6_10"})
        form.mostra(r, n, kValor);
      form.read().display();
    };
    const auto recalcula = [&a, mostra] {
      taxcalc::resultadoRural(a.calc, estadoRural(a));
      mostra();
      return true;
    };
    // The loss of earlier years is compensated only under the complete model.
    form.edita(r, "I4R_04", kValor)
        .when([&a] { return a.espelho().registro.txt("USAPADRAO") != "S"; })
        .valid(recalcula);
    form.edita(r, "I5_09", kValor).valid(recalcula);
    form.edita(r, "I5_10", kValor).valid(recalcula);
    mostra();
    form.roda();
    if (a.grade.TECLAMUDA || a.grade.ULTTECLA != 0) return;
  }
}

void rebanho(AmbienteTela& a, const Fundo& f) {
  store::RegistroEspelho& r = a.espelho().rural;
  taxcalc::CALCRUR(a.calc, estadoRural(a), 15);
  rodapeRural(a, 4);
  Formulario form(a, f);
  const auto finais = [&a, &form] {
    const std::array<rt::text::Decimal, 5> t = taxcalc::totaisRebanho(a.calc);
    for (int i = 0; i < 5; ++i) form.mostra("I7_T" + std::to_string(i + 1), taxcalc::textoRebanho(t[static_cast<std::size_t>(i)]), "");
  };
  const Redesenho redesenho(a, [finais](taxcalc::Quadro) { finais(); });
  for (const char* especie : {"B", "S", "C", "A", "V1"}) {
    for (int coluna = 1; coluna <= 5; ++coluna) {
      const std::string codigo = std::to_string(coluna) + especie;
      form.edita(r, "I7_" + codigo, "@Ez 999,999").valid([&a, codigo] {
        // A count that would leave a negative stock is said and refused.
        if (std::optional<std::string> recusa = taxcalc::CALCRUR(a.calc, estadoRural(a), 15, codigo)) {
          console::AVISOSN(a.ctx, *recusa, 0);
          return false;
        }
        return true;
      });
    }
  }
  finais();
  form.roda();
}

}  // namespace screens

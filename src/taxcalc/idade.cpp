#include "taxcalc/idade.h"

#include <array>
#include <string_view>

#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "taxcalc/tax_year.h"

namespace taxcalc {

using namespace rt::text::literals;

Idade DIZANOS(rt::text::Date nascimento, rt::text::Date hoje) {
  Idade r{std::string(3, ' '), std::string(2, ' '), {}};
  if (nascimento.isEmpty() || nascimento > rt::text::Date::fromYmd(kAnoBase, 12, 31)) return r;
  r.anos = rt::text::str(kAnoBase - nascimento.year(), 3);
  r.meses = rt::text::str(12 - nascimento.month(), 2);
  if (hoje.isEmpty() || hoje.month() != nascimento.month()) return r;
  const int faltam = nascimento.day() - hoje.day();
  if (faltam == 0) {
    r.aviso = "Faz Aniversário Hoje  "_cp;
  } else if (faltam == 1) {
    r.aviso = "Faz Aniversário Amanha"_cp;
  } else if (faltam >= 2 && faltam <= 5) {
    // The weekday of this year's birthday, "n" + "o Domingo" reading "no Domingo".
    static const std::array<std::string_view, 7> kDias = {"o Domingo"_cp, "a Segunda"_cp, "a Terça  "_cp,
                                                          "a Quarta "_cp, "a Quinta "_cp, "a Sexta  "_cp,
                                                          "o Sábado "_cp};
    const int dia = rt::text::dow(hoje + faltam);
    r.aviso = std::string("Aniversário n"_cp) + std::string(kDias[static_cast<std::size_t>(dia - 1)]);
  }
  return r;
}

int anoLimiteDependente(int codigo) {
  if (codigo == 21 || codigo == 24 || codigo == 41) return kAnoBase - 22;
  if (codigo == 22 || codigo == 25) return kAnoBase - 25;
  return 0;
}

bool passouDaIdade(int codigo, rt::text::Date nascimento) {
  const int limite = anoLimiteDependente(codigo);
  return limite != 0 && !nascimento.isEmpty() && nascimento.year() < limite;
}

}  // namespace taxcalc

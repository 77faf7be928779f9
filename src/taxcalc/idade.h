// The taxpayer's or a dependant's age as the identification screen and the detail popups show
// it, with the birthday hint.
#pragma once

#include <string>

#include "rt/text/date.h"

namespace taxcalc {

struct Idade {
  std::string anos;   // 3 columns: years at the end of 2009 (2009 - birth year)
  std::string meses;  // 2 columns: 12 - birth month
  std::string aviso;  // the birthday hint, shown in the attention colour; empty when none
};

// DIZANOS(birth date): blanks for an empty date or one after 31/12/2009. In the birthday's
// month, `hoje` decides the hint: "Faz Aniversário Hoje  ", "Faz Aniversário Amanha", or, 2 to 5
// days ahead, "Aniversário no Domingo" and the like for the weekday the birthday falls on.
Idade DIZANOS(rt::text::Date nascimento, rt::text::Date hoje);

// The dependants' age limit: the first birth year a dependant of `codigo` may have and still be
// one in the tax year (tax_year.h). A child or grandchild (21, 24) and a poor minor raised by
// the taxpayer (41) stay while at most 22 at the year's end (born in kAnoBase - 22, 1987, or
// later), a student (22, 25) while at most 25 (1984); 0 for a code without an age limit.
int anoLimiteDependente(int codigo);
// Whether a dependant of `codigo` born on `nascimento` is past that limit (never without a
// birth date).
bool passouDaIdade(int codigo, rt::text::Date nascimento);

}  // namespace taxcalc

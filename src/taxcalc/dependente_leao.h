// The dependant's CPF typed for the monthly self-assessed tax (the dependant's monthly grid of
// screen 2 and the carnê-leão payment slip): it must be a valid CPF of one of the declaration's
// dependants (copy 23); one that is not, or none, is picked from the dependants' list.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "console/contexto.h"
#include "taxcalc/contexto.h"

namespace taxcalc {

// The dependants' pick list as the screen opens it for field `campo` ("M->CPFDEPEN" on the
// monthly grid and the payment slip, "I1_8" on the incomes grid): the CPF chosen, empty after
// Esc. The list belongs to the console and is plugged in by the screen that checks the field.
using ListaDependentes = std::function<std::string(std::string_view campo)>;

struct CpfDependente {
  // The field may be left. False keeps the cursor in it: an invalid CPF, or none of the
  // dependants taken.
  bool aceito = false;
  // M_CPFDEPEN: the dependant's CPF the field is to hold (the one typed when it is a
  // dependant's, else the one chosen in the list); blank when none was taken.
  std::string M_CPFDEPEN = std::string(11, ' ');
};

// VE_RELDEP(cpf, field): an empty CPF opens the list; a CPF among the dependants is taken; any
// other gives "CPF digitado nao consta na relação dos dependentes" and the list. In every case
// the incomes copy (area 22) is then filtered again on the income kind `I1_1` the screen shows
// (the list leaves the area it ran over unfiltered).
CpfDependente VE_RELDEP(Contexto& c, std::string_view cpf, std::string_view campo, std::string_view I1_1,
                        const ListaDependentes& lista);

// VERCPFDEPE(cpf): the CPF's check digits (VAL_CPF, which shows its own notice), then
// VE_RELDEP for field "M->CPFDEPEN".
CpfDependente VERCPFDEPE(Contexto& c, console::Contexto& tela, std::string_view cpf, std::string_view I1_1,
                         const ListaDependentes& lista);

}  // namespace taxcalc

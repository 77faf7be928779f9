// A declaration for the gains' tests: the computation's full fixture with the cost rows and
// share movements (area 28) open beside the gains copy (area 27).
#pragma once

#include "../taxcalc/copias_extras.h"

namespace gains::teste {

class DeclaracaoGanhos : public taxcalc::teste::DeclaracaoCompleta {
 protected:
  DeclaracaoGanhos();

  // An operation row of area 27 (number `bem`), left current.
  void operacao(int bem, Campos campos);
  // A cost row or share movement of operation `bem`.
  void custo(int bem, int seq, Campos campos);
  // Field `campo` of the cost row `seq` of operation `bem`.
  rt::text::Decimal campoCusto(int bem, int seq, const char* campo);
  // Field of the current operation row.
  rt::text::Decimal campo(const char* nome) { return tabela(store::Area::TMP_07).getNumber(nome); }
};

}  // namespace gains::teste

// The declaration of the computation's tests with the further tables the monthly tax, the
// rural result, the balance and the check read: the gains copy (27), the error list (31), the
// carnê-leão rows (32), the rural copies (36, 38, 39), the interest table UFIRM (51), the
// checker's messages LisErro (54, filled from the shipped seed) and the detail table (68).
#pragma once

#include <string>

#include "declaracao_fixture.h"

namespace taxcalc::teste {

class DeclaracaoCompleta : public DeclaracaoTeste {
 protected:
  DeclaracaoCompleta();

  // The interest rate of month "YYYYMM" in UFIRM.
  void taxa(const char* anomes, Decimal tjm);
  // The titular's (cpf empty) or a dependant's row of copy 32; returns its record number.
  std::uint32_t linhaLeao(const char* cpf = "");
  // Writes month `mes` (13 the year) column `coluna` (2..8) of the current row of copy 32.
  void celula32(int mes, int coluna, Decimal valor);
};

}  // namespace taxcalc::teste

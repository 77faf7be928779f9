// Screen 10, the yearly cash-flow balance: receipts against expenses as the balance computation
// leaves them, the surplus or deficit with its share of the receipts, the monthly averages, and
// the detail lists of the balance lines (Alt-F1 ..) in the terminal's scratch table 68.
#pragma once

#include <string>
#include <vector>

#include "rt/text/decimal.h"
#include "screens/ambiente.h"
#include "screens/fundos.h"
#include "taxcalc/balanco.h"

namespace screens {

// The detail rows' shares are the balance computation's.
using taxcalc::percentualBalanco;

struct LinhaDetalhe {
  std::string DESCRICAO;
  rt::text::Decimal VALORDOC, PERCRECE, PERCDESP;
};

// The rows of detail list k (1 taxable, 2 exempt, 3 exclusively taxed, 9 declared expenses):
// each item that is not zero with its share, then the total row. Empty when no item is above
// zero. The expenses list brings its remaining deductions from the balance computation.
std::vector<LinhaDetalhe> linhasDetalhe(taxcalc::Contexto& c, int k);

// B_DETAL_k: the list in table 68 and its grid, or "Nada declarado".
void B_DETAL(AmbienteTela& a, int k);

// The fee screen 10 proposes for a declaration of `segundos` of work and `bytes` of data: the
// office's fee rule (console::calculaHonorarios), never below the minimum, also with no time
// spent (where the fee list charges nothing).
rt::text::Decimal VALCALC(long long segundos, long long bytes, const AmbienteTela::Honorarios& h);

// The balance screen.
void balanco(AmbienteTela& a, const Fundo& f);

}  // namespace screens

// The gains' part of the matrix grid: an instalment month of REC_GANHO and a variable-income
// month of MRENVAR recomputed after a cell changed.
#pragma once

#include "grid/matriz.h"

namespace gains {

class ServicosMatrizGanhos : public grid::ServicosMatriz {
 public:
  // The instalment of month `linha` of the operation on the current row of the gains copy:
  // its taxable gain (column 1) and tax (column 2), and the totals row 13.
  void FX_GANHO(taxcalc::Contexto& c, grid::Matrizes& m, int linha) override;
  // Lines 14-25 of every month; a withholding cut to the tax due is said.
  void SOMA_RENVAR(taxcalc::Contexto& c, grid::Matrizes& m, int coluna, rt::text::Decimal valor) override;
};

}  // namespace gains

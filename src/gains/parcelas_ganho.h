// The instalments of a sale in instalments (screen 12's matrix REC_GANHO), opened from the
// form of screen 8: the months come from the operation's stored monthly fields and go back into
// them, so the statement and the export read what the matrix showed.
#pragma once

#include "grid/matriz.h"
#include "rt/db/table.h"
#include "taxcalc/gravacoes.h"

namespace gains {

// The months of the operation on the current row of `operacao` into `m.REC_GANHO`: column 1
// VAL_TRI, 2 IMP_DEV, 4 REC_MES, and for shares (TIPOPART 1) 5 IMP_LEI and 6 IMP_PAG, else 5
// IMP_PAG; row 13 their sums.
void carregaParcelas(const rt::db::Table& operacao, grid::Matrizes& m);

// The amounts the user gives (columns 4, 5 and 6) back into the current row of `operacao`.
void gravaParcelas(rt::db::Table& operacao, const grid::Matrizes& m, taxcalc::Gravacoes& grava);

// The matrix of the operation on the current row of the gains copy, computed first so each
// month takes the current taxable share, run until the user leaves it; afterwards the gain is
// computed again from the months stored.
void PARCELAS(grid::AmbienteMatriz& a);

}  // namespace gains

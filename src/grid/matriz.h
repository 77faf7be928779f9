// The matrix grid: the monthly matrices of a declaration (screens 7, 12, 14, 16 and 37) shown
// and edited with the keys of the table grid. A cell holds its amount (or, in a text column,
// its text) and is drawn in its column's picture; after
// every change of a cell, typed, pasted, fetched or computed, the matrix's own recomputation
// runs (the month's tax, the currency conversion, the totals row), so the totals are never
// stale. The carnê-leão matrix has its calculation modes (Alt+A) and opens the month's entries
// in a table grid; the rural matrix opens the cash book and marks the months whose expenses
// exceed their receipts.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "grid/estado.h"
#include "grid/matriz_dados.h"
#include "rt/text/decimal.h"
#include "store/contexto.h"
#include "taxcalc/contexto.h"

namespace grid {

// What the matrix grid calls in other subsystems. The defaults: the nested grids through
// EDITA, the gains and variable income leave their matrices as they are, no calling field.
class ServicosMatriz {
 public:
  virtual ~ServicosMatriz() = default;
  // A table grid opened from a cell (17, 18, 24 of the carnê-leão months, 38 the rural cash book).
  virtual void grade(store::Contexto& ctx, Grade& g, int opc, int modo);
  // FX_GANHO(row): one gain month recomputed.
  virtual void FX_GANHO(taxcalc::Contexto&, Matrizes&, int /*linha*/) {}
  // SOMA_RENVAR(column, value): the variable-income month recomputed.
  virtual void SOMA_RENVAR(taxcalc::Contexto&, Matrizes&, int /*coluna*/, rt::text::Decimal /*valor*/) {}
  // The value of the field being edited on the form that opened the monthly window (Alt+B).
  virtual std::optional<rt::text::Decimal> campoChamador() { return std::nullopt; }
};

struct AmbienteMatriz {
  store::Contexto& ctx;
  Grade& g;
  taxcalc::Contexto& calc;  // the open declaration (its mirror holds REC_MENSAL and REND_RURAL)
  Matrizes& m;
  ServicosMatriz& srv;
};

// The nested grids, the clock, the hints, the monthly window (Alt+U) and the screen keys are
// reached through the grid's own services (Grade::servicos), like the table grid's.

// EDITA of a matrix screen: the screen's columns loaded into the grid's arrays and the matrix
// grid run until the user leaves it (ULTTECLA, TECLAMUDA as in the table grid).
void MBROWSE(AmbienteMatriz& a, int opc);

// FX_RT(matrix name, row, column): the totals row of a matrix (and the conversion of CALC_MENS).
std::optional<std::string> FX_RT(AmbienteMatriz& a, std::string_view nome, int linha, int coluna);

// MARCA_NEG: the months (all twelve) whose rural expenses exceed their receipts, marked in
// MES_NEG and on the form. True when some month is.
bool MARCA_NEG(AmbienteMatriz& a);

// SKIP_MATRIZ(rows, row, n): how far a skip of n rows from `linha` can go inside 1..linhas.
int SKIP_MATRIZ(int linhas, int linha, int n);

// ZERADOR: the value columns of CALC_MENS emptied (0, drawn blank).
void ZERADOR(Matrizes& m);

// The carnê-leão mode's title and explanation lines (CAL_AUTO 1-4).
std::string tituloModo(int modo);
std::vector<std::string> explicacaoModo(int modo);

}  // namespace grid

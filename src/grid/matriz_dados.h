// The monthly matrices of an open declaration that are not fields of its tables, and the modes
// of the matrix grid. The carnê-leão months (REC_MENSAL) and the rural months (REND_RURAL) live
// in the record mirror and are saved with it; the others are kept here, owned by the
// declaration driver for as long as the declaration is open. Amounts are held as numbers; a
// column's picture is applied only where the grid draws it, so a total wider than its column
// shows asterisks on the screen and is still exact in the matrix.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "grid/estado.h"
#include "rt/text/decimal.h"
#include "store/espelho.h"
#include "taxcalc/carne_leao.h"

namespace grid {

// A cell of a matrix that mixes text columns with amounts (the gains' month received, the
// variable-income market captions).
using Celula = std::variant<rt::text::Decimal, std::string>;

struct Matrizes {
  // Every amount 0; the gains' month column holds the month captions ("01-Janeiro" ..
  // "<- Totais ->").
  Matrizes();

  // The monthly values of one field (screen 7): column 1 the month's caption (drawn, not
  // held), 2 reais, 3 dollars (or, for the domestic employee's social security, the GPS paid
  // and the employer's part).
  store::MatrizMeses<3> CALC_MENS{};
  // Set by whoever fills CALC_MENS for a payment of code 50.
  bool GPS = false;
  // Gain receipts by month (screen 12), rows 1..13 and columns 1..6 (index 0 unused): column 3
  // is the month received as text, the others amounts. REC_GANHO_COLUNAS is 6 for shares of a
  // participation kind 1, else 5.
  std::array<std::array<Celula, 7>, 14> REC_GANHO{};
  int REC_GANHO_COLUNAS = 5;
  // Variable income (screen 14): one row per market line shown, column 1 the line's caption
  // (text) whose first two characters are the matrix line number, 2..13 the months' amounts.
  std::vector<std::array<Celula, 14>> MRENVAR;
  int DAY_TRADE = 1;  // the variable-income kind of MRENVAR: 1 common, 2 day trade, 3 funds
  // The rural months' totals row, for display only (the months are in the mirror).
  std::array<rt::text::Decimal, 3> TOT_RURAL{};
  // "*" for each month (1..12) whose rural expenses exceed its receipts.
  std::array<char, 12> MES_NEG{' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
  // The month and kind the rural cash book is opened for from the matrix or an asset row.
  int MESATI = 0;
  // The name of the carnê-leão matrix being edited.
  std::string MATATU = "REC_MENSAL";
  // Current row of the matrix grid, and the row remembered while it runs (the current column
  // is the grid's POSHORMAT).
  int NLIN = 1;
  int POSVERMAT = 1;
  // What the carnê-leão computation keeps between its runs.
  taxcalc::EstadoLeao leao;
};

// One cell of a matrix reached by name: an amount, an editable text, or a fixed caption (the
// month names). Outside the matrix all three are empty.
struct CelulaRef {
  rt::text::Decimal* valor = nullptr;
  std::string* texto = nullptr;
  std::string rotulo;
  bool dentro() const { return valor != nullptr || texto != nullptr || !rotulo.empty(); }
};

// A matrix reached by its name, as the old code reached it through MATATU: its size and its
// cells. The rural totals row 13 is the display row of Matrizes.
struct MatrizRef {
  std::string nome;  // upper case
  int linhas = 0;
  int colunas = 0;
  std::function<CelulaRef(int linha, int coluna)> cel;
  explicit operator bool() const { return static_cast<bool>(cel); }
};

// "REC_MENSAL", "CALC_MENS", "REC_GANHO", "MRENVAR", "REND_RURAL" in any case; an empty
// reference for another name.
MatrizRef MATATU(Matrizes& m, store::EspelhoDeclaracao& d, std::string_view nome);

// The months of one value into the monthly window's matrix CALC_MENS (rows 1-12, row 13 their
// totals, GPS for the domestic employee) and back, for the monthly window (MUDATEL13).
void poeMeses(Matrizes& m, const MesesValor& v);
void tiraMeses(const Matrizes& m, MesesValor& v);

// The month names of the monthly window's column 1 ("Janeiro  " .. "Dezembro ", row 13
// "Total    ").
std::string nomeMes(int linha);
// The month captions of the carnê-leão matrix's column 1 ("01-Jan" .. "12-Dez", row 13
// "Totais").
std::string rotuloMes(int linha);

}  // namespace grid

// The matrix screens as records: the matrix each shows, its columns with their headings and
// pictures, where it stands, what stays frozen, and what its cells allow and set off. Internal
// to the matrix grid.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "grid/matriz.h"
#include "grid/tela.h"
#include "rt/term/screen.h"
#include "rt/text/decimal.h"

namespace grid {

struct ColunaMatriz {
  ColunaMatriz(std::string_view d, std::string_view m) : desc(d), masc(m) {}
  std::string desc;
  std::string masc;
};

// Enter on a month's column of the carnê-leão: the table grid of the month's entries (0: none
// for this column), the cash book's side it is opened on ("" none) or, said instead, why the
// column opens none in this mode.
struct LancamentosMes {
  int tela = 0;
  std::string tipoCr{};
  std::vector<std::string> recusa{};
};

struct TelaMatriz {
  int opc = 0;
  std::string nome;
  std::vector<ColunaMatriz> colunas;
  rt::term::Rect ret;
  int congela = 0;
  bool janela6 = false;  // inside window 6 with its frame
  bool rodape = false;   // footing separator
  // What the matrix's keys do on this screen.
  bool calcula = false;       // Alt+S: the calculator's result goes into the cell
  bool divideMensal = false;  // Alt+U: the cell's amount split over the months
  bool buscaCampo = false;    // Alt+B: the amount brought from its field
  bool colunaDoMes = false;   // column 1 holds the month's name (drawn 9 wide, not typed)
  int primeiraColuna = 0;     // the column the cursor starts on (0: the browse's own)
  // The carnê-leão's months: End stops at the last column that has entries (Enter opens them:
  // `lancamentos`).
  bool lancamentosLeao = false;
  // The rural cash book's two sides (column 1 receipts "C", 2 expenses "D"): Enter opens the
  // month's entries of the side (38) unless only totals are kept, Alt+A switches between only
  // totals and the book, the cursor stays on the two value columns, the totals row is
  // computed and the negative months marked when it opens.
  bool livroRural = false;
  int dica = 0;               // footer hint (0 none)
  bool dicaRural = false;     // the hint is one of the rural screens' (MRODAPER)

  // Whether the cell (row, column) may be edited; the refusal text, when the screen gives one,
  // in `motivo` (a refusal with a text may still allow the edit: line 26 of a day-trade matrix).
  bool (*editavel)(const AmbienteMatriz& a, int linha, int coluna, std::string* motivo) = nullptr;
  // The recomputation after cell (row, column) took a new value: the same after a typed value,
  // a paste, the calculator and the monthly window. A refusal of the computation (the
  // employer's column of the domestic employee) comes back as its text, the cell restored to
  // the amount `anterior` (only amounts are ever refused).
  std::optional<std::string> (*recalcula)(AmbienteMatriz& a, int linha, int coluna, rt::text::Decimal anterior) = nullptr;
  // What Enter on a cell opens instead of its edit (none: the cell is edited).
  std::optional<LancamentosMes> (*lancamentos)(int coluna, int modo) = nullptr;
};

// Screen `opc` (7, 12, 14, 16, 37) as the declaration stands; no columns for another number.
TelaMatriz telaMatriz(const AmbienteMatriz& a, int opc);

// The width a picture shows ("@Ez 9999,999.99" 11, "@s10" 10).
int larguraMascara(std::string_view masc);
// The decimal places of a number picture ("@Ez 9999,999.99" 2).
int decimaisMascara(std::string_view masc);
// Whether an amount shows in a picture without asterisks: what a cell may be given.
[[nodiscard]] bool cabeNaMascara(rt::text::Decimal v, std::string_view masc);

}  // namespace grid

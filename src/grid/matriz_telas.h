// The matrix screens as data: the matrix each shows, its columns with their headings and
// pictures, where it stands and what stays frozen. Internal to the matrix grid.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "grid/matriz.h"
#include "rt/term/screen.h"
#include "rt/text/decimal.h"

namespace grid {

struct ColunaMatriz {
  ColunaMatriz(std::string_view d, std::string_view m) : desc(d), masc(m) {}
  std::string desc;
  std::string masc;
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
  // Enter on a month's column opens that month's carnê-leão entries (17, 18 or 24 by the mode
  // and the column); End stops at the last column that has entries.
  bool lancamentosLeao = false;
  // The rural cash book's two sides (column 1 receipts "C", 2 expenses "D"): Enter opens the
  // month's entries of the side (38) unless only totals are kept, Alt+A switches between only
  // totals and the book, the cursor stays on the two value columns, the totals row is
  // computed and the negative months marked when it opens.
  bool livroRural = false;
  int dica = 0;               // footer hint (0 none)
  bool dicaRural = false;     // the hint is one of the rural screens' (MRODAPER)
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

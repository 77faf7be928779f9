// One grid screen as a record: the work area it edits, its columns and the checks of their
// cells, the window, the frozen columns, the hint, the totals it takes and what the grid's keys
// do on it. The program's numbered screens are such records (telas.h); another program builds
// its own with designated initializers and runs it through EDITA the same way.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "grid/tracos.h"
#include "rt/db/table.h"
#include "rt/term/screen.h"
#include "rt/ui/binding.h"
#include "store/areas.h"

namespace grid {

struct Coluna {
  std::string campo{};    // TABCAMPO: what the column shows, as the old display expression
  std::string cpoin{};    // TABCPOIN: the field the cell edits
  std::string masc{};     // TABMASC
  std::string desc{};     // TABDESC
  int mostra = 0;       // shown as its first n characters (0: as the picture gives)
  std::string valida{};   // the cell check, named as the validators name it ("" none)
  std::string antes{};    // the check before the cell is entered: false leaves it unedited
  std::string recalc{};   // the totals recomputed after the cell was written ("" none)
  bool editavel = true;
  // A display computed from the row (status names, percentages); none: the field.
  std::function<rt::ui::Value(const rt::db::Table&)> exibe{};
};

// A column over `cpoin` headed `desc` in picture `masc`, shown as its first `mostra`
// characters (0: whole), with its cell check and the totals it recomputes.
Coluna col(std::string cpoin, std::string_view desc, std::string masc = {}, int mostra = 0, std::string valida = {},
           std::string recalc = {});

// The money and document pictures the screens share.
inline constexpr const char* kDinheiro = "@Ez 99,999,999.99";
inline constexpr const char* kBens = "@ez   999,999,999.99";
inline constexpr const char* kPagto = "@Ez 9999,999.99";
inline constexpr const char* kCpf = "@R 999.999.999-99";

struct TelaGrade {
  int opc = 0;      // the screen's number (0: a screen of another program's own)
  store::Area area = store::Area::Nenhuma;  // none: the area current when the screen opens
  // The rows shown (none: every row of the area).
  std::function<bool(const rt::db::Table&)> filtro{};
  std::vector<Coluna> colunas{};
  int ultPos = 1;          // the last column Enter moves to before it wraps to the next row
  int primeiraColuna = 0;  // the column the cursor starts on (0: the browse's own)
  int congela = 0;         // the frozen columns that name the row
  rt::term::Rect ret{};      // the window rectangle (top, left, bottom, right)
  int moldura = 0;         // 0 none, 1 window 2, 6 window 6
  bool rodape = false;     // a separator under the last row (the screens with totals below)
  int dica = 0;            // footer hint
  bool dicaRural = false;  // the hint is one of the rural screens' (MRODAPER)
  std::string mensagem{};    // shown on the status line while the grid runs
  // Totals recomputed before the grid is shown and after it was left ("" none).
  std::string antes{}, depois{};
  // Ctrl+Enter, Alt+R, Ins and Alt+L act on these screens.
  std::string campoLinha{};  // I7_0, I8_0, I8R_0, I9R_0
  std::string campoItem{};   // I7_1, I8_1, ITEM
  Tracos tracos{};           // what the grid's keys do on this screen
  bool buscaDespesas = false;  // an empty list is rebuilt from the assets first (BUSCA_DESP)
  // A cell written changes what other rows show: every row is drawn again after it.
  bool redesenhaCelula = false;
  // Only looked through: no cell opens, no row is added, removed or marked.
  bool soLeitura = false;
  // Not opened: this is said instead (the screen does not apply as the grid state stands).
  std::string recusa{};
  // After the grid was left: the rural hint shown again (0 none) and the area its totals are
  // taken in (none: the screen's own).
  int dicaDepois = 0;
  store::Area areaDepois = store::Area::Nenhuma;
  // The footings under the columns, one a column in their order ("" none); any given draws the
  // separator above them.
  std::vector<std::string> rodapes{};
  // Enter on a row hands the row here before its cell is edited (a list another dialog picks
  // a value from); the new row being added is no row yet and is not handed.
  std::function<void(const rt::db::Table&)> aoEnter{};
  // The question Del asks before it removes a row ("" the grid's own).
  std::string perguntaApaga{};
};

}  // namespace grid

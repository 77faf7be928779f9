// The numbered grid screens as data: work area, filter, columns, last column, window, frozen
// columns and what each cell checks. EDITA loads a screen's columns into the grid's arrays.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "grid/estado.h"
#include "grid/tracos.h"
#include "rt/db/table.h"
#include "rt/term/screen.h"
#include "store/contexto.h"

namespace grid {

struct Coluna {
  std::string campo;    // TABCAMPO: what the column shows, as the old display expression
  std::string cpoin;    // TABCPOIN: the field the cell edits
  std::string masc;     // TABMASC
  std::string desc;     // TABDESC
  int mostra = 0;       // shown as its first n characters (0: as the picture gives)
  std::string valida;   // the cell check, named as the validators name it ("" none)
  std::string antes;    // the check before the cell is entered: false leaves it unedited
  std::string recalc;   // the totals recomputed after the cell was written ("" none)
  bool editavel = true;
  // A display computed from the row (status names, percentages); none: the field.
  std::function<rt::ui::Value(const rt::db::Table&)> exibe;
};

struct TelaGrade {
  int opc = 0;
  int area = 0;  // 0: the current area
  std::vector<Coluna> colunas;
  int ultPos = 1;
  rt::term::Rect ret;  // the window rectangle (top, left, bottom, right)
  int moldura = 0;     // 0 none, 1 window 2, 6 window 6
  int congela = 0;
  // Only looked through: no cell opens, no row is added, removed or marked.
  bool soLeitura = false;
  int dica = 0;  // footer hint
  bool dicaRural = false;  // the hint is one of the rural screens' (MRODAPER)
  bool rodape = false;
  std::string mensagem;  // shown on the status line while the grid runs
  std::function<bool(const rt::db::Table&)> filtro;
  // Totals recomputed before the grid is shown and after it was left ("" none).
  std::string antes, depois;
  // Ctrl+Enter, Alt+R, Ins and Alt+L act on these screens.
  std::string campoLinha;  // I7_0, I8_0, I8R_0, I9R_0
  std::string campoItem;   // I7_1, I8_1, ITEM
  Tracos tracos;           // what the grid's keys do on this screen
  int primeiraColuna = 0;  // the column the cursor starts on (0: the browse's own)
  bool buscaDespesas = false;  // an empty list is rebuilt from the assets first (BUSCA_DESP)
  // Not opened: this is said instead (the screen does not apply as the grid state stands).
  std::string recusa;
  // After the grid was left: the rural hint shown again (0 none) and the area its totals are
  // taken in (0 the screen's own).
  int dicaDepois = 0;
  int areaDepois = 0;
};

// The screen `opc` as the grid's state asks for it (DECFINAL, TIPO_BEM, the rural side ...);
// nothing for a number that is no table screen (the matrix screens are not here).
std::optional<TelaGrade> telaGrade(store::Contexto& ctx, Grade& g, int opc, int modo);

// The screen's columns into the grid's arrays (TABCAMPO, TABCPOIN, TABMASC, TABDESC), with
// their count and the last editable position.
void carregaColunas(Grade& g, const TelaGrade& tela);

// The numbers of the table screens and of the matrix screens.
const std::vector<int>& telasTabela();
const std::vector<int>& telasMatriz();

// Headings of the value columns of the assets and debts, from DECFINAL.
void cabecalhosAnos(Grade& g);

}  // namespace grid

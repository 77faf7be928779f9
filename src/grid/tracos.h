// What the grid's keys do differently on each grid screen, as data of the screen's record: the
// loop asks for the trait, never for the screen's number.
#pragma once

#include <string>
#include <vector>

namespace grid {

// The list a page key widens to the whole page (Alt+Z, Alt+X on the assets and debts page).
enum class Ampliacao { nenhuma, bens, dividas };

struct Tracos {
  bool cresce = false;        // Down past the last row opens a new row (unless read-only)
  bool colaNova = false;      // Alt+V pastes into a new row
  bool navega = false;        // F4-F10, Alt+F1/F11, Alt+F2/F12 and Alt+S (calculator) act; F1-F3
                              // go to their pages too (elsewhere they choose an order or nothing)
  bool horizontal = false;   // Alt+I/Alt+H: the monthly layout of the page
  bool relogio = false;       // a declaration's own grid: waits with the idle clock, Alt+T
  bool escolhe = false;       // Ctrl+Enter takes the row back to the calling screen
  bool lembra = false;        // Ctrl+Enter opens the remembered lines list
  bool insereVarias = false;  // Alt+L inserts several lines after the item
  bool apaga = false;         // Del removes the row
  bool marcaTodos = false;    // Alt+(+) and Alt+(-) mark and unmark every row
  bool registro = false;      // F1-F3 choose the register list's order
  bool ordemDireta = false;   // ... F1 the first order and F2 the second (the converter's
                              // selection list: name, CPF), where the register's are swapped
  bool desmarcaEmBranco = false;  // Alt+(-) leaves the mark blank rather than "N"
  bool ordemEstatus = false;  // ... F3 the status order among them
  bool marcaDevedores = false;  // Alt+(+) marks only those with more than one quota or slip due
  bool notas = false;         // the notes and pending items: Ctrl+Enter opens the item's page,
                              // Ins clears a note's fields (OBSERV, CODERR, PAGINA)
  bool dependentes = false;   // Del takes the dependant's rows with it and renumbers the others
  bool poupanca = false;      // the savings: FCALPOUPA asked before the grid and after Del,
                              // the footings from MATAUX
  bool pagamentos = false;    // the payments: Alt+U keeps the employer's social security of a
                              // GPS row (code 50) beside the months and FDOAPAG checks the
                              // total; Ctrl+Enter remembers the payee (list 53)
  bool mesDaColuna = false;   // Alt+U on a one-month cell shows the month the cursor stands on
  std::string indiceOrdem = "TMP_02";  // the work index Alt+O sorts through
  bool dolarDoMes = false;    // Alt+U converts one month's dollars (not the monthly grid)
  bool longas = false;        // long texts: the bell and confirmation on a full cell
  bool ordena = false;        // Alt+O sorts by the first order
  bool subtotais = false;     // Alt+(+) sorts by the second order, Alt+1/Alt+2 subtotal
  bool insereAntes = false;   // Ins inserts a row before (screens without line numbers)
  bool marcaPasta = false;    // a mark key typed anywhere on the row marks the folder
  bool boletoUnico = false;   // Ins issues one bank slip
  bool gravaCpf = false;        // a new row is stamped with the taxpayer's CPF
  bool gravaAtividade = false;  // ... and with the rural side (ATV_BRASIL)
  // What else a new row is stamped with: the income kind (I1_1: "J" the titular's, "D" the
  // dependants'), the open carnê-leão grid's kind, owner and dependant (I1_1, I1_11, I1_8),
  // the side of the cash book (TIPOCR), the capital gain's asset (BEM_NRO), the kind of the
  // capital-gain operation by the page it was opened from (TIPO), and the line-number field
  // given the record number times 10 while it is still zero.
  std::string tipoRendimento{};
  bool gravaLeao = false;
  bool gravaTipoCr = false;
  bool gravaBem = false;
  bool gravaTipoOperacao = false;
  std::string campoNumerado{};
  // The text and code fields of the remembered texts (list 31) on the screens that keep them.
  std::string textoLembrado{}, codigoLembrado{};
  // Alt+U: the cells kept month by month (each field's months are named after it: I1_401 ..)
  // and the cells that take one value for a month.
  std::vector<std::string> mesAMes{}, umMes{};
  // Enter types the value month by month: on every column (-1), on this column, or never (0).
  int mensalNoEnter = 0;
  int aninhaF4 = 0;           // the screen Alt+F4 nests into (0 none)
  int aninhaF5 = 0;           // ... Alt+F5
  int aninhaF6 = 0;           // ... Alt+F6
  Ampliacao ampliaAltZ = Ampliacao::nenhuma;  // the list Alt+Z widens
  Ampliacao ampliaAltX = Ampliacao::nenhuma;  // the list Alt+X widens
  // The totals recomputed after the calculator's result (Alt+S) went into a cell ("" none).
  std::string recalculoCalculadora{};
};

// The traits of the numbered grid screen `opc` (none for a number that is no grid screen).
Tracos tracosDaTela(int opc);

// What the grids' keys do differently on a page of the open declaration (the driver's TELA),
// whichever grid runs there.
struct TracosPagina {
  bool modoLeao = false;        // Alt+A cycles the carnê-leão's mode, Alt+N the receipts only
  bool juntaDescricao = false;  // Alt+J appends the copied text to an asset's description
  bool buscaDespesas = false;   // Alt+B rebuilds the asset-maintenance list
  // The kind a capital-gain operation opened from this page is stamped with (TIPO).
  std::string tipoOperacao = "B";
  // The page Alt+Z and Alt+X go to (0 none): from the assets and debts page the list in use
  // widened to the whole page (`ampliada` there), and back from it.
  int altZ = 0, altX = 0;
  bool ampliada = false;
  // The page's form edits the identification (1, 4) or the register's (7) variables: they go
  // into their working copy before its size is measured.
  bool copiaIdentificacao = false, copiaRegistro = false;
  // The summary page: its dollar field (I13_24) is converted month by month through Ctrl+Enter,
  // and a conversion leaves the field in its read.
  bool resumo = false;
  // The page a screen asked for beyond the last one goes back to (not the balance page).
  bool retorno = true;
  // The page holds the spouse's values with the spouse's CPF: clearing the CPF here takes the
  // link off and clears them (on the identification page it only clears the CPF).
  bool valoresConjuge = false;
};

// The traits of page `tela` of the open declaration (0: none open).
TracosPagina tracosDaPagina(int tela);

}  // namespace grid

// The grid editor's state and what it calls outside itself.
//
// The old program kept the grid's column arrays, the copy buffer and the keys that left a grid
// in program-wide variables; here they live in one `Grade` that the shell owns and hands to
// every EDITA, made of parts by what they hold (the columns, the cursor, the keys, the copy
// buffer, the open declaration's reference, what a screen is opened for, what grids keep). The driver owns the screen keys and the change request (ULTTECLA, TECLAMUDA);
// until it exists they are kept here, where the grid sets them and the driver reads them.
//
// Totals, validators, the screen keys and the monthly grid belong to other subsystems: the
// grid reaches them through `ServicosGrade`, whose defaults do nothing (every check accepts),
// and the shell plugs the real ones in.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "console/calculadora.h"
#include "grid/tela_aberta.h"
#include "grid/tracos.h"
#include "rt/text/decimal.h"
#include "rt/ui/binding.h"
#include "store/contexto.h"
#include "store/cpf.h"

namespace grid {

struct Grade;

// The twelve months of one value as the monthly grid (screen 7) shows them: the amount in reais
// and a second column, the amount in dollars or, for a domestic employee's social security
// (payment code 50), the employer's part that is deducted.
struct MesesValor {
  std::array<rt::text::Decimal, 12> reais{};
  std::array<rt::text::Decimal, 12> segunda{};
  bool GPS = false;
};

// The exempt and exclusive incomes typed on the declaration's screen whose lists the savings
// grid takes up as rows of its own (I3_12D with I3_12, I4_05D with I4_05).
struct ListasPoupanca {
  std::string I3_12D;
  rt::text::Decimal I3_12;
  std::string I4_05D;
  rt::text::Decimal I4_05;
};

class ServicosGrade {
 public:
  virtual ~ServicosGrade() = default;
  // A cell check named as the screen catalogue names it ("TES_COD(3)", "VAL_CPF",
  // "CPFCGC" ...), on the value typed; false keeps the cursor in the cell. A check may change
  // the value (a CPF formatted) and may store values of its own through F_TROCA.
  virtual bool valida(store::Contexto&, Grade&, std::string_view /*nome*/, rt::ui::Value& /*valor*/) { return true; }
  // A total recomputed after a cell was written ("FI1_T(1)", "FI7_T(5)", "SOMA_DIV" ...): the
  // computation's form-line functions and CALC.
  virtual void recalcula(store::Contexto&, Grade&, std::string_view /*nome*/) {}
  // The screen keys of the driver: QUETEL(n), MUDATEL1, MUDATEL12, MUDATEL14, ESC_HORIZ.
  // True when the driver asks for another screen (the grid then leaves).
  virtual bool QUETEL(store::Contexto&, Grade&, int /*n*/) { return false; }
  virtual bool MUDATEL1(store::Contexto&, Grade&) { return true; }
  virtual bool MUDATEL12(store::Contexto&, Grade&) { return false; }
  virtual bool MUDATEL14(store::Contexto&, Grade&) { return false; }
  virtual bool ESC_HORIZ(store::Contexto&, Grade&) { return false; }
  // The declaration save (Alt+W).
  virtual void SAL_DEC(store::Contexto&, Grade&) {}
  // The status description of a register row (ve_stat(ESTATUS, pos)).
  virtual std::string VE_STAT(store::Contexto&, int /*estatus*/, int /*pos*/) { return {}; }
  // Dependants numbered and counted again after one was deleted.
  virtual void NRODP(store::Contexto&, Grade&) {}
  // The savings grid's totals; mode 0 asks before replacing typed values. False refuses.
  virtual bool FCALPOUPA(store::Contexto&, Grade&, int /*modo*/) { return true; }
  // The matrix screens (7, 12, 14, 16, 37) run in the matrix grid.
  virtual void matriz(store::Contexto&, Grade&, int /*opc*/, int /*modo*/) {}
  // The monthly window of a value (MUDATEL13): the twelve months of the cell, the new total.
  // Superseded by MUDATEL13 below; the grid no longer calls it.
  virtual std::optional<rt::text::Decimal> mensal(store::Contexto&, Grade&, std::string_view /*campo*/) {
    return std::nullopt;
  }
  // MUDATEL13: the monthly grid (screen 7) over `meses`, which the user edits in place. With
  // `mes` above 0 the grid starts from one month holding `valor` (the asset, debt and expense
  // cells); with 0 the months are the row's own. The new total in reais, nothing when the grid
  // was not shown (the cell then keeps its value).
  virtual std::optional<rt::text::Decimal> MUDATEL13(store::Contexto&, Grade&, MesesValor& /*meses*/, int /*mes*/,
                                                     rt::text::Decimal /*valor*/) {
    return std::nullopt;
  }
  // The carnê-leão's self-paid social security (CARNEINSS for the titular, CARNEDEPEN for a
  // dependant) set from the months of a kind "P" row.
  virtual void CARNE_PREVIDENCIA(store::Contexto&, Grade&, std::string_view /*variavel*/, rt::text::Decimal /*total*/) {}
  // The time-of-use clock of the open declaration: VETEMPO shows it, PARA_REL adds the time so
  // far to the declaration's use, DESLIG_RELG pauses it or lets it run again (Alt+T), SEMHORA
  // says whether it is paused (true: paused), and INI_DECLA starts counting again from now.
  virtual void VETEMPO(store::Contexto&, Grade&) {}
  virtual void PARA_REL(store::Contexto&, Grade&) {}
  virtual void DESLIG_RELG(store::Contexto&, Grade&) {}
  [[nodiscard]] virtual bool SEMHORA(store::Contexto&, Grade&) { return false; }
  virtual void INI_DECLA(store::Contexto&, Grade&) {}
  // BUSCA_DESP (Alt+B): the asset-maintenance list rebuilt from the assets.
  virtual void BUSCA_DESP(store::Contexto&, Grade&) {}
  // UNICO_BOL (Ins on screen 45): one bank slip issued; the office keeps its number.
  virtual void UNICO_BOL(store::Contexto&, Grade&) {}
  // The footer hint of a screen on the message line: MRODAPE(k) for the declaration's grids,
  // MRODAPER(k) for the rural ones.
  virtual void MRODAPE(store::Contexto&, Grade&, int /*k*/) {}
  virtual void MRODAPER(store::Contexto&, Grade&, int /*k*/) {}
  // The lists of exempt and exclusive incomes the savings grid takes up; nothing outside a
  // declaration.
  virtual std::optional<ListasPoupanca> LISTAS_POUPANCA(store::Contexto&, Grade&) { return std::nullopt; }
};

// The parts of the grid's state, each kept for its own reader.

// The screen shown and its columns as loaded into the grid's arrays (TABCAMPO, TABCPOIN,
// TABMASC, TABDESC), with their count and the last editable position. A grid opened from
// inside another saves them and gives them back (GuardaGrade).
struct ColunasGrade {
  // OPC: the screen shown; nested screens save and restore it with the arrays.
  int OPC = 0;
  std::vector<std::string> TABCAMPO, TABCPOIN, TABMASC, TABDESC;
  int N_CAM = 0;
  int ULT_POS = 0;
};

// The cursor and panning: the column and row on screen, the field under the cursor and
// whether the grid is adding a row. Saved and given back with the columns.
struct CursorGrade {
  int PONTEIRO = 1, PONTVERT = 1;
  std::string EDI_CAMPO;
  bool LAPPEND = false;
};

// The keys: the one that started a cell's edit, and the one that left the grid with the change
// request the driver reads (owned by the driver once it exists).
struct TeclasGrade {
  int LASTECLA = 0;
  int ULTTECLA = 0;
  bool TECLAMUDA = false;
};

// The copy buffer shared by every grid (one cell value).
struct TransferenciaGrade {
  std::optional<rt::ui::Value> CLIPTEX;
};

// What the grid reads of the open declaration and the menus.
struct DeclaracaoGrade {
  int OPCAO_1 = 0;  // 11 while a declaration is open
  int TEMP_SAL = 15;
  // Minutes without a key after which a declaration grid stops the time-of-use clock.
  int TEMP_DES = 2;
  // The last month of the year's values (the month the asset and debt cells are split from).
  int ULT_MES = 12;
  // The open declaration's screen state, owned by the shell's driver (none outside a
  // declaration): a row of the pending list sets the screen the driver runs next there.
  TelaAberta* tela = nullptr;
  store::Cpf CPF;  // the open taxpayer
  std::string NOMECONTR;
  std::string DECFINAL = "N";
  std::string ATV_BRASIL = "S";
  std::string TEMRURAL = "N";
  int N_DEPEN = 0;

  bool declaracaoAberta() const { return OPCAO_1 == 11; }
  // What the keys do on the declaration's page the grid was opened from.
  TracosPagina pagina() const { return tracosDaPagina(TELA()); }
  // The declaration's screen running (0 outside a declaration).
  int TELA() const { return tela != nullptr ? tela->TELA : 0; }
};

// What a screen is opened for: the carnê-leão's kind, owner and column, the cash book's side,
// the gain's asset, the register's status order, the rural month.
struct AberturaGrade {
  std::string CPFDEPEN;      // the dependant whose carnê-leão grid is open
  std::string I1_1 = "J";    // kind of the carnê-leão rows being shown
  std::string I1_11 = "S";   // titular ("S") or dependant
  std::string TIPOCR = "C";  // cash-book kind
  int POSHORMAT = 2;         // column of the carnê-leão matrix
  int TIPO_BEM = 1;
  rt::text::Decimal BEM_NRO;
  std::string CTITULO = "Elim.";
  int POSEST = 3;
  // The month (1-12) the rural cash book shows when opened from a month of the rural matrix;
  // 0 shows every month.
  int MESATI = 0;
};

// What the grids keep between runs: headings, footings, the calculator, what a list picked,
// the running line numbers and the marks of the subtotals.
struct MemoriaGrade {
  // The savings grid was not opened: the clerk kept the values typed on the exempt-income
  // screen, so they are not replaced by the grid's sums afterwards.
  bool poupancaMantida = false;
  std::string M_CPFDEPEN = std::string(11, ' ');
  // Headings of the asset and debt value columns (by DECFINAL).
  std::string CANOAN, CANOBA, CDIVBA;
  // Subtotal marks of the rural cash book.
  std::string POSCONTA;
  std::uint32_t POSREG = 0;
  console::Calculadora calculadora;
  // Footings of the savings grid, one a column.
  std::vector<std::string> MATAUX;
  // What Ctrl+Enter picked on a remembered list (30, 31): field and value.
  std::vector<std::pair<std::string, rt::ui::Value>> escolha;
  // The running line number given to rows picked from the remembered asset texts, one lower
  // each time, so picked rows sort before the row last worked on (0 when a declaration opens;
  // the insert and renumber keys set it to the row's line).
  rt::text::Decimal I7_0, I8_0, I8R_0, I9R_0;
};

// The grid's whole state: its parts are reached by their own names (g.PONTEIRO) or handed on
// as a part (CursorGrade&) to what needs only that part.
struct Grade : ColunasGrade,
               CursorGrade,
               TeclasGrade,
               TransferenciaGrade,
               DeclaracaoGrade,
               AberturaGrade,
               MemoriaGrade {
  // Not 0: a grid is only drawn once, with its current row marked, and returns at once.
  int SO_MOS = 0;

  // How many grids are running: a grid opened from inside another (a pick list, the rural cash
  // book from a cell check, the carnê-leão details) gives the outer one back its columns, cursor
  // and append mode when it ends.
  int nivel = 0;

  ServicosGrade* servicos = nullptr;
  ServicosGrade& srv() {
    static ServicosGrade nada;
    return servicos != nullptr ? *servicos : nada;
  }
};

}  // namespace grid

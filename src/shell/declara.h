// The declaration driver: asks for a taxpayer by CPF (with the chooser keys of the register),
// opens the taxpayer's working copy and either runs one action on it (entry journal,
// consistency check, print selection, export) or drives the numbered declaration screens with
// the screen keys, the time-of-use clock and the autosave, until the user ends, saves or
// ignores; then the next taxpayer is asked for.
//
// All the driver's state lives in one `Declara` for one run of DECLARA: the open declaration
// (the record mirror and the working copies through store::Declaracao), the screen state and
// the grid state the screens share (grid::Grade holds ULTTECLA and TECLAMUDA, so screens,
// grids and the driver read one value). The screens themselves and the actions of other
// subsystems come through `ServicosDeclara`, each a replaceable function; the defaults say
// what is not in this version.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "grid/estado.h"
#include "grid/matriz_dados.h"
#include "grid/tela_aberta.h"
#include "shell/conversores.h"
#include "rt/db/table.h"
#include "shell/programa.h"
#include "store/declaracao.h"
#include "store/em_uso.h"

namespace shell {

class Declara;
class CalculosDeclaracao;
class ServicosDeclaracao;

struct ServicosDeclara {
  using Acao = std::function<bool(Program&, Declara&)>;
  // GTELA(n): runs screen n of the open declaration and leaves the key that ended it in
  // ULTTECLA (and TECLAMUDA when a key asked for another screen). Default: the screen's
  // number and title and one key (telas_declaracao.h).
  std::function<void(Program&, Declara&, int tela)> GTELA;
  // Menu item 12: the entry journal; 13: the consistency check CONFERE(1); 51: the print-job
  // selection; 63 to 65: the export of the open declaration.
  Acao diario, conferencia, impressao, exporta;
  // Chooser keys F5 (corrected refunds and quotas), F6 (the taxpayer's details), F11 (the
  // pending items).
  Acao corrigidos, detalhe, pendencias;
  // Alt-S and Alt-U on the current field (the calculator, the dollar converter).
  Acao calculadora, conversor;
  // An action run by a key or a list: each action says its own failure, and a key has no item
  // to end, so what the action answers goes nowhere.
  static void porTecla(const Acao& acao, Program& p, Declara& d) { (void)acao(p, d); }
  // Help: topic item 1-4 of the help menu, 0 the current field's (Alt-F2).
  std::function<void(Program&, Declara&, int item)> ajuda;

  // Every empty function replaced by its default.
  void completa();
};

// Kept by the driver across screens: what the screens and grids read and set.
struct EstadoTelas {
  // The screen state of the open declaration: the one the grids (Grade::tela) and the screens
  // (AmbienteTela::TELA) point to.
  grid::TelaAberta pagina;
  int TELA_ATUAL = 1;
  bool ZOOM_BEM = false, ZOOM_DIV = false, ZOOM_BEM2 = false, ZOOM_DIV2 = false;
  bool PVEZ = false;      // a new taxpayer
  std::string INI = "N";  // "N" go on, "S" save, "I" ignore the changes
  // The running screen was asked to end (a screen key ended its input form).
  bool fimDaTela = false;
  // The balance screen's consistency check: "A" runs it on every entry to the screen.
  std::string CCONFERE = "A";
};

// The time-of-use clock, in seconds of the day.
struct Relogio {
  long long FIM_DECLA = 0;
  long long TEMGAST = 0;
};

class Declara {
 public:
  Declara(Program& p, ServicosDeclara servicos);
  ~Declara();
  Declara(const Declara&) = delete;
  Declara& operator=(const Declara&) = delete;

  // DECLARA: the whole driver for menu item p.OPCAO_1.
  void roda();

  // GET_CODIGO: asks for the CPF at row 17 + linha, column 4 + coluna; true when a
  // declaration was found or created and loaded (or, for item 51, prepared for printing).
  // A declaration another terminal has open is not loaded: the user is told which terminal
  // holds it and the CPF is asked again.
  [[nodiscard]] bool GET_CODIGO(int linha, int coluna, int modo, int carga);
  // DIRETO (F4): takes up the terminal's working copies left on disk; failed, and told, when
  // they hold no CPF to take up.
  rt::Status DIRETO();
  // SO_MOL (F8): only taxpayers with rural activity in the register, on and off.
  void SO_MOL();
  // MOS_DIR (F7): the folder register grid, then the register page again.
  void MOS_DIR();
  // F1, F2, F3: the register's pick list in name (5), CPF (1) or status (4) order.
  void escolhe(int lista);

  // QUETEL(n[, pgdn]): switches to screen n from a screen key; true when it switched (false on
  // screen n already). MUDATEL1, MUDATEL12, MUDATEL14 and ESC_HORIZ answer the same.
  bool QUETEL(int n, bool comPgDn = false);
  // MUDATAB: ends the running screen with Tab or Shift-Tab.
  void MUDATAB(int tecla);
  // MUDATEL1 (F1): the identification variables into copy 21, then screen 1.
  bool MUDATEL1();
  // MUDATEL12 / MUDATEL14: screen 5 and its detail screens 22 and 23.
  bool MUDATEL12();
  bool MUDATEL14();
  // ESC_HORIZ: the screen index bar (item 1 the screens, 2 the help topics).
  bool ESC_HORIZ(int item);
  // MOSTRA_INDICE: the screen index list; true when it switched or ended the declaration.
  [[nodiscard]] bool MOSTRA_INDICE();
  // MOS_IND: the screen index on row 0.
  void MOS_IND();
  // VETEMPO: the time spent on the declaration (TEMGAST), in seconds.
  long long VETEMPO();
  // VETAMHO: the size of the working copies (TAM_USO), after writing the screen's variables
  // into their copies.
  long long VETAMHO();
  // Whether the autosave is due now (0 < TEMP_SAL < 98 and TEMP_SAL whole minutes since the
  // last save).
  bool autosalvaVencido() const;
  // The running input form, if any, ends, and so does the running screen.
  void terminaTela();

  // DESLIG_RELG (Alt-T): the clock paused or running again; PARA_REL adds the time so far.
  void DESLIG_RELG();
  void PARA_REL();

  Program& p;
  ServicosDeclara srv;
  store::Declaracao dec;
  grid::Grade grade;
  EstadoTelas tela;
  Relogio relogio;
  // The monthly matrices of the open declaration that are not table fields.
  grid::Matrizes matrizes;
  bool soRural = false;  // SO_MOL's filter is on

  // The computation of the open declaration (none before the first load).
  CalculosDeclaracao* calculos() { return calculos_.get(); }
  // The monthly dollar grid of the open declaration for the dollar converter; none before
  // the first load.
  GradeDolar gradeDolar();

 private:
  // The month labels of the matrices and their empty cells, for a declaration being opened.
  void preparaMatrizes();
  void lacoDeTelas();
  // The screens of the open declaration until the user ends it (INI not "N").
  void telas();
  void fimDaDeclaracao();
  // What the grids read of the open declaration, before each screen.
  void sincronizaGrade();
  void fimDoDriver();
  // The action of menu items 12, 13, 51 and 63 on the taxpayer chosen; true when it went to its
  // end (each action says why not).
  bool acaoDoItem();
  // The chosen taxpayer's declaration held against other terminals and loaded (INIC_VAR);
  // failed, and told, when another terminal holds it or it could not be loaded.
  rt::Status carrega(int modo, int tipo);
  // One CPF asked and looked up (GET_CODIGO without the retry after a declaration in use).
  [[nodiscard]] bool pedeCodigo(int linha, int coluna, int modo, int carga);
  // The CPF prompt until a CPF is given (false on Esc): PgDn and PgUp move through the
  // register, the lists and the name search fill it.
  [[nodiscard]] bool leCpf(int linha, int coluna, int modo);
  // Whether this folder's register holds the CPF asked for.
  [[nodiscard]] bool cpfNaPasta();
  // A CPF this folder does not hold: sought in the other folders and loaded from the one
  // that has it; for an inclusion (item 11), one found nowhere may be included here.
  [[nodiscard]] bool deOutraPasta(int modo, int item, int carga);
  void copiaIdentificacao();
  void copiaRegistro();
  void mostraPagina();
  // The page beside the CPF prompt: the taxpayer the register stands on, his name only when
  // he is the CPF offered.
  void paginaDoDigitado();
  static void SO_MOL_filtro(rt::db::Table& registro);
  // The computation and the grids' services of the open declaration: made anew for each
  // taxpayer loaded.
  std::unique_ptr<CalculosDeclaracao> calculos_;
  std::unique_ptr<ServicosDeclaracao> servicosGrade_;

 public:
  // The grid services of the open declaration (null while none is open).
  ServicosDeclaracao* servicosDaGrade() { return servicosGrade_.get(); }

 private:
  // This terminal's hold on the open declaration (store/em_uso.h), from its load until it is
  // saved or its changes ignored.
  store::UsoDeclaracao uso_;
  // The last load was refused because another terminal holds the declaration.
  bool emUso_ = false;
  // The CPF prompt's text while it is asked: the register's lists, the name search, PgDn/PgUp
  // and F4 fill it; the CPF asked for (p.CPF) is taken from it when the prompt ends.
  std::string digitado_;
};

// The end question of a declaration, as one text with ";" between its lines, and the
// question itself: "S" save, "I" ignore, "N" (also Esc) go on.
std::string_view textoTerminaDeclaracao();
std::string perguntaTermina(Program& p);

// DECLARA with the default services.
void DECLARA(Program& p);
void DECLARA(Program& p, const ServicosDeclara& servicos);

}  // namespace shell

// The pick lists: one pop-up list serves every choice from a table in the program (taxpayers
// of the register, data folders, capital-gain operations and the code tables). The name of the
// field being edited (QUALHLP) decides which table shows and how the chosen row is written back
// into the field's variables or into the grid row being edited.
//
// The console sits below the data store, so the lists reach tables through the work areas and
// an opener the shell plugs in (the store's ABERTURA), the program's named variables through
// `Variaveis`, and the routines of other subsystems they call (register page, taxpayer details,
// capital-gain form) through `ServicosLista`.
//
// Every way out of a list (Enter, Esc, Ctrl+Enter, no context, no gains) leaves PROG 0 and
// TEMHLP false and removes exactly the filters the list set itself, so an error in one list
// never leaves the next one refused or a working copy filtered.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console/contexto.h"
#include "rt/base/status.h"
#include "workareas/areas_trabalho.h"
#include "rt/term/keys.h"
#include "rt/ui/binding.h"
#include "rt/ui/browse.h"
#include "workareas/areas.h"

namespace console {

struct ColunaLista;
class FonteTabela;

// Tables by number for the console's services: the program's work areas and the opener that
// opens table n in area n with its indexes (false when it could not, after its own message).
struct AcessoTabelas {
  workareas::AreasTrabalho& areas;
  // Opens table `area` in its own area with its indexes; failed, and told by the opener, when
  // it could not be had.
  std::function<rt::Status(workareas::Area area)> abre;
};

// The program's named variables ("CPF", "TIPO_BEM", "OPCAO_1"), by their bare names.
class Variaveis {
 public:
  virtual ~Variaveis() = default;
  // nullopt when there is no variable of that name.
  virtual std::optional<rt::ui::Value> valor(std::string_view nome) const = 0;
  // False when there is no such variable or the value's type does not suit it.
  virtual bool atribui(std::string_view nome, const rt::ui::Value& v) = 0;
};

// Variables kept in a map under upper-case names; any name may be written. For programs
// without a declaration open and for tests.
class VariaveisMapa final : public Variaveis {
 public:
  std::optional<rt::ui::Value> valor(std::string_view nome) const override;
  bool atribui(std::string_view nome, const rt::ui::Value& v) override;
  // The text of a variable ("" when absent or not text), the number (0 when absent).
  std::string texto(std::string_view nome) const;
  rt::text::Decimal numero(std::string_view nome) const;
  bool tem(std::string_view nome) const { return valor(nome).has_value(); }

 private:
  std::map<std::string, rt::ui::Value> v_;
};

// What the lists call in the subsystems above the console. The defaults do nothing, so a
// program without those screens (the converter) still has working lists.
class ServicosLista {
 public:
  virtual ~ServicosLista() = default;
  // The status name of a status code (13 blanks for a code not in the status table).
  virtual std::string VE_STAT(int codigo);
  // The register page of the chosen taxpayer.
  virtual void MOSTR_PAG(int modo);
  // The current taxpayer's details (F6) and pending notes (F11).
  virtual void MOS_DETAL();
  virtual void MOS_PEND();
  // The entry form of a capital-gain operation: modo 0 a new one, 1 the current row.
  virtual void MOSTR_BEM(int tipo, int modo);
  // Deletes the current capital-gain operation after asking.
  virtual void DEL_GP();
  // A key the list itself has no use for, ignored by default. The capital-gain list hands it to
  // the screen keys of the declaration under it: `tratada` when one ran (the list is drawn
  // again), `sai` when it left the screen (the list ends without a choice).
  enum class Tecla { ignorada, tratada, sai };
  virtual Tecla teclaLivre(const rt::term::Key& k);
};

class Listas {
 public:
  Listas(Contexto& ctx, AcessoTabelas tabelas, Variaveis& variaveis, ServicosLista& servicos);
  Listas(const Listas&) = delete;
  Listas& operator=(const Listas&) = delete;

  // Opens the list of QUALHLP (or, unless TEMHLP, of the input being edited).
  void GERAL();
  // The register list (area 9) in one order, leaving another current afterwards:
  //   GERAL1  CPF order during the list, name order afterwards
  //   GERAL4  status order during the list, CPF order afterwards
  //   GERAL5  name order during the list, CPF order afterwards
  void GERAL1();
  void GERAL4();
  void GERAL5();
  // For a field check that set QUALHLP and opened and selected the code table: the code
  // chosen (0 when nothing was chosen; empty text after Esc in the country list of "I7_8").
  rt::ui::Value GERAL2();
  // The folder list of the spouse search: the folder register stays selected afterwards.
  void GERAL3();

  // The list's state, by the program's names.
  bool TEMHLP = false;                       // the caller set QUALHLP (and opened the code table)
  int PROG = 0;                              // 1 while a list is open
  rt::ui::Value COD = rt::text::Decimal(0);  // the code chosen
  std::string CL_AREA;                       // the area (alias) to select again at the end; empty: none
  bool TEMPE = false;                        // the list shows footers
  bool SOFTSEEK = false;                     // switched on by a typed search, and left on
  // Whether the last list closed with a row chosen (Enter), not with Esc.
  bool escolheu() const { return escolheu_; }

  struct Definicao;  // the list opened: its record, area and columns
  class Devolucao;   // the chosen row, as Enter writes it back

 private:
  void monta(Definicao& d);
  rt::ui::Column coluna(const Definicao& d, const ColunaLista& c, bool variante);
  void rodapes(Definicao& d);
  void HBROWSE(Definicao& d);
  void configuraNavegador(Definicao& d, rt::ui::Browse& b);
  void redesenha(Definicao& d, rt::ui::Browse& b);
  bool trataTecla(Definicao& d, rt::ui::Browse& b, FonteTabela& fonte, const rt::term::Key& k);
  void buscaDigitada(Definicao& d, char c);
  void ENTER(Definicao& d);
  void limpezaEsc(const Definicao& d);
  void gravaCampo(workareas::Area area, std::string_view campo, const rt::ui::Value& v);
  rt::text::Decimal numeroVar(std::string_view nome) const;

  Contexto& ctx_;
  AcessoTabelas tab_;
  Variaveis& vars_;
  ServicosLista& serv_;
  // The input being edited when the list opened ("M->UF" for the state list), which may
  // differ from QUALHLP.
  std::string campoEditado_;
  bool viaGERAL3_ = false;
  bool escolheu_ = false;  // Enter wrote a row back
  // The areas whose filter the list set itself; removed on every way out.
  std::vector<workareas::Area> filtrosPostos_;
};

}  // namespace console

// What a declaration screen reaches while it runs: the program's console and tables, the open
// declaration (its record mirror and working copies), the grid state the driver shares
// (ULTTECLA, TECLAMUDA, SO_MOS ...), the computation's view of the declaration and the slot
// where the screen on show plugs its redraw of the blocks the computation asks for. The
// driver (the shell) builds one for each GTELA.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "grid/estado.h"
#include "rt/term/colour.h"
#include "store/contexto.h"
#include "store/declaracao.h"
#include "taxcalc/carne_leao.h"
#include "taxcalc/contexto.h"
#include "taxcalc/rural.h"

namespace screens {

struct AmbienteTela;

// The field rules of the identification and spouse forms that look values up in the reference
// tables or in other declarations (receipt numbers, banks, street types, states and towns,
// nature and occupation, the spouse link). Each is asked by the field's variable name: `quando`
// whether the field may be entered, `valida` whether the value typed is accepted (it may change
// this and other variables, which the form then shows again). Without them a field is entered
// and accepted as its picture and its kind allow.
struct RegrasCampos {
  std::function<bool(AmbienteTela&, std::string_view campo)> quando;
  std::function<bool(AmbienteTela&, std::string_view campo)> valida;
};

struct AmbienteTela {
  store::Contexto& ctx;
  store::Declaracao& dec;
  grid::Grade& grade;
  taxcalc::Contexto& calc;
  // SETCOLOR of the forms: fields shown and the field being edited.
  rt::term::ColourSet cores;
  // Filled by the screen on show; the computation's requests to redraw a block go there.
  std::function<void(taxcalc::Quadro)>* aoMostrar = nullptr;
  // Which list the enlarged screens 22 and 23 show (assets or debts).
  bool zoomBem = true, zoomBem2 = true;
  RegrasCampos regras;
  // The driver's current screen (a screen key changes it while a grid runs).
  const int* TELA = nullptr;
  // What the monthly tax keeps beside its matrix (payment date, alimony, dependants).
  taxcalc::EstadoLeao* leao = nullptr;
  // What the rural result keeps (the dollar rate of the side abroad).
  const taxcalc::EstadoRural* rural = nullptr;
  // Screen 9's variable income, run in the driver's matrix grid, which only the driver holds:
  // `rendaVariavel(modo)` fills the matrix of a mode (1 common operations, 2 day trade, 3
  // funds), edits it and stores it; `fimRendaVariavel` carries the totals to the summary when
  // the screen is left. None: the screen shows its background only.
  std::function<void(int modo)> rendaVariavel;
  std::function<void()> fimRendaVariavel;
  // Screen 10's fee block, which only the driver can fill: the time spent on the declaration
  // (VETEMPO, in seconds), the size of its working copies (VETAMHO, in bytes, also kept in
  // TAM_USO) and the office's prices. None: the block stays empty.
  struct Honorarios {
    std::function<long long()> VETEMPO, VETAMHO;
    rt::text::Decimal VAL_SEG, VAL_BYTE, VAL_MIN;
  };
  std::optional<Honorarios> honorarios;
  // Screen 10's consistency check: CCONFERE ("S" now, "N" never, "A" on every entry to the
  // screen), kept by the driver between visits, and CONFERE(mode) of the open declaration on
  // its error list. None: the check is not offered.
  std::string* CCONFERE = nullptr;
  std::function<void(int modo)> CONFERE;

  // A screen key asked for another screen than n.
  bool saiuDa(int n) const { return TELA != nullptr && *TELA != n; }
  store::EspelhoDeclaracao& espelho() { return dec.espelho; }
  // CALC(n, show) of the open declaration.
  void CALC(int n, int mostra) { dec.calc().CALC(ctx, dec, n, mostra); }
};

// While it lives, the computation's requests to redraw a block go to `f`; afterwards nowhere.
class Redesenho {
 public:
  Redesenho(AmbienteTela& a, std::function<void(taxcalc::Quadro)> f) : a_(a) {
    if (a_.aoMostrar != nullptr) *a_.aoMostrar = std::move(f);
  }
  ~Redesenho() {
    if (a_.aoMostrar != nullptr) *a_.aoMostrar = nullptr;
  }
  Redesenho(const Redesenho&) = delete;
  Redesenho& operator=(const Redesenho&) = delete;

 private:
  AmbienteTela& a_;
};

}  // namespace screens

// The form backgrounds of the declaration screens (MTELA / MOSTEL): the frame, section titles,
// line numbers and labels among which each screen's fields and grids are placed.
//
// A background is data first: `fundo(n, estado)` lays out screen n on a grid of cells (a
// console::Quadro) with its window origin, size and third colour, and remembers where each
// field's value goes under the field's variable name. `MTELA` stores the origin in ALJ/ACJ,
// redefines window 3 over it, opens it and writes the text. The screens then place their
// fields from the same layout (`lugar`), so labels and values cannot drift apart.
//
// Texts stay in CP860 bytes (box pieces included); the terminal maps them when it shows them.
#pragma once

#include <optional>
#include <string_view>

#include "console/contexto.h"
#include "console/quadro.h"
#include "store/espelho.h"

namespace screens {

// What changes a background besides its number.
struct EstadoFundo {
  bool simplificado = true;  // USAPADRAO "S"
  bool final = false;        // DECFINAL "S": the estate's final declaration
  bool brasil = true;        // ATV_BRASIL "S": rural activity in Brazil
  int N_DEPEN = 0;           // dependants: screens 1 and 2 show their parts only with some
  int CAL_AUTO = 1;          // calculation mode of the monthly screen (1-4)
  bool soTotal = false;      // SO_TOTAL: the rural months are typed as totals
  bool zoomBem = true;       // screen 22: the assets (else the debts)
  bool zoomBem2 = true;      // screen 23: the assets (else the debts)
};

// The declaration's state as the backgrounds read it. A CAL_AUTO outside 1-4 (or not a number
// at all, as old records may hold) counts as mode 1.
EstadoFundo estadoFundo(const store::EspelhoDeclaracao& e, int N_DEPEN, bool zoomBem, bool zoomBem2);
int modoCalculo(const store::EspelhoDeclaracao& e);

enum class TerceiraCor { Enche, Tel3 };

struct Fundo {
  int linha = 1, coluna = 0;      // the window origin, ALJ[n] / ACJ[n]
  int altura = 22, largura = 79;  // the window spans origin .. origin + altura / + largura
  TerceiraCor cor3 = TerceiraCor::Enche;
  console::Quadro quadro{0, 0};
};

// The background of screen n; nothing for a number that is no declaration screen.
std::optional<Fundo> fundo(int n, const EstadoFundo& estado);

// Where a field of screen n goes, on the screen (absolute row and column) and its width; the
// field is named by its variable. Nothing when the layout has no place for it.
struct Lugar {
  int linha = 0, coluna = 0, largura = 0;
};
std::optional<Lugar> lugar(const Fundo& f, std::string_view variavel);

// MTELA(n): draws the background of screen n (screens 1 and 2 through JANPJUR / JANPFIS,
// every number above 5 through MOSTEL) and sets its origin in ALJ/ACJ and NT. Returns the
// layout drawn, for the screen's fields; nothing for an unknown number (the screen is left as
// it was).
std::optional<Fundo> MTELA(console::Contexto& ctx, int n, const EstadoFundo& estado);

// The backgrounds by family, as the form's code names them (all called through MTELA).
Fundo JANPJUR(const EstadoFundo& estado);
Fundo JANPFIS(const EstadoFundo& estado);
std::optional<Fundo> MOSTEL(int n, const EstadoFundo& estado);
std::optional<Fundo> fundoFormulario(int n, const EstadoFundo& estado);  // 3, 4, 5

}  // namespace screens

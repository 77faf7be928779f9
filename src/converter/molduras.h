// The converter's frames: MTELA1 n draws frame n into its window (the current slot NT := n)
// and MTELA3 3 the taxpayer header. Each frame's corner is kept in ALJA/ACJA at its number, so
// callers place their fields from it; the window is closed by its slot (janelaDoQuadro).
#pragma once

#include <optional>

#include "console/janelas.h"
#include "converter/conversor.h"
#include "rt/term/screen.h"
#include "store/contexto.h"

namespace converter {

// The frames by name; the value is the frame's number (MTELA3 has only the taxpayer header).
namespace moldura {
enum Numero : int {
  Pastas = 2,        // the folders the item being run reads and writes
  Contadores = 4,    // the counters of a conversion run
  MenuFolha = 5,     // the income statements' menu
  Digitacao = 6,     // the whole-screen box of the statements typed in
  ArquivoFolha = 7,  // the drive and folder of FOLHA.TXT
  Apresentacao = 9,  // the banner with the terminal and the version
  Contribuinte = 3,  // MTELA3: the taxpayer header
};
}  // namespace moldura

// The window slot and rectangle of MTELA1 frame n (none for 1 and numbers without a frame);
// frame 2 depends on the item being run (c.OPCAO_1).
struct Quadro {
  console::Jan janela = console::Jan::kTela;
  rt::term::Rect ret{};
};
std::optional<Quadro> quadroMtela1(const Conversor& c, int n);

void MTELA1(store::Contexto& ctx, const Conversor& c, int n);

// A frame's window a run opens only when it first needs it: closed at the end of the run
// when it was.
struct JanelaTalvez {
  JanelaTalvez(console::Janelas& j, console::Jan i) : janelas(j), id(i) {}
  console::Janelas& janelas;
  console::Jan id;
  bool aberta = false;
  ~JanelaTalvez() {
    if (aberta) janelas.FECHAJAN(id);
  }
  JanelaTalvez(const JanelaTalvez&) = delete;
  JanelaTalvez& operator=(const JanelaTalvez&) = delete;
};
void MTELA3(store::Contexto& ctx, int n);

// Draws an empty box over `r` in window `janela` (defined and opened, the screen under it
// kept) in the frames' colours; the helpers of the frames share it.
void abreCaixa(store::Contexto& ctx, console::Jan janela, rt::term::Rect r, int corCaixa, int corTexto);

}  // namespace converter

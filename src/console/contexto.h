// What the console services need of the program's state: the console (screen, terminal,
// keyboard), the clock, the window table, the position tables of forms, dialogs and help
// windows, the terminal's colours, the message and option-menu state and the terminal number.
// The data store's context extends it; one lives for the whole run.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "console/janelas.h"
#include "platform/paths.h"
#include "rt/term/console.h"
#include "rt/text/date.h"

namespace console {

// A table of corner positions indexed from 1, as the program addresses them (ALJ[n]).
// An index outside 1..N reads 0 and writes nowhere, so a stray frame number cannot touch
// another table's memory.
template <int N>
class TabelaPos {
 public:
  static constexpr int kSize = N;
  int& operator[](int i) {
    if (i < 1 || i > N) {
      fora_ = 0;
      return fora_;
    }
    return v_[static_cast<std::size_t>(i - 1)];
  }
  int operator[](int i) const { return (i < 1 || i > N) ? 0 : v_[static_cast<std::size_t>(i - 1)]; }
  void zera() { v_.fill(0); }

 private:
  std::array<int, N> v_{};
  int fora_ = 0;
};

// The terminal's colour choices: numeric attributes (foreground + 16 x background) and
// colour texts. These defaults hold until the terminal's colour record is read.
struct Cores {
  int COR_TEL1 = 30;   // text of windows and dialogs
  int COR_TEL2 = 31;   // frames
  int COR_TEL3 = 63;   // highlight and shadow
  int COR_MENS = 112;  // messages
  int COR_PEGA = 15;   // data entry
  int COR_HELP = 112;  // help and alerts
  int COR_FERID = 28;
  int COR_ESCOL = 79;  // the chosen item of option menus
  int COR_ENCHE = 31;  // screen fill
  std::string COR_1_CLI = "GR+/B";
  std::string COR_2_CLI = "W+/B";
  std::string COR_INI = "W+/B";
  std::string COR_SAY = "N/W+";
  std::string COR_GET = "W/N";
  std::string COR_CLI_HE = "N/W";
  std::string COR_ESC_CL = "W/R+";
  std::string COR_ENCH_C = "W+/B";
};

class Contexto {
 public:
  Contexto(rt::term::Console& console, const rt::text::Clock& clock);
  Contexto(const Contexto&) = delete;
  Contexto& operator=(const Contexto&) = delete;

  rt::term::Console& console;
  const rt::text::Clock& clock;
  Janelas janelas;

  // Origins of the declaration forms (by form number), of the dialog frames (by frame
  // number) and of the help windows.
  TabelaPos<23> ALJ, ACJ, ALJA, ACJA;
  TabelaPos<12> ALJB, ACJB;
  int NT = 1;   // the current form
  int NTA = 1;  // the dialog frame last drawn
  int NTB = 1;  // the help frame last drawn

  Cores cores;

  // Size of the last message window, so a wait notice is not redrawn needlessly.
  int TAM_OLD = 0, NL_OLD = 0, CONT_OLD = 0;
  // Option menus: the selected line, the last position of the light bar and of the marker
  // menu.
  int POSVER = 1;
  int ULTPOS = 0;
  int ULTESC = 0;
  // The help context the help viewer and the calculator look at.
  std::string QUALHLP = " ";
  // The print menu's step (what, paper, pages, whom) and the report kind chosen.
  int OPCIMP = 1;
  int QUEIMP = 1;

  std::string NUSU = "00";  // this terminal's number, two digits

  // How folders typed and stored in the old form ("C:\DADOS\") map to Linux folders; read
  // from the environment (TAVREN_DRIVE_<L>, TAVREN_UNC_ROOT) when the context is made.
  platform::DriveMap unidades;

  // The calculator (Alt-A in option menus); set by whoever provides it.
  std::function<void(Contexto&)> calculadora;

  rt::term::Screen& screen() { return console.screen(); }
};

}  // namespace console

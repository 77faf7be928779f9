// Numbered text windows on the 25 x 80 console. A window is defined once (colours, corners,
// frame type), opened (the screen under it is saved and its frame drawn), written with texts
// carrying in-band colour and run codes, and closed (the saved screen comes back). The
// program's windows are named in `Jan`; Jan::kStatus addresses the status line, row 24, when
// writing.
//
// Texts carry in-band codes: bytes 1, 2, 3 switch to the window's colour 1, 2 or 3; byte 4,
// a count byte and a character make a run of that character.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "rt/term/colour.h"
#include "rt/term/screen.h"

namespace console {

using rt::term::Attr;

inline constexpr char kCor1 = '\x01', kCor2 = '\x02', kCor3 = '\x03', kRep = '\x04';

// The program's windows. Windows 1 to 10 exist from start-up. Dialog frames stack on the
// levels kTela, kDialogo, kSubdialogo and kSobreposta: a window is reused by whatever sits at
// its level, so two things sharing a number are never on screen together. Opening an open
// window first puts back what it covered.
enum class Jan : int {
  kStatus = 0,       // the status line, row 24: written, never opened
  kCabecalho = 1,    // the top line: the open declaration's index, or the CPF and name over its grids
  kGrade = 2,        // a grid's frame (taxpayer marks, framed grids); the start-up screen's name box
  kTela = 3,         // the frame in front: the open declaration's screen, or a dialog of the menu
  kDialogo = 4,      // a dialog over kTela
  kSubdialogo = 5,   // a dialog over kDialogo
  kSobreposta = 6,   // over them all: help frames, the editor's menus, the matrix's frame
  kSobre = 7,        // the about box behind the main menu
  kLista = 8,        // pick lists, the help text, the editor's dialogs
  kCalculadora = 9,  // the pop-up calculator
  kMensagem = 10,    // the message window of MENS
  kSubtotal = 11,    // a grid's subtotal, shown without the message window

  // Names some screens give the levels they use.
  kPaleta = kDialogo,        // the colour editor: the palette,
  kMenuCores = kSubdialogo,  // the list of elements,
  kAmostra = kSobreposta,    // and the sample of the chosen colours
  kFormDarf = kDialogo,      // the DARF form
  kMenuDarf = kSubdialogo,   // and its menu of kinds
  kAjuda = kLista,           // the help text
};

struct Janela {
  Jan id = Jan::kStatus;
  Attr cor1 = 0, cor2 = 0, cor3 = 0;
  int top = 0, left = 0, bottom = 0, right = 0;
  int tipo = 0;             // frame: 0 none, 1 and 2 single line, 7 shadow; others: no frame
  std::string ultimoTexto;  // the last text written, codes removed and runs expanded
};

// The window table and the screens saved under open windows, drawing into one Screen.
class Janelas {
 public:
  explicit Janelas(rt::term::Screen& screen);

  rt::term::Screen& screen() { return screen_; }
  // The record of a window, or nullptr.
  const Janela* find(Jan id) const;

  void REDEFJAN(Jan id, int attr1, int attr2, int attr3, int top, int left, int bottom, int right, int tipo);
  void DEFINEJAN(Jan id, int attr1, int attr2, int attr3, int top, int left, int bottom, int right, int tipo) {
    REDEFJAN(id, attr1, attr2, attr3, top, left, bottom, right, tipo);
  }
  void REDFATR(Jan id, int which, int attr);
  void ABREJAN(Jan id);
  void FECHAJAN(Jan id);
  void ESCRJAN(Jan id, std::string_view text);
  void ESCRLCOL(Jan id, int row, int col, std::string_view text);
  void ESCRATR(Jan id, int row, int col, int attr, int length);
  void ENCHETELA(char ch, Attr colour);
  // Direction 129 moves up (left); any other value moves down (right).
  void MOVEVER(Jan id, int direction);
  void MOVEHOR(Jan id, int direction);

  // Whether a screen is saved for the window (it is open).
  bool isOpen(Jan id) const;

 private:
  struct Salva {
    Jan id;
    rt::term::Screen::Saved contents;
  };
  Janela* findMutable(Jan id);
  // Puts back what the window covered, if anything, and when `save` keeps the contents of
  // `rect` for it: so opening an open window first restores what it covered.
  void salvaTela(Jan id, rt::term::Rect rect, bool save);
  void escreveStatus(int col, std::string_view text);
  void move(Jan id, int dRow, int dCol);

  rt::term::Screen& screen_;
  std::vector<Janela> janelas_;
  std::vector<Salva> salvas_;
};

// A window open for a scope: closed when the guard goes, on every way out. The plain form
// opens a window already defined; `adota` takes over one something else opened (the frame
// an MTELA routine draws, a wait notice of MENS), to close it only.
class JanelaAberta {
 public:
  JanelaAberta(Janelas& janelas, Jan id) : janelas_(janelas), id_(id) { janelas_.ABREJAN(id_); }
  static JanelaAberta adota(Janelas& janelas, Jan id) { return JanelaAberta(janelas, id, Adota{}); }
  ~JanelaAberta() {
    if (fecha_) janelas_.FECHAJAN(id_);
  }
  JanelaAberta(const JanelaAberta&) = delete;
  JanelaAberta& operator=(const JanelaAberta&) = delete;
  // The window outlives the scope on this way out: a wait notice that stays up for the work
  // after it, which the caller ends. Every other way out still closes it.
  void solta() { fecha_ = false; }

 private:
  struct Adota {};
  JanelaAberta(Janelas& janelas, Jan id, Adota) : janelas_(janelas), id_(id) {}

  Janelas& janelas_;
  Jan id_;
  bool fecha_ = true;
};

// The whole screen kept while an action runs that draws over it and leaves it as the action
// left it (a menu item, a list opened from a prompt): put back when the guard goes, so the
// action leaves no trace, unless `mantem()` says the action changed the screen for good.
class TelaGuardada {
 public:
  explicit TelaGuardada(rt::term::Screen& screen);
  ~TelaGuardada();
  TelaGuardada(const TelaGuardada&) = delete;
  TelaGuardada& operator=(const TelaGuardada&) = delete;
  void mantem() { restaura_ = false; }

 private:
  rt::term::Screen& screen_;
  rt::term::Screen::Saved salva_;
  bool restaura_ = true;
};

// "W+/B" style text of a numeric attribute (30 gives "GR+/B").
std::string ACHACOR(int attr);
// The prefix of a run of n characters: byte 4 and the byte n (callers append the character).
std::string REP(int n);
// Expands every run in one left-to-right pass; a byte 4 without two bytes after it stays.
std::string XREP(std::string_view text);

// The single-line frame characters, top-left clockwise.
std::string_view molduraSimples();

}  // namespace console

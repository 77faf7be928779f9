// Numbered text windows on the 25 x 80 console. A window is defined once (colours, corners,
// frame type), opened (the screen under it is saved and its frame drawn), written with texts
// carrying in-band colour and run codes, and closed (the saved screen comes back). Window 0
// addresses the status line, row 24, when writing; window 10 is the message window.
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

struct Janela {
  int id = 0;
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
  const Janela* find(int id) const;

  void REDEFJAN(int id, int attr1, int attr2, int attr3, int top, int left, int bottom, int right, int tipo);
  void DEFINEJAN(int id, int attr1, int attr2, int attr3, int top, int left, int bottom, int right, int tipo) {
    REDEFJAN(id, attr1, attr2, attr3, top, left, bottom, right, tipo);
  }
  void REDFATR(int id, int which, int attr);
  void ABREJAN(int id);
  void FECHAJAN(int id);
  void ESCRJAN(int id, std::string_view text);
  void ESCRLCOL(int id, int row, int col, std::string_view text);
  void ESCRATR(int id, int row, int col, int attr, int length);
  void ENCHETELA(char ch, Attr colour);
  // Direction 129 moves up (left); any other value moves down (right).
  void MOVEVER(int id, int direction);
  void MOVEHOR(int id, int direction);

  // Whether a screen is saved for the window (it is open).
  bool isOpen(int id) const;

 private:
  struct Salva {
    int id;
    rt::term::Screen::Saved contents;
  };
  Janela* findMutable(int id);
  // Puts back what the window covered, if anything, and when `save` keeps the contents of
  // `rect` for it: so opening an open window first restores what it covered.
  void salvaTela(int id, rt::term::Rect rect, bool save);
  void escreveStatus(int col, std::string_view text);
  void move(int id, int dRow, int dCol);

  rt::term::Screen& screen_;
  std::vector<Janela> janelas_;
  std::vector<Salva> salvas_;
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

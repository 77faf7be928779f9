// The terminal people use: ncursesw on the controlling terminal. Shows the 25 x 80 screen at
// the top left with UTF-8 glyphs and 16 + 16 colours, redrawing only the cells that changed,
// and reads raw bytes (no flow control, no signals from the keyboard, Enter and Ctrl+J kept
// apart) that KeyDecoder turns into the runtime's key codes. A terminal smaller than 25 x 80
// shows a notice asking for a larger window and delivers no keys until it is enlarged.
//
// One session per process. The terminal is given back as it was when the object goes away,
// at an exit() that skipped the destructor, and when a signal ends the process: SIGTERM,
// SIGHUP, SIGINT and SIGQUIT here, the crash signals (SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT)
// through the async-signal-safe handlers of fatal_signals.h, armed with the modes the terminal
// had before the session began.
#pragma once

#include <termios.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "rt/term/colour_map.h"
#include "rt/term/key_decoder.h"
#include "rt/term/screen.h"
#include "rt/term/terminal.h"

struct screen;  // ncurses' SCREEN

namespace rt::term {

class CursesTerminal final : public Terminal {
  struct Token {
    explicit Token() = default;
  };

 public:
  struct Options {
    // How long a lone ESC waits for the rest of an Alt or function-key sequence; the
    // environment variable ESCDELAY (milliseconds) overrides it.
    std::chrono::milliseconds escDelay{25};
    // The streams of the session; null means stdin and stdout.
    std::FILE* input = nullptr;
    std::FILE* output = nullptr;
    // The terminal type; null means $TERM.
    const char* type = nullptr;
    bool mouse = true;
  };

  struct Opened {
    std::unique_ptr<CursesTerminal> terminal;  // null when it could not start
    std::string error;                         // why not, in UTF-8 for stderr
  };
  static Opened open(const Options& options);
  static Opened open() { return open(Options{}); }

  // Through open(); the token keeps the constructor to it.
  // `shellModes`: the terminal's modes before the session (nothing when they could not be read).
  CursesTerminal(Token, ::screen* curses, const Options& options, std::optional<termios> shellModes);
  ~CursesTerminal() override;
  CursesTerminal(const CursesTerminal&) = delete;
  CursesTerminal& operator=(const CursesTerminal&) = delete;

  void present(const Screen& screen) override;
  std::optional<Key> readKey(std::chrono::milliseconds timeout) override;
  bool keyWaiting() override;
  void beep() override;

  // Whether the terminal is too small for the screen (the notice is showing).
  bool tooSmall() const { return tooSmall_; }
  // Hands the terminal back (before running a child program); the next present() resumes.
  void suspend();

 private:
  void setUp();
  // Gives the crash handler the modes to put back and the bytes that leave full-screen mode.
  void armCrashHandler();
  void shutDown();
  void draw(bool everything);
  void showTooSmall();
  void placeCursor();
  void checkSize();
  void onResize();
  // Reads bytes into pending_, waiting at most `wait` for the first (negative: for ever).
  // False when nothing came.
  bool fill(std::chrono::milliseconds wait);

  ::screen* session_ = nullptr;
  Options options_;
  KeyDecoder decoder_;
  ColourPlan plan_;
  Screen last_;   // the screen the program asked for
  Screen drawn_;  // what the terminal shows now
  bool drawnValid_ = false;
  bool tooSmall_ = false;
  bool suspended_ = false;
  int cursorVisibility_ = -1;
  std::string pending_;  // bytes read but not yet decoded
  std::optional<termios> shellModes_;  // put back by the crash handler
};

}  // namespace rt::term

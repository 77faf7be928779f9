#include "rt/term/curses_terminal.h"

#include <langinfo.h>
#include <signal.h>

#include <clocale>
#include <csignal>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "rt/term/fatal_signals.h"
#include "rt/term/glyphs.h"

// curses.h defines function-like macros (clear, erase, refresh, timeout ...), so it comes last.
#include <curses.h>

namespace rt::term {
namespace {

using std::chrono::milliseconds;

// The live session, for the exit and signal handlers: one curses session per process, hence
// one record.
struct Session {
  CursesTerminal* live = nullptr;
  bool atexitRegistered = false;
  bool signalsRegistered = false;
};

Session& session() {
  static Session s;
  return s;
}

void atExit() {
  if (CursesTerminal* t = session().live) t->suspend();
}

// Signals that end the process: the terminal is given back first, then the signal takes its
// default course. Giving the terminal back through curses is not strictly safe inside a
// handler, but these signals come from outside, between two steps of the program, and a shell
// left in raw mode without echo is worse for the user than the small risk. A crash may strike
// inside curses or malloc: the crash signals have handlers of their own (fatal_signals.h).
constexpr int kEndingSignals[] = {SIGTERM, SIGHUP, SIGINT, SIGQUIT};

extern "C" void onEndingSignal(int sig) {
  Session& s = session();
  CursesTerminal* t = s.live;
  s.live = nullptr;  // a second signal while restoring goes straight to its default
  if (t != nullptr) t->suspend();
  std::signal(sig, SIG_DFL);
  std::raise(sig);
}

void registerSignals() {
  for (int sig : kEndingSignals) {
    // A signal the caller chose to ignore (nohup) stays ignored.
    struct sigaction old {};
    if (sigaction(sig, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
    struct sigaction act {};
    act.sa_handler = onEndingSignal;
    sigemptyset(&act.sa_mask);
    act.sa_flags = SA_RESETHAND;
    sigaction(sig, &act, nullptr);
  }
}

std::string capability(const char* name) {
  char* s = tigetstr(name);
  if (s == nullptr || s == reinterpret_cast<char*>(-1)) return {};
  return s;
}

bool utf8Locale() {
  return std::string_view(nl_langinfo(CODESET)) == "UTF-8";
}

// Wide-character output needs a UTF-8 locale; the user's if it is one, else C.UTF-8.
void chooseLocale() {
  std::setlocale(LC_CTYPE, "");
  if (!utf8Locale()) std::setlocale(LC_CTYPE, "C.UTF-8");
}

// Terminals of the xterm family understand modifyOtherKeys, which makes Ctrl+Enter report
// itself instead of sending a plain CR.
bool xtermFamily(std::string_view type) {
  return type.starts_with("xterm") || type.starts_with("tmux");
}

constexpr std::string_view kOtherKeysOn = "\x1b[>4;1m";
constexpr std::string_view kOtherKeysOff = "\x1b[>4m";

std::vector<std::string> wrapWords(std::string_view text, int width) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t pos = 0;
  while (pos < text.size()) {
    auto space = text.find(' ', pos);
    std::string_view word =
        text.substr(pos, space == std::string_view::npos ? std::string_view::npos : space - pos);
    pos = space == std::string_view::npos ? text.size() : space + 1;
    if (!line.empty() && static_cast<int>(line.size() + 1 + word.size()) > width) {
      lines.push_back(line);
      line.clear();
    }
    if (!line.empty()) line += ' ';
    line += word;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace

CursesTerminal::Opened CursesTerminal::open(const Options& options) {
  if (session().live != nullptr) return {nullptr, "o terminal já está em uso"};
  chooseLocale();
  std::FILE* out = options.output ? options.output : stdout;
  std::FILE* in = options.input ? options.input : stdin;
  const char* type = options.type ? options.type : std::getenv("TERM");
  if (type == nullptr || *type == 0) return {nullptr, "a variável TERM não está definida"};
  // Read before newterm, which already turns echo off.
  std::optional<termios> shellModes;
  if (termios modes{}; ::tcgetattr(fileno(in), &modes) == 0) shellModes = modes;
  ::screen* s = newterm(type, out, in);
  if (s == nullptr) return {nullptr, std::string("tipo de terminal desconhecido: ") + type};
  return {std::make_unique<CursesTerminal>(Token{}, s, options, shellModes), {}};
}

CursesTerminal::CursesTerminal(Token, ::screen* curses, const Options& options,
                               std::optional<termios> shellModes)
    : session_(curses), options_(options), shellModes_(shellModes) {
  // ESCDELAY, as curses programs honour it, for links slow enough to split a key's sequence.
  if (const char* delay = std::getenv("ESCDELAY")) {
    char* end = nullptr;
    long ms = std::strtol(delay, &end, 10);
    if (end != delay && *end == 0 && ms > 0 && ms <= 5000) options_.escDelay = milliseconds(ms);
  }
  Session& live = session();
  live.live = this;
  if (!live.atexitRegistered) {
    std::atexit(atExit);
    live.atexitRegistered = true;
  }
  // After newterm, so these replace the handlers curses set for some of them.
  if (!live.signalsRegistered) {
    registerSignals();
    fatal::install();
    live.signalsRegistered = true;
  }

  // Keys the terminal description names, for terminals outside the xterm family.
  struct Named {
    const char* cap;
    int code;
  };
  constexpr Named kNamed[] = {
      {"kf1", key::F1},     {"kf2", key::F2},      {"kf3", key::F3},        {"kf4", key::F4},
      {"kf5", key::F5},     {"kf6", key::F6},      {"kf7", key::F7},        {"kf8", key::F8},
      {"kf9", key::F9},     {"kf10", key::F10},    {"kf11", key::F11},      {"kf12", key::F12},
      {"khome", key::Home}, {"kend", key::End},    {"kich1", key::Ins},     {"kdch1", key::Del},
      {"kpp", key::PgUp},   {"knp", key::PgDn},    {"kcuu1", key::Up},      {"kcud1", key::Down},
      {"kcub1", key::Left}, {"kcuf1", key::Right}, {"kcbt", key::ShiftTab},
  };
  for (const auto& n : kNamed) decoder_.addSequence(capability(n.cap), Key{n.code});

  if (has_colors()) {
    start_color();
    plan_ = colourPlan(COLORS, COLOR_PAIRS);
    if (plan_.sharesDefault) assume_default_colors(COLOR_WHITE, COLOR_BLACK);
    for (int pair = 1; pair < pairCount(plan_); ++pair) {
      PairColours c = pairColours(pair, plan_);
      init_pair(static_cast<short>(pair), static_cast<short>(cursesColour(c.foreground)),
                static_cast<short>(cursesColour(c.background)));
    }
  }
  setUp();
}

void CursesTerminal::setUp() {
  raw();  // no flow control and no signal keys: Ctrl+S, Ctrl+Q, Ctrl+C and Ctrl+Z are keys
  noecho();
  nonl();                 // Enter stays CR (13), so Ctrl+J (10) can mean Ctrl+Enter
  keypad(stdscr, FALSE);  // sequences are decoded by KeyDecoder
  meta(stdscr, TRUE);
  intrflush(stdscr, FALSE);
  scrollok(stdscr, FALSE);
  leaveok(stdscr, FALSE);
  if (options_.mouse) mousemask(BUTTON1_PRESSED, nullptr);
  doupdate();
  if (xtermFamily(termname())) {
    std::FILE* out = options_.output ? options_.output : stdout;
    std::fwrite(kOtherKeysOn.data(), 1, kOtherKeysOn.size(), out);
    std::fflush(out);
  }
  cursorVisibility_ = -1;
  drawnValid_ = false;
  suspended_ = false;
  armCrashHandler();
  checkSize();
}

void CursesTerminal::armCrashHandler() {
  if (!shellModes_) return;
  // What suspend() sends, as plain bytes the handler can write.
  std::string leave;
  if (xtermFamily(termname())) {
    leave += kOtherKeysOff;
    if (options_.mouse) leave += "\x1b[?1000l";
  }
  leave += capability("sgr0");
  leave += capability("cnorm");
  leave += capability("rmcup");
  std::FILE* out = options_.output ? options_.output : stdout;
  std::FILE* in = options_.input ? options_.input : stdin;
  fatal::armTerminal(fileno(in), fileno(out), *shellModes_, leave);
}

void CursesTerminal::suspend() {
  if (suspended_ || session_ == nullptr) return;
  fatal::disarmTerminal();
  std::FILE* out = options_.output ? options_.output : stdout;
  if (xtermFamily(termname())) {
    std::fwrite(kOtherKeysOff.data(), 1, kOtherKeysOff.size(), out);
    std::fflush(out);
  }
  if (options_.mouse) mousemask(0, nullptr);
  curs_set(1);
  endwin();
  suspended_ = true;
}

CursesTerminal::~CursesTerminal() {
  shutDown();
}

void CursesTerminal::shutDown() {
  if (session_ == nullptr) return;
  suspend();
  delscreen(session_);
  session_ = nullptr;
  session().live = nullptr;
}

void CursesTerminal::checkSize() {
  tooSmall_ = LINES < Screen::kRows || COLS < Screen::kCols;
}

void CursesTerminal::present(const Screen& screen) {
  last_ = screen;
  if (suspended_) {
    reset_prog_mode();
    setUp();
    clearok(stdscr, TRUE);
  }
  if (tooSmall_) {
    showTooSmall();
    return;
  }
  draw(!drawnValid_);
}

void CursesTerminal::draw(bool everything) {
  if (everything) werase(stdscr);
  for (int r = 0; r < Screen::kRows; ++r) {
    for (int c = 0; c < Screen::kCols; ++c) {
      const Cell cell = last_.at(r, c);
      if (!everything && cell == drawn_.at(r, c)) continue;
      const CellStyle style = cellStyle(cell.attr, plan_);
      attr_t attrs = A_NORMAL;
      if (style.bold) attrs |= A_BOLD;
      if (style.reverse) attrs |= A_REVERSE;
      wchar_t text[2] = {static_cast<wchar_t>(screenGlyph(static_cast<unsigned char>(cell.ch))), 0};
      cchar_t cc;
      setcchar(&cc, text, attrs, static_cast<short>(style.pair), nullptr);
      mvwadd_wch(stdscr, r, c, &cc);
    }
  }
  drawn_ = last_;
  drawnValid_ = true;
  placeCursor();
  wnoutrefresh(stdscr);
  doupdate();
}

void CursesTerminal::placeCursor() {
  int visibility = 1;
  switch (last_.cursorShape()) {
    case CursorShape::Normal:
      visibility = 1;
      break;
    case CursorShape::Insert:
      visibility = 2;
      break;
    case CursorShape::Hidden:
      visibility = 0;
      break;
  }
  if (visibility != cursorVisibility_) {
    curs_set(visibility);
    cursorVisibility_ = visibility;
  }
  wmove(stdscr, last_.cursorRow(), last_.cursorCol());
}

void CursesTerminal::showTooSmall() {
  werase(stdscr);
  const std::string text = "Aumente a janela do terminal para 80 x 25 (agora " + std::to_string(COLS) +
                           " x " + std::to_string(LINES) + ").";
  int row = 0;
  for (const auto& line : wrapWords(text, COLS > 0 ? COLS : 1)) {
    if (row >= LINES) break;
    mvwaddnstr(stdscr, row++, 0, line.c_str(), COLS);
  }
  if (cursorVisibility_ != 0) {
    curs_set(0);
    cursorVisibility_ = 0;
  }
  drawnValid_ = false;
  wnoutrefresh(stdscr);
  doupdate();
}

void CursesTerminal::onResize() {
  const bool wasTooSmall = tooSmall_;
  checkSize();
  if (wasTooSmall && !tooSmall_) {
    // Keys typed while the screen could not be seen are dropped, whether they were read
    // before the resize came in or still wait in the input: typed blind, they would act on a
    // screen the clerk never saw.
    pending_.clear();
    flushinp();
  }
  clearok(stdscr, TRUE);
  if (tooSmall_) {
    showTooSmall();
  } else {
    cursorVisibility_ = -1;
    draw(true);
  }
}

bool CursesTerminal::fill(milliseconds wait) {
  if (suspended_) present(last_);
  bool got = false;
  wtimeout(stdscr, static_cast<int>(wait.count() < 0 ? -1 : wait.count()));
  for (;;) {
    const int c = wgetch(stdscr);
    if (c == ERR) break;
    if (c == KEY_RESIZE) {
      onResize();
    } else if (c >= 0 && c <= 255) {
      pending_ += static_cast<char>(c);
      got = true;
    }
    // Whatever else came in the same burst belongs to the same key.
    wtimeout(stdscr, 0);
    if (got && pending_.size() > 64) break;
  }
  return got;
}

std::optional<Key> CursesTerminal::readKey(milliseconds timeout) {
  using clock = std::chrono::steady_clock;
  const bool forever = timeout.count() < 0;
  const auto deadline = clock::now() + (forever ? milliseconds(0) : timeout);
  for (;;) {
    while (!pending_.empty()) {
      Decoded d = decoder_.decode(pending_, false);
      if (d.kind == Decoded::Kind::Incomplete) {
        if (fill(options_.escDelay)) continue;
        d = decoder_.decode(pending_, true);
      }
      pending_.erase(0, d.consumed == 0 ? 1 : d.consumed);
      if (d.kind == Decoded::Kind::Refused) {
        if (!tooSmall_) beep();
        continue;
      }
      if (d.kind != Decoded::Kind::Key || tooSmall_) continue;
      if (d.key.code == key::MouseLeft &&
          (d.key.row < 0 || d.key.row >= Screen::kRows || d.key.col < 0 || d.key.col >= Screen::kCols))
        continue;
      return d.key;
    }
    milliseconds wait(-1);
    if (!forever) {
      wait = std::chrono::duration_cast<milliseconds>(deadline - clock::now());
      if (wait.count() < 0) wait = milliseconds(0);
    }
    if (!fill(wait) && !forever && clock::now() >= deadline) return std::nullopt;
  }
}

bool CursesTerminal::keyWaiting() {
  fill(milliseconds(0));
  return !pending_.empty();
}

void CursesTerminal::beep() {
  ::beep();
}

}  // namespace rt::term

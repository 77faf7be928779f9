// The curses terminal on a real terminal: tmux runs the key demo, the test types at it and
// reads the screen back.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>

#include "tmux_session.h"

namespace {

using e2e::shellQuote;
using e2e::TmuxSession;

std::string repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

std::string trim(const std::string& s) {
  auto b = s.find_first_not_of(' ');
  auto e = s.find_last_not_of(' ');
  return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

bool hasLine(const std::string& screen, const std::string& line) {
  std::istringstream in(screen);
  for (std::string l; std::getline(in, l);)
    if (trim(l) == line) return true;
  return false;
}

bool terminfoFor(const std::string& type) {
  return std::system(("infocmp " + shellQuote(type) + " >/dev/null 2>&1").c_str()) == 0;
}

// The demo on a terminal of the given type; after it ends, the shell shows the terminal modes
// it was given back.
std::string demoCommand(const std::string& type, const std::string& pidFile = "") {
  return "env TERM=" + shellQuote(type) +
         " LANG=C.UTF-8 LC_ALL=C.UTF-8 TERM_DEMO_PIDFILE=" + shellQuote(pidFile) +
         " timeout --foreground 60 " + shellQuote(TAVREN_TERM_DEMO) + "; echo demo-ended; stty -a; sleep 30";
}

// The modes a shell needs, as `stty -a` lists them after the demo.
void expectShellModes(TmuxSession& session) {
  ASSERT_TRUE(session.waitForText("demo-ended")) << session.capture();
  ASSERT_TRUE(session.waitForText("icanon")) << session.capture();
  std::istringstream words(session.capture());
  std::set<std::string> modes;
  for (std::string w; words >> w;) modes.insert(w);
  for (const char* mode : {"icanon", "ixon", "icrnl", "echo", "isig"}) EXPECT_TRUE(modes.count(mode)) << mode;
}

class TermDemo : public testing::Test {
 protected:
  void SetUp() override {
    if (!TmuxSession::available()) GTEST_SKIP() << "tmux is not installed";
  }

  // Starts the demo and waits for its first screen; false when the test cannot go on.
  bool start(const std::string& type = "xterm-256color", int width = 100, int height = 30,
             const std::string& pidFile = "") {
    if (!terminfoFor(type)) {
      ADD_FAILURE() << "no terminal description for " << type;
      return false;
    }
    session_ = std::make_unique<TmuxSession>(demoCommand(type, pidFile), width, height);
    if (!session_->started()) {
      ADD_FAILURE() << "tmux did not start";
      return false;
    }
    if (width >= 80 && height >= 25 && !session_->waitForText("term_demo")) {
      ADD_FAILURE() << "the demo did not start:\n" << session_->capture();
      return false;
    }
    return true;
  }

  // Sends keys and expects the demo's next line, "<n>: key <code>".
  void expectKey(const std::vector<std::string>& keys, const std::string& code) {
    session_->keys(keys);
    expectLine(code);
  }
  void expectLine(const std::string& code) {
    const std::string line = std::to_string(++received_) + ": key " + code;
    EXPECT_TRUE(session_->waitFor([&](const std::string& s) { return hasLine(s, line); }))
        << "expected \"" << line << "\"\n"
        << session_->capture();
  }

  std::unique_ptr<TmuxSession> session_;
  int received_ = 0;
};

TEST_F(TermDemo, BoxDrawingAndAccentedLettersShowRight) {
  if (!start()) return;
  const std::string screen = session_->capture();
  EXPECT_NE(screen.find("  ┌" + repeat("─", 37) + "┐"), std::string::npos) << screen;
  EXPECT_NE(screen.find("  │ ═┴░■"), std::string::npos) << screen;
  EXPECT_NE(screen.find("  │ ATENÇÃO açúcar é óculos "), std::string::npos) << screen;
  EXPECT_NE(screen.find("  └" + repeat("─", 37) + "┘"), std::string::npos) << screen;
  // Bright colours on both sides: GR+ letters, and N/W+ (a bright white background).
  const std::string coloured = session_->captureWithColours();
  EXPECT_NE(coloured.find("93mATEN"), std::string::npos) << coloured;
  EXPECT_NE(coloured.find("107mpronto"), std::string::npos) << coloured;
}

TEST_F(TermDemo, GlyphsShowOnOtherTerminalTypes) {
  for (const char* type : {"tmux-256color", "xterm", "screen"}) {
    SCOPED_TRACE(type);
    if (!terminfoFor(type)) continue;
    session_ = std::make_unique<TmuxSession>(demoCommand(type), 90, 26);
    ASSERT_TRUE(session_->started());
    ASSERT_TRUE(session_->waitForText("ATENÇÃO açúcar é óculos")) << session_->capture();
    EXPECT_NE(session_->capture().find("┌" + repeat("─", 37) + "┐"), std::string::npos)
        << session_->capture();
    session_.reset();
  }
}

TEST_F(TermDemo, KeysArriveWithTheRuntimeCodes) {
  if (!start()) return;
  expectKey({"M-a"}, "286");
  expectKey({"F11"}, "-40");
  expectKey({"C-j"}, "10c");
  // Ctrl+Enter as terminals report it: CSI-u, and xterm's modifyOtherKeys.
  session_->bytes("\x1b[13;5u");
  expectLine("10");
  session_->bytes("\x1b[27;5;13~");
  expectLine("10");
  expectKey({"Enter"}, "13");
  expectKey({"Escape"}, "27");
  expectKey({"M-x"}, "301");
  expectKey({"M-1"}, "376");
  expectKey({"M-0"}, "385");
  expectKey({"M-="}, "387");
  expectKey({"F1"}, "28");
  expectKey({"F2"}, "-1");
  expectKey({"F12"}, "-41");
  expectKey({"M-F4"}, "-33");
  expectKey({"S-F1"}, "-10");
  expectKey({"C-F5"}, "-24");
  expectKey({"BTab"}, "271");
  expectKey({"Tab"}, "9");
  expectKey({"BSpace"}, "8");
}

TEST_F(TermDemo, NavigationAndCtrlKeys) {
  if (!start()) return;
  expectKey({"Left"}, "19");
  expectKey({"C-s"}, "19c");  // flow control is off, and Ctrl+S is told from Left
  expectKey({"C-q"}, "17c");
  expectKey({"C-c"}, "3c");  // no interrupt: Ctrl+C is PgDn's code
  expectKey({"C-z"}, "26c");
  expectKey({"Up"}, "5");
  expectKey({"Down"}, "24");
  expectKey({"Right"}, "4");
  expectKey({"Home"}, "1");
  expectKey({"End"}, "6");
  expectKey({"PPage"}, "18");
  expectKey({"NPage"}, "3");
  expectKey({"IC"}, "22");
  expectKey({"DC"}, "7");
  expectKey({"C-Left"}, "26");
  expectKey({"C-Right"}, "2");
  expectKey({"C-Home"}, "29");
  expectKey({"C-End"}, "23");
  expectKey({"C-PPage"}, "31");
  expectKey({"C-NPage"}, "30");
}

TEST_F(TermDemo, TypedTextArrivesInTheConsoleCodePage) {
  if (!start()) return;
  session_->text("ç");
  expectLine("135");
  session_->text("Ã");
  expectLine("142");
  // The euro sign has no place in the code page: refused with a beep, and typing goes on.
  EXPECT_EQ(session_->format("#{window_bell_flag}"), "0");
  session_->text("€x");
  expectLine("120");
  EXPECT_EQ(session_->format("#{window_bell_flag}"), "1");
  // A mouse press as the terminal reports it.
  session_->bytes("\x1b[<0;5;3M");
  expectLine("1002 at 2,4");
}

TEST_F(TermDemo, TerminalIsGivenBackAtTheEnd) {
  if (!start()) return;
  session_->keys({"F10"});  // ends the demo
  expectShellModes(*session_);
}

TEST_F(TermDemo, TerminalIsGivenBackWhenTheProgramIsStopped) {
  char folder[] = "/tmp/tavren-e2e-pid-XXXXXX";
  ASSERT_NE(::mkdtemp(folder), nullptr);
  const std::string pidFile = std::string(folder) + "/pid";
  if (start("xterm-256color", 100, 30, pidFile)) {
    std::ifstream in(pidFile);
    int pid = 0;
    in >> pid;
    ASSERT_GT(pid, 1);
    ASSERT_EQ(::kill(pid, SIGTERM), 0);
    expectShellModes(*session_);
  }
  std::remove(pidFile.c_str());
  ::rmdir(folder);
}

TEST_F(TermDemo, SmallTerminalAsksForALargerWindow) {
  if (!start("xterm-256color", 70, 20)) return;
  ASSERT_TRUE(session_->waitForText("Aumente a janela do terminal para 80 x 25")) << session_->capture();
  EXPECT_EQ(session_->capture().find("ATEN"), std::string::npos);
  session_->keys({"a"});  // not delivered while the screen cannot be seen
  session_->resize(100, 30);
  ASSERT_TRUE(session_->waitForText("ATENÇÃO açúcar é óculos")) << session_->capture();
  expectKey({"b"}, "98");
}

}  // namespace

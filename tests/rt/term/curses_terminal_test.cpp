// The curses terminal on a pseudo-terminal: the test types at the master side and reads what
// curses wrote there.
#include "rt/term/curses_terminal.h"

#include <gtest/gtest.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <csignal>

#include <atomic>
#include <mutex>
#include <thread>

#include "rt/text/cp860.h"

namespace rt::term {
namespace {

using namespace std::chrono_literals;
using namespace rt::text::literals;

class CursesTerminalTest : public testing::Test {
 protected:
  void SetUp() override {
    winsize size{};
    size.ws_row = 25;
    size.ws_col = 80;
    ASSERT_EQ(::openpty(&master_, &slave_, nullptr, nullptr, &size), 0);
    in_ = ::fdopen(::dup(slave_), "r");
    out_ = ::fdopen(::dup(slave_), "w");
    ASSERT_TRUE(in_ && out_);
    // curses blocks when nobody reads what it writes.
    reader_ = std::thread([this] {
      char buffer[4096];
      for (;;) {
        ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n <= 0) break;
        std::lock_guard lock(mutex_);
        output_.append(buffer, static_cast<std::size_t>(n));
      }
    });
    CursesTerminal::Options o;
    o.input = in_;
    o.output = out_;
    o.type = "xterm-256color";
    o.mouse = false;
    auto opened = CursesTerminal::open(o);
    ASSERT_TRUE(opened.terminal) << opened.error;
    terminal_ = std::move(opened.terminal);
  }

  void TearDown() override {
    terminal_.reset();
    if (in_) std::fclose(in_);
    if (out_) std::fclose(out_);
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);  // ends the reader
    if (reader_.joinable()) reader_.join();
  }

  void type(std::string_view bytes) {
    ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), ssize_t(bytes.size()));
  }

  // What curses wrote since the last call, once `needle` is among it: the bytes pass the
  // pseudo-terminal asynchronously, so how soon they arrive depends on the machine's load.
  std::string outputWith(std::string_view needle) {
    for (int i = 0; i < 1000; ++i) {
      {
        std::lock_guard lock(mutex_);
        if (output_.find(needle) != std::string::npos) break;
      }
      std::this_thread::sleep_for(10ms);
    }
    return output();
  }

  // What curses wrote since the last call, once it has been quiet for a moment.
  std::string output() {
    std::size_t seen = std::string::npos;
    for (int i = 0; i < 100; ++i) {
      std::this_thread::sleep_for(30ms);
      std::lock_guard lock(mutex_);
      if (output_.size() == seen) break;
      seen = output_.size();
    }
    std::lock_guard lock(mutex_);
    std::string out;
    out.swap(output_);
    return out;
  }

  int master_ = -1, slave_ = -1;
  std::FILE* in_ = nullptr;
  std::FILE* out_ = nullptr;
  std::thread reader_;
  std::mutex mutex_;
  std::string output_;
  std::unique_ptr<CursesTerminal> terminal_;
};

TEST_F(CursesTerminalTest, OnlyOneSessionAtATime) {
  auto second = CursesTerminal::open(CursesTerminal::Options{});
  EXPECT_FALSE(second.terminal);
  EXPECT_FALSE(second.error.empty());
}

TEST_F(CursesTerminalTest, TimedReadEndsWithoutAKey) {
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(terminal_->readKey(80ms));
  EXPECT_GE(std::chrono::steady_clock::now() - start, 75ms);
  EXPECT_FALSE(terminal_->readKey(0ms));
  EXPECT_FALSE(terminal_->keyWaiting());
}

TEST_F(CursesTerminalTest, KeysAreDecoded) {
  type("x");
  // The key is waiting once the pseudo-terminal has passed it on, however long that takes.
  bool waiting = false;
  for (int i = 0; i < 1000 && !(waiting = terminal_->keyWaiting()); ++i) std::this_thread::sleep_for(10ms);
  EXPECT_TRUE(waiting);
  EXPECT_EQ(terminal_->readKey(0ms), Key{'x'});
  type(
      "\x1b"
      "a");
  EXPECT_EQ(terminal_->readKey(1s), Key{key::AltA});
  type("\x1b[15;3~\r\n\x13\xc3\xa7");
  EXPECT_EQ(terminal_->readKey(1s), Key{key::AltF5});
  EXPECT_EQ(terminal_->readKey(1s), Key{key::Enter});
  EXPECT_EQ(terminal_->readKey(1s), (Key{key::CtrlEnter, true}));
  EXPECT_EQ(terminal_->readKey(1s), ctrlKey('s'));
  EXPECT_EQ(terminal_->readKey(1s), Key{0x87});
}

TEST_F(CursesTerminalTest, LoneEscArrivesAfterTheDelay) {
  type("\x1b");
  EXPECT_EQ(terminal_->readKey(-1ms), Key{key::Esc});
}

// A key typed while the window was too small, still unread when it is made large enough, is
// dropped: typed blind, it must not act on the screen that then appears.
TEST_F(CursesTerminalTest, AKeyTypedWhileTooSmallIsDroppedWhenTheWindowFits) {
  const auto tamanho = [this](unsigned short linhas, unsigned short colunas) {
    winsize w{};
    w.ws_row = linhas;
    w.ws_col = colunas;
    ASSERT_EQ(::ioctl(master_, TIOCSWINSZ, &w), 0);
    ASSERT_EQ(::raise(SIGWINCH), 0);  // the test is not the terminal's foreground process
  };
  tamanho(20, 70);
  EXPECT_FALSE(terminal_->readKey(50ms));  // the resize read: too small
  type("a");
  int esperando = 0;
  for (int i = 0; i < 1000 && esperando == 0; ++i) {
    ASSERT_EQ(::ioctl(slave_, FIONREAD, &esperando), 0);
    if (esperando == 0) std::this_thread::sleep_for(10ms);
  }
  ASSERT_GT(esperando, 0) << "the key never reached the terminal";
  tamanho(25, 80);
  EXPECT_FALSE(terminal_->readKey(100ms));
  type("b");
  EXPECT_EQ(terminal_->readKey(5s), Key{'b'});
}

TEST_F(CursesTerminalTest, RefusedCharacterBeepsAndTypingGoesOn) {
  output();
  type(
      "\xe2\x82\xac"
      "y");
  EXPECT_EQ(terminal_->readKey(1s), Key{'y'});
  EXPECT_NE(outputWith("\a").find('\a'), std::string::npos);
}

TEST_F(CursesTerminalTest, ShowsUtf8AndRedrawsOnlyWhatChanged) {
  Screen s;
  s.put(3, 5, "ATENÇÃO ┌─┐ açúcar"_cp, makeAttr(14, 1));
  terminal_->present(s);
  const std::string first = outputWith("açúcar");
  EXPECT_NE(first.find("ATENÇÃO ┌─┐ açúcar"), std::string::npos);
  s.put(24, 70, "12:00", makeAttr(0, 7));
  terminal_->present(s);
  const std::string second = outputWith("12:00");
  EXPECT_NE(second.find("12:00"), std::string::npos);
  EXPECT_EQ(second.find("ATEN"), std::string::npos);
  EXPECT_LT(second.size(), 100u) << "a full redraw for one changed field";
  terminal_->present(s);
  EXPECT_LT(output().size(), 20u);
}

}  // namespace
}  // namespace rt::term

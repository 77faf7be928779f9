// A terminal for tests: keys are queued beforehand, the screen is read back as text and
// colours. When the queue is empty a read without time limit returns Esc, and so does a timed
// read after many empty ones in a row, so a test that forgot a key ends its screen instead of
// hanging; `exhausted()` tells the test it happened.
//
// Time is virtual: it stands still while keys are read and moves on by the timeout of every
// timed read that finds no key (an empty queue or a pause), so timeouts and idle clocks are
// tested without waiting.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "rt/term/terminal.h"

namespace rt::term {

class ScriptedTerminal final : public Terminal {
 public:
  // Queues one key code (a Ctrl+letter is queued with ctrlKey('s')).
  ScriptedTerminal& press(int code);
  ScriptedTerminal& press(Key key);
  // Queues every byte of a CP860 text as typed characters.
  ScriptedTerminal& type(std::string_view cp860Text);
  // Queues a pause: the next read with a timeout times out once.
  ScriptedTerminal& pause();
  // Queues a pause of a given length: timed reads time out, each using up its timeout of it,
  // until it has passed; a read without time limit waits it out at once.
  ScriptedTerminal& pause(std::chrono::milliseconds length);

  void present(const Screen& screen) override;
  std::optional<Key> readKey(std::chrono::milliseconds timeout) override;
  bool keyWaiting() override;
  void beep() override { ++beeps_; }
  std::chrono::steady_clock::time_point now() override {
    return std::chrono::steady_clock::time_point{} + elapsed_;
  }
  // Virtual time passed since the terminal was made.
  std::chrono::milliseconds elapsed() const { return elapsed_; }

  // The screen as last presented.
  const Screen& shown() const { return shown_; }
  std::string row(int r) const { return shown_.rowText(r); }
  // The row as UTF-8, for readable assertions.
  std::string rowUtf8(int r) const;
  Attr attrAt(int r, int c) const { return shown_.at(r, c).attr; }
  // Whether `cp860Text` appears anywhere on the shown screen.
  bool contains(std::string_view cp860Text) const;
  // All 25 rows as UTF-8 lines, for failure messages.
  std::string dump() const;

  int beeps() const { return beeps_; }
  int presents() const { return presents_; }
  bool exhausted() const { return exhausted_; }
  std::size_t pending() const { return keys_.size(); }

 private:
  struct Entry {
    Key key;
    bool pause = false;
    // A pause's time left; negative for a pause that ends with the first timed read.
    std::chrono::milliseconds left{-1};
  };
  std::deque<Entry> keys_;
  Screen shown_;
  int beeps_ = 0;
  int presents_ = 0;
  bool exhausted_ = false;
  int emptyTimedReads_ = 0;
  std::chrono::milliseconds elapsed_{0};
};

}  // namespace rt::term

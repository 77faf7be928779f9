#include "rt/term/scripted_terminal.h"

#include <algorithm>

#include "rt/text/cp860.h"

namespace rt::term {

ScriptedTerminal& ScriptedTerminal::press(int code) {
  return press(Key{code});
}

ScriptedTerminal& ScriptedTerminal::press(Key key) {
  keys_.push_back({key, false});
  return *this;
}

ScriptedTerminal& ScriptedTerminal::type(std::string_view text) {
  for (char c : text) keys_.push_back({Key{static_cast<unsigned char>(c)}, false});
  return *this;
}

ScriptedTerminal& ScriptedTerminal::pause() {
  keys_.push_back({Key{}, true, std::chrono::milliseconds(-1)});
  return *this;
}

ScriptedTerminal& ScriptedTerminal::pause(std::chrono::milliseconds length) {
  if (length.count() > 0) keys_.push_back({Key{}, true, length});
  return *this;
}

void ScriptedTerminal::present(const Screen& screen) {
  shown_ = screen;
  ++presents_;
}

std::optional<Key> ScriptedTerminal::readKey(std::chrono::milliseconds timeout) {
  const bool timed = timeout.count() >= 0;
  while (!keys_.empty() && keys_.front().pause) {
    Entry& p = keys_.front();
    if (!timed) {  // a wait without time limit sits the pause out
      if (p.left.count() > 0) elapsed_ += p.left;
      keys_.pop_front();
      continue;
    }
    // A wait loop polling through a long pause still ends, like one on an empty queue.
    constexpr int kMaxPausedReads = 100000;
    if (++emptyTimedReads_ >= kMaxPausedReads) break;
    bool over = true;
    if (p.left.count() < 0) {
      elapsed_ += timeout;
    } else {
      auto used = std::min(timeout, p.left);
      elapsed_ += used;
      p.left -= used;
      over = p.left.count() <= 0;
    }
    if (over) {
      keys_.pop_front();
      emptyTimedReads_ = 0;
    }
    return std::nullopt;
  }
  if (keys_.empty() || keys_.front().pause) {
    // A wait loop polling with a timeout (a lock wait, a clock) gets its time-outs, but not
    // for ever: then it is told Esc like an untimed read.
    constexpr int kMaxEmptyTimedReads = 10000;
    if (timed && keys_.empty() && ++emptyTimedReads_ < kMaxEmptyTimedReads) {
      elapsed_ += timeout;
      return std::nullopt;
    }
    exhausted_ = true;
    return Key{key::Esc};
  }
  emptyTimedReads_ = 0;
  Key k = keys_.front().key;
  keys_.pop_front();
  return k;
}

bool ScriptedTerminal::keyWaiting() {
  return !keys_.empty() && !keys_.front().pause;
}

std::string ScriptedTerminal::rowUtf8(int r) const {
  return rt::text::cp860ToUtf8(row(r));
}

bool ScriptedTerminal::contains(std::string_view text) const {
  for (int r = 0; r < Screen::kRows; ++r)
    if (row(r).find(text) != std::string::npos) return true;
  return false;
}

std::string ScriptedTerminal::dump() const {
  std::string out;
  for (int r = 0; r < Screen::kRows; ++r) out += rowUtf8(r) + "\n";
  return out;
}

}  // namespace rt::term

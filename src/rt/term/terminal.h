// A terminal backend shows the screen and delivers keys. CursesTerminal serves people,
// ScriptedTerminal serves tests.
#pragma once

#include <chrono>
#include <optional>

#include "rt/term/keys.h"
#include "rt/term/screen.h"

namespace rt::term {

class Terminal {
 public:
  virtual ~Terminal() = default;
  // Shows the screen (a backend redraws only what changed since the last call).
  virtual void present(const Screen& screen) = 0;
  // The next key, waiting at most `timeout` (a negative timeout waits for ever);
  // nullopt when the time ran out.
  virtual std::optional<Key> readKey(std::chrono::milliseconds timeout) = 0;
  // Whether a key is waiting, without taking it.
  virtual bool keyWaiting() = 0;
  virtual void beep() = 0;
  // The clock that waits for keys are measured by: the real one here, a virtual one on the
  // scripted terminal, where time passes only while a timed read finds no key.
  virtual std::chrono::steady_clock::time_point now() { return std::chrono::steady_clock::now(); }
};

}  // namespace rt::term

// How the data store waits between tries: an open is tried again after a second, a lock or an
// append after half a second. The program waits for real; tests give a virtual wait that only
// counts (and may move a clock on), so a ten-second retry runs at once.
#pragma once

#include <chrono>
#include <functional>

#include "rt/text/date.h"

namespace store {

class Espera {
 public:
  virtual ~Espera() = default;
  virtual void dorme(std::chrono::milliseconds tempo) = 0;
  // A wait between two tries of something another terminal holds: at most `tempo`, ended as
  // soon as `tenta` (tried again now and then) succeeds; says whether it did. By default the
  // whole time is slept and nothing is tried: the caller tries again after it.
  virtual bool aguarda(std::chrono::milliseconds tempo, const std::function<bool()>& tenta) {
    (void)tenta;
    dorme(tempo);
    return false;
  }
};

// Sleeps the time asked. Its waits between tries end when what was awaited comes free: a
// terminal that lets go of a table after a few milliseconds is not waited for a whole second.
class EsperaReal final : public Espera {
 public:
  void dorme(std::chrono::milliseconds tempo) override;
  bool aguarda(std::chrono::milliseconds tempo, const std::function<bool()>& tenta) override;
};

// Counts the time asked instead of sleeping it; moves `relogio` on by it when given. A small
// real pause per wait (`real`) lets a test's other process make progress between tries.
class EsperaVirtual final : public Espera {
 public:
  explicit EsperaVirtual(rt::text::FixedClock* relogio = nullptr,
                         std::chrono::milliseconds real = std::chrono::milliseconds(0))
      : relogio_(relogio), real_(real) {}
  void dorme(std::chrono::milliseconds tempo) override;

  std::chrono::milliseconds total() const { return total_; }
  int vezes() const { return vezes_; }
  void zera() {
    total_ = std::chrono::milliseconds(0);
    vezes_ = 0;
  }

 private:
  rt::text::FixedClock* relogio_;
  std::chrono::milliseconds real_;
  std::chrono::milliseconds total_{0};
  std::chrono::milliseconds pendente_{0};  // below a whole second, not yet on the clock
  int vezes_ = 0;
};

}  // namespace store

#include "store/espera.h"

#include <algorithm>
#include <thread>

namespace store {

void EsperaReal::dorme(std::chrono::milliseconds tempo) {
  if (tempo.count() > 0) std::this_thread::sleep_for(tempo);
}

bool EsperaReal::aguarda(std::chrono::milliseconds tempo, const std::function<bool()>& tenta) {
  using Relogio = std::chrono::steady_clock;
  const Relogio::time_point fim = Relogio::now() + tempo;
  // Tries close together first (a table is held for milliseconds), then further apart, so
  // that many waiting terminals do not keep the holder's file system busy.
  std::chrono::milliseconds passo(1);
  for (;;) {
    const Relogio::time_point agora = Relogio::now();
    if (agora >= fim) return false;
    std::this_thread::sleep_for(std::min<Relogio::duration>(passo, fim - agora));
    if (tenta()) return true;
    passo = std::min(passo * 2, std::chrono::milliseconds(32));
  }
}

void EsperaVirtual::dorme(std::chrono::milliseconds tempo) {
  ++vezes_;
  if (tempo.count() > 0) total_ += tempo;
  if (relogio_ != nullptr && tempo.count() > 0) {
    // The clock counts whole seconds; half-second waits add up before they show.
    pendente_ += tempo;
    const auto segundos = std::chrono::duration_cast<std::chrono::seconds>(pendente_);
    if (segundos.count() > 0) {
      relogio_->advanceSeconds(static_cast<int>(segundos.count()));
      pendente_ -= segundos;
    }
  }
  if (real_.count() > 0) std::this_thread::sleep_for(real_);
}

}  // namespace store

#include "store/espera.h"

#include <thread>

namespace store {

void EsperaReal::dorme(std::chrono::milliseconds tempo) {
  if (tempo.count() > 0) std::this_thread::sleep_for(tempo);
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

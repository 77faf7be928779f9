// The selected work area kept for a while: whatever is selected meanwhile, the area that was
// selected when the guard was made is selected again when it ends, on every way out.
#pragma once

#include "workareas/areas_trabalho.h"

namespace workareas {

class SelecaoGuardada {
 public:
  explicit SelecaoGuardada(AreasTrabalho& areas) : areas_(areas), antes_(areas.current()) {}
  // Keeps the selection and selects `a`.
  SelecaoGuardada(AreasTrabalho& areas, Area a) : SelecaoGuardada(areas) {
    areas.select(a);  // Nenhuma changes nothing
  }
  ~SelecaoGuardada() {
    areas_.select(antes_);
  }
  SelecaoGuardada(const SelecaoGuardada&) = delete;
  SelecaoGuardada& operator=(const SelecaoGuardada&) = delete;

  // The area selected when the guard was made.
  Area antes() const { return antes_; }

 private:
  AreasTrabalho& areas_;
  Area antes_;
};

}  // namespace workareas

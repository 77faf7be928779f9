// The selected work area kept for a while: whatever is selected meanwhile, the area that was
// selected when the guard was made is selected again when it ends, on every way out.
#pragma once

#include "rt/db/work_areas.h"
#include "workareas/areas.h"

namespace workareas {

class SelecaoGuardada {
 public:
  explicit SelecaoGuardada(rt::db::WorkAreas& areas) : areas_(areas), antes_(areas.current()) {}
  // Keeps the selection and selects `a`.
  SelecaoGuardada(rt::db::WorkAreas& areas, Area a) : SelecaoGuardada(areas) {
    (void)seleciona(areas, a);  // only Nenhuma is refused, and it changes nothing
  }
  ~SelecaoGuardada() {
    (void)areas_.select(antes_);  // a number the engine gave as current is always valid
  }
  SelecaoGuardada(const SelecaoGuardada&) = delete;
  SelecaoGuardada& operator=(const SelecaoGuardada&) = delete;

  // The area selected when the guard was made.
  int antes() const { return antes_; }

 private:
  rt::db::WorkAreas& areas_;
  int antes_;
};

}  // namespace workareas

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
    seleciona(areas, a);  // Nenhuma changes nothing
  }
  ~SelecaoGuardada() {
    areas_.select(antes_);
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

// The rows a table grid moves over: the visible records of its work area and, while the grid
// is in append mode, one phantom row after the last record (the table's end of file) where a
// new row is typed before it exists.
#pragma once

#include "console/fonte_tabela.h"

namespace grid {

class FonteGrade final : public console::FonteArea {
 public:
  FonteGrade(workareas::AreasTrabalho& areas, workareas::Area area, const bool& anexando)
      : FonteArea(areas, area), anexando_(anexando) {}

  // On the phantom row (or the table is empty): the table's end of file.
  bool fantasma() const { return eof(); }

  long skip(long n) override;
  long position() const override;

 private:
  const bool& anexando_;
};

}  // namespace grid

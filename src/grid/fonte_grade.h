// The rows a table grid moves over: the visible records of its work area and, while the grid
// is in append mode, one phantom row after the last record (the table's end of file) where a
// new row is typed before it exists.
#pragma once

#include "rt/db/work_areas.h"
#include "rt/ui/data_source.h"

namespace grid {

class FonteGrade final : public rt::ui::DataSource {
 public:
  FonteGrade(rt::db::WorkAreas& areas, int area, const bool& anexando) : areas_(areas), area_(area), anexando_(anexando) {}

  rt::db::Table* tabela() const { return areas_.table(area_); }
  // On the phantom row (or the table is empty).
  bool fantasma() const;

  void goTop() override;
  void goBottom() override;
  long skip(long n) override;
  long position() const override;
  bool eof() const override;
  bool bof() const override;

 private:
  rt::db::WorkAreas& areas_;
  int area_;
  const bool& anexando_;
};

}  // namespace grid

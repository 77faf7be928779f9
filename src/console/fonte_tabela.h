// A table in a work area as the rows a browse moves over. The area is looked up on every move,
// so a list whose table another routine closed meanwhile shows end of file instead of reading
// a table that is gone.
#pragma once

#include <string>
#include <string_view>

#include "workareas/areas_trabalho.h"
#include "rt/ui/data_source.h"
#include "rt/ui/binding.h"

namespace console {

// What every browse over a work area shares: the table looked up on each move, the ends and
// the jumps to them. How far a skip goes, and what a row's place is, each kind says.
class FonteArea : public rt::ui::DataSource {
 public:
  FonteArea(workareas::AreasTrabalho& areas, workareas::Area area) : areas_(areas), area_(area) {}

  rt::db::Table* tabela() const { return areas_.table(area_); }
  workareas::Area area() const { return area_; }

  void goTop() override;
  void goBottom() override;
  bool eof() const override;
  bool bof() const override;

 private:
  workareas::AreasTrabalho& areas_;
  workareas::Area area_;
};

class FonteTabela final : public FonteArea {
 public:
  using FonteArea::FonteArea;

  // The grids' skip rule: forward stops on the last row (a step onto the end is taken back),
  // backward on the first; returns the rows moved, with their sign.
  long skip(long n) override;
  long position() const override;
};

// The value of a field of the current record as a column shows it: a number whose picture has
// no template is written at the field's own width (as STR of the field), blank when zero under
// "@Z"; a field the table lacks reads as empty text.
rt::ui::Value valorColuna(const rt::db::Table* t, std::string_view campo, std::string_view picture);

}  // namespace console

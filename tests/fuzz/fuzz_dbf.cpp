// Any bytes as a DBF file: opening, moving and reading every field must never crash.
#include <cstdint>

#include "fuzz_util.h"
#include "rt/db/table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = fuzz::scratchPath(".DBF");
  fuzz::writeFile(path, data, size);
  auto t = rt::db::Table::open(path);
  if (!t) return 0;
  rt::db::Table& table = **t;
  for (int i = 0; i < 64 && !table.eof(); ++i) {
    for (int f = 0; f < table.fieldCount(); ++f) (void)table.get(f);
    table.skip();
    if (!table.status()) break;
  }
  (void)table.goBottom();
  (void)table.skip(-2);
  table.setDeletedHidden(true);
  (void)table.goTop();
  if (table.fieldCount() > 0) (void)table.setFilter(table.fields()[0].name + "=" + table.fields()[0].name);
  (void)table.goTop();
  return 0;
}

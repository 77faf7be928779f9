// Any bytes as the CDX index of a small table: opening, walking, seeking and changing keys
// must never crash, whatever the pages say.
#include <cstdint>

#include "fuzz_util.h"
#include "rt/db/cdx.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = fuzz::scratchPath(".CDX");
  fuzz::writeFile(path, data, size);
  auto ix = rt::db::CdxIndex::open(path, "CPF", 11, ' ', true);
  if (!ix) return 0;
  rt::db::CdxIndex& index = **ix;
  auto c = index.first();
  for (int i = 0; c && c->valid() && i < 2000; ++i) {
    (void)index.keyAt(*c);
    c = index.next(*c);
  }
  auto l = index.last();
  for (int i = 0; l && l->valid() && i < 50; ++i) l = index.prev(*l);
  (void)index.lowerBound("123");
  (void)index.countKeys();
  if (index.insert("12345678901", 7)) (void)index.erase("12345678901", 7);
  (void)index.erase("00000000000", 1);
  return 0;
}

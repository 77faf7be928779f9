// Any bytes as a DBT memo file: reading any block must never crash.
#include <cstdint>

#include "fuzz_util.h"
#include "rt/db/memo.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = fuzz::scratchPath(".DBT");
  fuzz::writeFile(path, data, size);
  auto m = rt::db::MemoFile::open(path, true);
  if (!m) return 0;
  for (std::uint32_t b = 0; b < 8; ++b) (void)m->read(b);
  (void)m->read(0xFFFFFFFFu);
  (void)m->write("texto");
  return 0;
}

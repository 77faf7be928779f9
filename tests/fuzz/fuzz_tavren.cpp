// The whole program under random keys: start-up, the main menu and everything under it. Run
// e.g. `fuzz_tavren -dict=tests/fuzz/tavren.dict -timeout=30 corpus-work/ tests/fuzz/corpus/tavren/`
// (see docs/testing.md for the keys each byte types and how a run ends).
#include <cstdint>

#include "programa_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::rodaPrograma(data, size);
  return 0;
}

// The smoke pass of the tests runs every benchmark once (TAVREN_BENCH_SMOKE set): a benchmark
// that fixes its own iteration count or minimum time takes it through these, so the pass stays
// a few seconds while a run by hand measures as written.
#pragma once

#include <cstdlib>

namespace bench {

inline bool smoke() {
  const char* v = std::getenv("TAVREN_BENCH_SMOKE");
  return v != nullptr && *v != '\0';
}

inline int iterations(int n) {
  return smoke() ? 1 : n;
}
inline double minTime(double seconds) {
  return smoke() ? 0.000001 : seconds;
}

}  // namespace bench

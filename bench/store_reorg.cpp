// Packing and reindexing a data folder of 10,000 taxpayers (the register, a summary row and a
// few rows of incomes, dependants, assets, payments, rural summary and cash book each), as the
// index rebuild after a power failure does: every table held, packed, its indexes built anew.
// Also the full rebuild with the program folder's tables. Run: build/bench/bench_store_reorg
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "pasta_bench.h"
#include "smoke.h"
#include "store/areas.h"
#include "store/reorg.h"

namespace {

using bench::kContribuintes;
using store::Area;

struct Ambiente : bench::PastaBench {
  Ambiente()
      : PastaBench("tavren-bench-reorg", {{Area::IMP0910, 1},
                                          {Area::IMP0110, 1},
                                          {Area::IMP0210, 3},
                                          {Area::IMP0310, 2},
                                          {Area::IMP0410, 4},
                                          {Area::IMP0610, 3},
                                          {Area::IMP1510, 1},
                                          {Area::IMP1910, 5}}) {}
};

Ambiente& ambiente() {
  static Ambiente a;
  return a;
}

void BM_ReorgPasta(benchmark::State& state) {
  Ambiente& a = ambiente();
  for (auto _ : state)
    if (!store::REORG(a.ctx, a.ctx.ROTADOANO, 3)) std::abort();
  state.counters["contribuintes"] = kContribuintes;
}
BENCHMARK(BM_ReorgPasta)->Unit(benchmark::kMillisecond)->Iterations(bench::iterations(3));

void BM_ReorgComPrograma(benchmark::State& state) {
  Ambiente& a = ambiente();
  for (auto _ : state)
    if (!store::REORG(a.ctx, a.ctx.ROTADOANO, 1)) std::abort();
}
BENCHMARK(BM_ReorgComPrograma)->Unit(benchmark::kMillisecond)->Iterations(bench::iterations(3));

}  // namespace

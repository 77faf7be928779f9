// Opening every table of a program folder and a data folder holding 10,000 taxpayers (the
// register, one summary row and a few rows of incomes, dependants, assets and payments each),
// with their index files in place: what a terminal pays each time it opens tables by number.
// Also the check pass of start-up over the same folders. Run: build/bench/bench_store_open
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "pasta_bench.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/catalogo.h"

namespace {

using store::Area;

struct Ambiente : bench::PastaBench {
  Ambiente()
      : PastaBench("tavren-bench-store", {{Area::IMP0910, 1},
                                          {Area::IMP0110, 1},
                                          {Area::IMP0210, 3},
                                          {Area::IMP0310, 2},
                                          {Area::IMP0410, 4},
                                          {Area::IMP0610, 3},
                                          {Area::IMP1210, 1}}) {
    // Every table made once, so the runs below only open.
    abreTudo();
    (void)ctx.areas.closeAll();
  }

  void abreTudo() {
    for (const store::TabelaDef& t : store::catalogo())
      if (!t.alternativa && !store::ABERTURA(ctx, t.numero)) std::abort();
  }
};

Ambiente& ambiente() {
  static Ambiente a;
  return a;
}

void BM_AbreTodasAsTabelas(benchmark::State& state) {
  Ambiente& a = ambiente();
  for (auto _ : state) {
    a.abreTudo();
    state.PauseTiming();
    (void)a.ctx.areas.closeAll();
    state.ResumeTiming();
  }
  state.counters["tabelas"] = static_cast<double>(store::catalogo().size() - 1);
}
BENCHMARK(BM_AbreTodasAsTabelas)->Unit(benchmark::kMillisecond);

void BM_AbreOCadastro(benchmark::State& state) {
  Ambiente& a = ambiente();
  for (auto _ : state) {
    if (!store::ABERTURA(a.ctx, store::Area::IMP0910)) std::abort();
    benchmark::DoNotOptimize(a.ctx.areas.table(store::Area::IMP0910)->recordCount());
  }
}
BENCHMARK(BM_AbreOCadastro)->Unit(benchmark::kMicrosecond);

void BM_Verificacao(benchmark::State& state) {
  Ambiente& a = ambiente();
  for (auto _ : state)
    if (!store::ABERTURA(a.ctx, store::Area::Nenhuma)) std::abort();
}
BENCHMARK(BM_Verificacao)->Unit(benchmark::kMillisecond);

}  // namespace

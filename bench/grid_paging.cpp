// Paging through the payments grid of a working copy of 100,000 rows: each key (PgDn, then
// PgUp at the end) costs the same as on a short table, because the grid reads only the rows
// on screen.
#include <benchmark/benchmark.h>

#include "copias_bench.h"
#include "grid/edita.h"
#include "rt/term/keys.h"
#include "smoke.h"
#include "store/areas.h"
#include "store/tabelas_declaracao.h"

namespace {

void BM_GridPaging(benchmark::State& state) {
  bench::CopiasBench b("bench_grid");
  store::Contexto& ctx = b.ctx;
  if (!store::criaCopia(ctx, store::Area::TMP_06).isOk()) {
    state.SkipWithError("working copy");
    return;
  }
  rt::db::Table& t = *ctx.areas.table(store::Area::TMP_06);
  for (int i = 0; i < 100000; ++i) {
    (void)t.appendBlank();
    (void)t.put("I6_1", std::string("BENEFICIARIO ") + std::to_string(i));
    (void)t.put("I6_4", rt::text::Decimal::fromInt(i));
  }
  (void)t.goTop();
  grid::Grade g;
  const int teclas = 2000;
  for (auto _ : state) {
    for (int i = 0; i < teclas; ++i) b.term.press(i < teclas / 2 ? rt::term::key::PgDn : rt::term::key::PgUp);
    b.term.press(rt::term::key::Esc);
    grid::EDITA(ctx, g, 4);
  }
  state.SetItemsProcessed(state.iterations() * teclas);
}
BENCHMARK(BM_GridPaging)->Unit(benchmark::kMillisecond)->Iterations(bench::iterations(3));

}  // namespace

// The browse over a large source: a page down must cost the rows on screen, not the source's
// size.
#include <benchmark/benchmark.h>

#include "rt/term/screen.h"
#include "rt/ui/browse.h"

namespace {

using rt::ui::Browse;
using rt::ui::makeColumn;
using rt::ui::Decimal;
using rt::ui::MatrixSource;

std::vector<MatrixSource::Row> makeRows(int n) {
  std::vector<MatrixSource::Row> rows;
  rows.reserve(static_cast<std::size_t>(n));
  for (int i = 1; i <= n; ++i)
    rows.push_back({Decimal(i), "Contribuinte " + std::to_string(i), Decimal(i) * 3 + Decimal::fromRaw(25'000'000)});
  return rows;
}

void BM_BrowsePageDown(benchmark::State& state) {
  MatrixSource source(makeRows(static_cast<int>(state.range(0))));
  rt::term::Screen screen;
  Browse b(screen, {2, 0, 22, 79}, source);
  b.setColSep("\xB3");
  b.setHeadSep("\xCD");
  b.addColumn(makeColumn("Nr", [&] { return source.cell(0); }, "999999"));
  b.addColumn(makeColumn("Nome", [&] { return source.cell(1); }, "@S40"));
  b.addColumn(makeColumn("Valor", [&] { return source.cell(2); }, "@E 99,999,999.99"));
  b.forceStable();
  for (auto _ : state) {
    b.pageDown();
    if (b.hitBottom()) b.goTop();
    b.forceStable();
  }
  benchmark::DoNotOptimize(screen.version());
}
BENCHMARK(BM_BrowsePageDown)->Arg(1000)->Arg(100'000);

void BM_BrowseDownOneRow(benchmark::State& state) {
  MatrixSource source(makeRows(100'000));
  rt::term::Screen screen;
  Browse b(screen, {2, 0, 22, 79}, source);
  b.addColumn(makeColumn("Nr", [&] { return source.cell(0); }, "999999"));
  b.addColumn(makeColumn("Valor", [&] { return source.cell(2); }, "@E 99,999,999.99"));
  b.forceStable();
  for (auto _ : state) {
    b.down();
    if (b.hitBottom()) b.goTop();
    b.forceStable();
  }
}
BENCHMARK(BM_BrowseDownOneRow);

}  // namespace

// Paging through the payments grid of a working copy of 100,000 rows: each key (PgDn, then
// PgUp at the end) costs the same as on a short table, because the grid reads only the rows
// on screen.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "grid/edita.h"
#include "rt/term/console.h"
#include "rt/term/keys.h"
#include "rt/term/scripted_terminal.h"
#include "store/contexto.h"
#include "store/espera.h"
#include "store/tabelas_declaracao.h"

namespace {

void BM_GridPaging(benchmark::State& state) {
  const std::filesystem::path pasta = std::filesystem::temp_directory_path() / ("bench_grid_" + std::to_string(getpid()));
  std::filesystem::create_directories(pasta);
  rt::term::ScriptedTerminal term;
  rt::term::Console con(term);
  rt::text::FixedClock relogio{rt::text::LocalTime{rt::text::Date::fromYmd(2010, 4, 30), 36000, 0}};
  store::EsperaVirtual espera(&relogio);
  store::Contexto ctx(con, relogio, espera);
  ctx.definePastaPrograma(pasta.string());
  ctx.definePastaDados(pasta.string());
  ctx.definePastaTrabalho(pasta.string());
  if (!store::criaCopia(ctx, 26).isOk()) {
    state.SkipWithError("working copy");
    return;
  }
  rt::db::Table& t = *ctx.areas.table(26);
  for (int i = 0; i < 100000; ++i) {
    (void)t.appendBlank();
    (void)t.put("I6_1", std::string("BENEFICIARIO ") + std::to_string(i));
    (void)t.put("I6_4", rt::text::Decimal::fromInt(i));
  }
  (void)t.goTop();
  grid::Grade g;
  const int teclas = 2000;
  for (auto _ : state) {
    for (int i = 0; i < teclas; ++i) term.press(i < teclas / 2 ? rt::term::key::PgDn : rt::term::key::PgUp);
    term.press(rt::term::key::Esc);
    grid::EDITA(ctx, g, 4);
  }
  state.SetItemsProcessed(state.iterations() * teclas);
  (void)ctx.areas.closeAll();
  std::filesystem::remove_all(pasta);
}
BENCHMARK(BM_GridPaging)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

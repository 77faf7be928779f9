// Moving to another declaration screen draws its background: the layout made, window 3
// opened over the screen and the text written, and the field places looked up as a form
// places its fields. One iteration goes through every screen of both summary models. What
// the screens load (the recomputation of a declaration of 300 rows) is bench_taxcalc's; the
// two together stay well under a millisecond a screen.
#include <benchmark/benchmark.h>

#include "console/contexto.h"
#include "rt/term/console.h"
#include "rt/term/scripted_terminal.h"
#include "rt/text/date.h"
#include "screens/fundos.h"

namespace {

void BM_FundosDeTodasAsTelas(benchmark::State& state) {
  rt::term::ScriptedTerminal term;
  rt::term::Console con{term};
  rt::text::FixedClock relogio{rt::text::LocalTime{rt::text::Date::fromYmd(2010, 4, 30), 36000, 0}};
  console::Contexto ctx{con, relogio};
  screens::EstadoFundo simplificado;
  screens::EstadoFundo completo;
  completo.simplificado = false;
  completo.N_DEPEN = 3;
  for (auto _ : state) {
    for (const screens::EstadoFundo* e : {&simplificado, &completo}) {
      for (int n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 22, 23}) {
        const std::optional<screens::Fundo> f = screens::MTELA(ctx, n, *e);
        for (const console::CampoMoldura& c : f->quadro.campos()) benchmark::DoNotOptimize(screens::lugar(*f, c.rotulo));
      }
    }
  }
  state.SetItemsProcessed(state.iterations() * 38);
}
BENCHMARK(BM_FundosDeTodasAsTelas);

}  // namespace

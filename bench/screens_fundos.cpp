// Moving to another declaration screen draws its background: the layout made, window 3
// opened over the screen and the text written, and the field places looked up as a form
// places its fields. One iteration goes through every screen of both summary models. What
// the screens load (the recomputation of a declaration of 300 rows) is bench_taxcalc's; the
// two together stay well under a millisecond a screen.
//
// A screen with grids also draws them when it opens: screen 4 of a declaration of 300 rows
// (bench_taxcalc's: 100 payments and 20 dependants among them) draws its background, the
// payments' grid behind and the dependants' grid, the first draw a clerk waits for. A grid
// reads only the rows it shows; on leaving, it commits every open working copy.
#include <benchmark/benchmark.h>

#include <string>

#include "console/contexto.h"
#include "copias_bench.h"
#include "grid/edita.h"
#include "grid/estado.h"
#include "rt/db/table.h"
#include "rt/term/console.h"
#include "rt/term/scripted_terminal.h"
#include "rt/text/date.h"
#include "screens/fundos.h"
#include "store/areas.h"
#include "store/tabelas_declaracao.h"

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

void BM_Tela4PrimeiroDesenho(benchmark::State& state) {
  bench::CopiasBench b("bench_tela4");
  store::Contexto& ctx = b.ctx;
  // Every working copy of an open declaration, as a loaded one has them.
  for (const store::Area area : workareas::kCopias) (void)store::criaCopia(ctx, area);
  auto linhas = [&ctx](store::Area area, int n, auto&& preenche) {
    rt::db::Table* t = ctx.areas.table(area);
    if (t == nullptr) return false;
    for (int i = 0; i < n; ++i) {
      (void)t->appendBlank();
      (void)t->put("CPF", std::string("12345678909"));
      preenche(*t, i);
    }
    return t->commit().isOk();
  };
  // The rows of bench_taxcalc's declaration: incomes, payments, dependants, assets, debts.
  const bool feita =
      linhas(store::Area::TMP_02, 150,
             [](rt::db::Table& t, int i) { (void)t.put("I1_4", rt::text::Decimal(1000 + i)); }) &&
      linhas(store::Area::TMP_06, 100,
             [](rt::db::Table& t, int i) {
               (void)t.put("I6_1", "BENEFICIARIO " + std::to_string(i));
               (void)t.put("I6_3", rt::text::Decimal(10));
               (void)t.put("I6_2", std::string("11.222.333/0001-81"));
               (void)t.put("I6_4", rt::text::Decimal(100 + i));
             }) &&
      linhas(store::Area::TMP_03, 20,
             [](rt::db::Table& t, int i) {
               (void)t.put("NOMEDEPEN", "DEPENDENTE " + std::to_string(i + 1));
               (void)t.put("CODIDEPEN", rt::text::Decimal(21));
               (void)t.put("NRODEPEN", rt::text::Decimal(i + 1));
             }) &&
      linhas(store::Area::TMP_04, 20,
             [](rt::db::Table& t, int i) { (void)t.put("I7_4", rt::text::Decimal(12000 + i)); }) &&
      linhas(store::Area::TMP_05, 10,
             [](rt::db::Table& t, int) { (void)t.put("I8_4", rt::text::Decimal(400)); });
  if (!feita) {
    state.SkipWithError("working copies");
    return;
  }
  const screens::EstadoFundo estado;
  grid::TelaAberta pagina{.TELA = 4};
  grid::Grade g;
  g.tela = &pagina;
  for (auto _ : state) {
    const std::optional<screens::Fundo> f = screens::MTELA(ctx, 4, estado);
    benchmark::DoNotOptimize(f);
    g.SO_MOS = 1;
    (void)grid::EDITA(ctx, g, 4);
    (void)grid::EDITA(ctx, g, 3);
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Tela4PrimeiroDesenho)->Unit(benchmark::kMicrosecond);

}  // namespace

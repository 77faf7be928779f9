// Packing and reindexing a data folder of 10,000 taxpayers (the register, a summary row and a
// few rows of incomes, dependants, assets, payments, rural summary and cash book each), as the
// index rebuild after a power failure does: every table held, packed, its indexes built anew.
// Also the full rebuild with the program folder's tables. Run: build/bench/bench_store_reorg
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "rt/term/console.h"
#include "rt/term/scripted_terminal.h"
#include "rt/text/date.h"
#include "store/abertura.h"
#include "store/contexto.h"
#include "store/espera.h"
#include "store/reorg.h"

namespace {

constexpr int kContribuintes = 10000;

std::string cpfDe(int i) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%011llu", static_cast<unsigned long long>(i) * 99991ULL % 99999999999ULL);
  return buf;
}

struct Ambiente {
  rt::term::ScriptedTerminal term;
  rt::term::Console con{term};
  store::EsperaReal espera;
  store::Contexto ctx{con, rt::text::systemClock(), espera};
  std::string raiz;

  Ambiente() {
    raiz = (std::filesystem::temp_directory_path() / ("tavren-bench-reorg-" + std::to_string(getpid())))
               .string();
    for (const char* p : {"/prog", "/dados", "/trab"}) std::filesystem::create_directories(raiz + p);
    ctx.definePastaPrograma(raiz + "/prog");
    ctx.definePastaDados(raiz + "/dados");
    ctx.definePastaTrabalho(raiz + "/trab");
    const std::pair<int, int> linhas[] = {{9, 1}, {1, 1}, {2, 3}, {3, 2}, {4, 4}, {6, 3}, {15, 1}, {19, 5}};
    for (auto [n, porContribuinte] : linhas) {
      if (!store::ABERTURA(ctx, n, true)) std::abort();
      rt::db::Table& t = *ctx.areas.table(n);
      for (int i = 1; i <= kContribuintes; ++i) {
        for (int k = 1; k <= porContribuinte; ++k) {
          if (!t.appendBlank() || !t.put("CPF", cpfDe(i))) std::abort();
          if (n == 9 && !t.put("NOMECONTR", "CONTRIBUINTE " + std::to_string(i))) std::abort();
          if (n == 4 && !t.put("I7_0", rt::text::Decimal(k))) std::abort();
          if (n >= 15 && !t.put("ATV_BRASIL", std::string("S"))) std::abort();
        }
      }
      if (!t.commit()) std::abort();
    }
    (void)ctx.areas.closeAll();
  }
  ~Ambiente() {
    (void)ctx.areas.closeAll();
    std::error_code ec;
    std::filesystem::remove_all(raiz, ec);
  }
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
BENCHMARK(BM_ReorgPasta)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ReorgComPrograma(benchmark::State& state) {
  Ambiente& a = ambiente();
  for (auto _ : state)
    if (!store::REORG(a.ctx, a.ctx.ROTADOANO, 1)) std::abort();
}
BENCHMARK(BM_ReorgComPrograma)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

// Opening every table of a program folder and a data folder holding 10,000 taxpayers (the
// register, one summary row and a few rows of incomes, dependants, assets and payments each),
// with their index files in place: what a terminal pays each time it opens tables by number.
// Also the check pass of start-up over the same folders. Run: build/bench/bench_store_open
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
#include "store/catalogo.h"
#include "store/contexto.h"
#include "store/espera.h"

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
    raiz = (std::filesystem::temp_directory_path() / ("tavren-bench-store-" + std::to_string(getpid()))).string();
    std::filesystem::create_directories(raiz + "/prog");
    std::filesystem::create_directories(raiz + "/dados");
    std::filesystem::create_directories(raiz + "/trab");
    ctx.definePastaPrograma(raiz + "/prog");
    ctx.definePastaDados(raiz + "/dados");
    ctx.definePastaTrabalho(raiz + "/trab");
    preenche();
  }
  ~Ambiente() {
    (void)ctx.areas.closeAll();
    std::error_code ec;
    std::filesystem::remove_all(raiz, ec);
  }

  // Rows per taxpayer in each declaration table filled here.
  void preenche() {
    const std::pair<int, int> linhas[] = {{9, 1}, {1, 1}, {2, 3}, {3, 2}, {4, 4}, {6, 3}, {12, 1}};
    for (auto [n, porContribuinte] : linhas) {
      if (!store::ABERTURA(ctx, n, true)) std::abort();
      rt::db::Table& t = *ctx.areas.table(n);
      for (int i = 1; i <= kContribuintes; ++i) {
        for (int k = 1; k <= porContribuinte; ++k) {
          if (!t.appendBlank() || !t.put("CPF", cpfDe(i))) std::abort();
          if (n == 9 && !t.put("NOMECONTR", "CONTRIBUINTE " + std::to_string(i))) std::abort();
          if (n == 4 && !t.put("I7_0", rt::text::Decimal(k))) std::abort();
          if (n == 6 && !t.put("I6_3", rt::text::Decimal(k * 10))) std::abort();
        }
      }
      if (!t.commit()) std::abort();
    }
    (void)ctx.areas.closeAll();
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
    if (!store::ABERTURA(a.ctx, 9)) std::abort();
    benchmark::DoNotOptimize(a.ctx.areas.table(9)->recordCount());
  }
}
BENCHMARK(BM_AbreOCadastro)->Unit(benchmark::kMicrosecond);

void BM_Verificacao(benchmark::State& state) {
  Ambiente& a = ambiente();
  for (auto _ : state)
    if (!store::ABERTURA(a.ctx, 0)) std::abort();
}
BENCHMARK(BM_Verificacao)->Unit(benchmark::kMillisecond);

}  // namespace

// A print job over a data folder of 1,000 taxpayers (the cash-book kind: each taxpayer's rows
// of table 02 copied into the print copy, then a one-page test sheet), routed to a file in the
// work folder. Must stay under 2 s. Run: build/bench/bench_print
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "print/impressao.h"
#include "print/trabalho.h"
#include "rt/term/console.h"
#include "rt/term/keys.h"
#include "rt/term/scripted_terminal.h"
#include "rt/text/date.h"
#include "smoke.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/contexto.h"
#include "store/espera.h"

namespace {

constexpr int kContribuintes = 1000;

struct Pasta {
  rt::term::ScriptedTerminal term;
  rt::term::Console con{term};
  store::EsperaReal espera;
  store::Contexto ctx{con, rt::text::systemClock(), espera};
  std::string raiz;

  Pasta() {
    raiz = (std::filesystem::temp_directory_path() / ("tavren-bench-print-" + std::to_string(getpid()))).string();
    for (const char* p : {"/prog", "/dados", "/trab"}) std::filesystem::create_directories(raiz + p);
    ctx.definePastaPrograma(raiz + "/prog");
    ctx.definePastaDados(raiz + "/dados");
    ctx.definePastaTrabalho(raiz + "/trab");
    for (store::Area n : {store::Area::IMP0110, store::Area::IMP0210, store::Area::IMP0910}) {
      if (!store::ABERTURA(ctx, n, true)) std::abort();
      rt::db::Table& t = *ctx.areas.table(n);
      for (int i = 1; i <= kContribuintes; ++i) {
        char cpf[16];
        std::snprintf(cpf, sizeof cpf, "%011d", i * 9973);
        for (int k = 0; k < (n == store::Area::IMP0210 ? 12 : 1); ++k)
          if (!t.appendBlank() || !t.put("CPF", std::string(cpf))) std::abort();
        if (n == store::Area::IMP0910 && !t.put("NOMECONTR", "CONTRIBUINTE " + std::to_string(i)))
          std::abort();
      }
      if (!t.commit()) std::abort();
    }
    (void)ctx.areas.closeAll();
  }
  Pasta(const Pasta&) = delete;
  Pasta& operator=(const Pasta&) = delete;
  ~Pasta() {
    (void)ctx.areas.closeAll();
    std::error_code ec;
    std::filesystem::remove_all(raiz, ec);
  }
};

void BM_TrabalhoDaPasta(benchmark::State& state) {
  Pasta pasta;
  print::Escolhas esc;
  esc.QUEIMP = 10;
  esc.QUECON = 3;
  print::ServicosImpressao srv;
  srv.FOLHA = [](store::Contexto&, print::Impressao& imp, int) {
    for (int linha = 0; linha < 60; ++linha) imp.dispositivo.say(linha, 2, "Linha de teste da folha impressa");
    imp.QLIN = 60;
  };
  const platform::EnvLookup env = [](const char*) -> const char* { return nullptr; };
  for (auto _ : state) {
    // The cash book asks which months (all of them) and whether each month starts a page (no).
    pasta.term.press(rt::term::key::Enter).pause().type("N");
    print::Impressao imp;
    imp.conf.NROLPT = 0;
    if (!print::FAZIMP(pasta.ctx, imp, esc, srv, env)) state.SkipWithError("the job failed");
  }
  state.counters["contribuintes"] = kContribuintes;
}
BENCHMARK(BM_TrabalhoDaPasta)->Unit(benchmark::kMillisecond)->Iterations(bench::iterations(3));

}  // namespace

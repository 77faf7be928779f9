// Start-up of tavren up to the main menu on a program folder whose data folder holds
// 10,000 taxpayers (the register and a few declaration rows each), after its first start:
// what a terminal waits each morning. Run: build/bench/bench_startup
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "pasta_bench.h"
#include "rt/term/console.h"
#include "rt/term/scripted_terminal.h"
#include "rt/text/date.h"
#include "shell/inicio.h"
#include "shell/programa.h"
#include "store/abertura.h"
#include "store/espera.h"

namespace {

struct Pasta {
  std::string raiz;
  Pasta() {
    raiz = (std::filesystem::temp_directory_path() / ("tavren-bench-startup-" + std::to_string(getpid())))
               .string();
    std::filesystem::create_directories(raiz);
    rt::term::ScriptedTerminal term;
    rt::term::Console con{term};
    store::EsperaReal espera;
    shell::Program p(con, rt::text::systemClock(), espera, ambiente());
    if (!shell::INICIA(p, std::nullopt)) std::abort();
    bench::preencheDeclaracoes(p, {{store::Area::IMP0910, 1},
                                   {store::Area::IMP0110, 1},
                                   {store::Area::IMP0210, 3},
                                   {store::Area::IMP0410, 4}});
  }
  ~Pasta() {
    std::error_code ec;
    std::filesystem::remove_all(raiz, ec);
  }
  platform::EnvLookup ambiente() const {
    return [this](const char* nome) -> const char* {
      return std::string_view(nome) == "DTAVREN" ? raiz.c_str() : nullptr;
    };
  }
};

Pasta& pasta() {
  static Pasta p;
  return p;
}

void BM_InicioAteOMenu(benchmark::State& state) {
  Pasta& d = pasta();
  for (auto _ : state) {
    rt::term::ScriptedTerminal term;
    rt::term::Console con{term};
    store::EsperaReal espera;
    shell::Program p(con, rt::text::systemClock(), espera, d.ambiente());
    if (!shell::INICIA(p, std::nullopt)) state.SkipWithError("start-up ended");
  }
}
BENCHMARK(BM_InicioAteOMenu)->Unit(benchmark::kMillisecond);

}  // namespace


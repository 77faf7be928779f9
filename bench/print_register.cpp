// The complete register listing of a data folder of 1,000 taxpayers in name order (the
// questions answered on the scripted terminal, the register read and sorted in memory),
// printed to a file in the work folder. Must stay under 1 s. Run: build/bench/bench_print_register
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "print/folhas_declaracao.h"
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

struct Cadastro {
  rt::term::ScriptedTerminal term;
  rt::term::Console con{term};
  store::EsperaReal espera;
  store::Contexto ctx{con, rt::text::systemClock(), espera};
  std::string raiz;

  Cadastro() {
    raiz = (std::filesystem::temp_directory_path() / ("tavren-bench-cadastro-" + std::to_string(getpid()))).string();
    for (const char* p : {"/prog", "/dados", "/trab"}) std::filesystem::create_directories(raiz + p);
    ctx.definePastaPrograma(raiz + "/prog");
    ctx.definePastaDados(raiz + "/dados");
    ctx.definePastaTrabalho(raiz + "/trab");
    if (!store::ABERTURA(ctx, store::Area::IMP0910, true)) std::abort();
    rt::db::Table& t = *ctx.areas.table(store::Area::IMP0910);
    for (int i = 1; i <= kContribuintes; ++i) {
      char cpf[16];
      std::snprintf(cpf, sizeof cpf, "%011d", i * 9973);
      // Names in an order other than the CPFs', so the sort has work to do.
      const std::string nome = "CONTRIBUINTE " + std::to_string((i * 7919) % kContribuintes);
      if (!t.appendBlank() || !t.put("CPF", std::string(cpf)) || !t.put("NOMECONTR", nome) ||
          !t.put("TIPOEND", std::string("RUA")) || !t.put("ENDERECO", std::string("DAS FLORES")) ||
          !t.put("NUMERO", std::string("120")) || !t.put("MUNICIPIO", std::string("CAMPINAS")) ||
          !t.put("ESTATUS", rt::text::Decimal(i % 9 + 1)) || !t.put("IMPPGRE", rt::text::Decimal(i % 3 - 1)) ||
          !t.put("NASCIMENTO", rt::text::Date::fromYmd(1950 + i % 50, i % 12 + 1, i % 28 + 1)))
        std::abort();
    }
    if (!t.commit()) std::abort();
    (void)ctx.areas.closeAll();
  }
  Cadastro(const Cadastro&) = delete;
  Cadastro& operator=(const Cadastro&) = delete;
  ~Cadastro() {
    (void)ctx.areas.closeAll();
    std::error_code ec;
    std::filesystem::remove_all(raiz, ec);
  }
};

void BM_ListagemDoCadastro(benchmark::State& state) {
  Cadastro c;
  print::Escolhas esc;
  esc.QUEIMP = 12;
  esc.QUECON = 3;
  esc.QUEMOD = 2;
  const print::ServicosImpressao srv = print::folhasDaDeclaracao([esc] { return esc; });
  const platform::EnvLookup env = [](const char*) -> const char* { return nullptr; };
  for (auto _ : state) {
    // By name, every status and tax, the complete listing.
    c.term.type("2").type("T").type("T").pause().press(25).type("2").press(rt::term::key::Enter);
    print::Impressao imp;
    imp.conf.NROLPT = 0;
    if (!print::FAZIMP(c.ctx, imp, esc, srv, env)) state.SkipWithError("the job failed");
  }
  const auto bytes = std::filesystem::file_size(c.raiz + "/trab/RELATOR.TXT");
  if (bytes < 100000) state.SkipWithError("the listing is too short");
  state.counters["contribuintes"] = kContribuintes;
}
BENCHMARK(BM_ListagemDoCadastro)->Unit(benchmark::kMillisecond)->Iterations(bench::iterations(3));

}  // namespace

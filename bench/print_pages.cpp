// A declaration of 300 rows (100 incomes, 100 payments, 100 assets) printed to a file: sheets 1
// to 5 from the print copies, the copies made once beforehand. Must stay under 10 ms.
// Run: build/bench/bench_print_pages
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <span>
#include <string>

#include "pasta_bench.h"
#include "print/folhas_declaracao.h"
#include "print/impressao.h"
#include "print/trabalho.h"
#include "rt/dev/target.h"
#include "store/abertura.h"
#include "store/areas.h"

namespace {

using rt::text::Decimal;
using store::Area;

const std::string kCpf = "12345678909";

struct Declaracao {
  bench::PastaBench pasta{"tavren-bench-pages", {}};
  store::Contexto& ctx = pasta.ctx;
  std::string raiz = pasta.raiz;

  Declaracao() {
    // The declaration tables up to IMP1910, but for the cash book's.
    for (const Area n : std::span(workareas::kDeclaracao).first<19>()) {
      if (n == Area::IMP1310) continue;
      if (!store::ABERTURA(ctx, n, true)) std::abort();
      rt::db::Table& t = *ctx.areas.table(n);
      const int linhas = (n == Area::IMP0210 || n == Area::IMP0410 || n == Area::IMP0610) ? 100
                         : (n == Area::IMP0110 || n == Area::IMP0910)                     ? 1
                                                                                          : 0;
      for (int i = 1; i <= linhas; ++i) {
        if (!t.appendBlank() || !t.put("CPF", kCpf)) std::abort();
        bool ok = true;
        if (n == Area::IMP0910)
          ok = t.put("NOMECONTR", std::string("CONTRIBUINTE DE TESTE")) &&
               t.put("USAPADRAO", std::string("N"));
        if (n == Area::IMP0110) ok = t.put("I13_07", Decimal(500000)) && t.put("INDALERTA", Decimal(10));
        if (n == Area::IMP0210)
          ok = t.put("I1_1", std::string(i % 3 == 0 ? "D" : "J")) && t.put("I1_2", "FONTE " + std::to_string(i)) &&
               t.put("I1_4", Decimal(1000 * i)) && t.put("I1_8", std::string(i % 3 == 0 ? "33344455566" : ""));
        if (n == Area::IMP0410)
          ok = t.put("I7_1", Decimal(i)) && t.put("I7_5", Decimal(11)) && t.put("I7_2", "BEM " + std::to_string(i)) &&
               t.put("I7_3", Decimal(100 * i)) && t.put("I7_4", Decimal(110 * i));
        if (n == Area::IMP0610)
          ok = t.put("I6_1", "BENEFICIARIO " + std::to_string(i)) && t.put("I6_3", Decimal(1 + i % 90)) &&
               t.put("I6_4", Decimal(10 * i));
        if (!ok) std::abort();
      }
      if (!t.commit()) std::abort();
      (void)ctx.areas.close(n);
    }
    if (!store::ABERTURA(ctx, Area::IMP0910)) std::abort();
    rt::db::Table& reg = *ctx.areas.table(Area::IMP0910);
    reg.goTop();
    if (!reg.status() || !print::INIVAR(ctx, kCpf, 2, 19)) std::abort();
  }
};

void BM_PaginasDaDeclaracao(benchmark::State& state) {
  Declaracao d;
  print::Escolhas esc;
  esc.QUEPAG = 4;
  const std::string arquivo = d.raiz + "/trab/RELATOR.TXT";
  for (auto _ : state) {
    print::Impressao imp;
    auto alvo = rt::dev::openFile(arquivo, false);
    if (!alvo) {
      state.SkipWithError("the file could not be opened");
      break;
    }
    imp.dispositivo.route(std::move(*alvo));
    for (int folha = 1; folha <= 5; ++folha) print::FOLHA(d.ctx, imp, esc, folha);
    if (!imp.dispositivo.close()) state.SkipWithError("the output failed");
  }
  state.counters["linhas"] = 300;
}
BENCHMARK(BM_PaginasDaDeclaracao)->Unit(benchmark::kMillisecond);

}  // namespace

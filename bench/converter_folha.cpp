// The income statements of a payroll: a FOLHA.TXT of 10,000 lines imported into FOLHAPG (aim:
// under 1 s), and 10,000 statements transferred into a folder of 10,000 taxpayers (aim: under
// 5 s).
// Run: build/bench/bench_converter
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "converter/conversor.h"
#include "converter/folha_importa.h"
#include "converter/folha_transfere.h"
#include "pasta_bench.h"
#include "rt/term/keys.h"
#include "smoke.h"
#include "store/abertura.h"
#include "store/areas.h"

namespace {

using store::Area;

int quantos() { return bench::smoke() ? 50 : bench::kContribuintes; }

std::string folha(int n) {
  std::string texto;
  for (int i = 1; i <= n; ++i)
    texto += "\"" + bench::cpfDe(i) + "\",\"CONTRIBUINTE " + std::to_string(i) +
             "\",\"ACME LTDA\",\"11222333000181\",45678.90,4500.12,1200,0,3456.78,0,350,0,0,0,0,3800,\"\","
             "\"BOLSA\",\"PLR\",120,900\r\n";
  return texto;
}

// A new, empty FOLHAPG open in its area.
void folhaVazia(store::Contexto& ctx) {
  (void)store::fecha(ctx.areas, Area::FOLHAPG);
  for (const char* ext : {".DBF", ".CDX"}) std::filesystem::remove(ctx.ARQDEF + "FOLHAPG" + ext);
  if (!store::ABERTURA(ctx, Area::FOLHAPG)) std::abort();
}

void ImportaFolha10000(benchmark::State& state) {
  bench::PastaBench p("tavren-bench-folha", {});
  const std::string arquivo = p.raiz + "/dados/FOLHA.TXT";
  std::ofstream(arquivo, std::ios::binary) << folha(quantos());
  for (auto _ : state) {
    state.PauseTiming();
    folhaVazia(p.ctx);
    state.ResumeTiming();
    if (!converter::importaArquivo(p.ctx, arquivo)) state.SkipWithError("import");
  }
  state.SetItemsProcessed(state.iterations() * quantos());
}
BENCHMARK(ImportaFolha10000)->Unit(benchmark::kMillisecond)->Iterations(bench::iterations(5));

void TransfereFolha10000(benchmark::State& state) {
  bench::PastaBench p("tavren-bench-transfere", {{store::Area::IMP0910, 1}});
  const std::string arquivo = p.raiz + "/dados/FOLHA.TXT";
  std::ofstream(arquivo, std::ios::binary) << folha(quantos());
  converter::Conversor c;
  for (auto _ : state) {
    state.PauseTiming();
    (void)p.ctx.areas.closeAll();
    for (const char* t : {"IMP0110", "IMP0210", "IMP0610"})
      for (const char* ext : {".DBF", ".CDX"}) std::filesystem::remove(p.ctx.LOCARQ + t + ext);
    folhaVazia(p.ctx);
    if (!converter::importaArquivo(p.ctx, arquivo)) state.SkipWithError("import");
    p.term.pause().type("A");
    state.ResumeTiming();
    converter::TRANSFERE(p.ctx, c);
  }
  state.SetItemsProcessed(state.iterations() * quantos());
}
BENCHMARK(TransfereFolha10000)->Unit(benchmark::kMillisecond)->Iterations(bench::iterations(3));

}  // namespace

// The office's bulk outputs: the bank's remittance file of 10,000 slips built (aim: under 1 s)
// and a 100,000-row register exported as delimited text (aim: under 1 s).
// Run: build/bench/bench_office_remessa
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "office/boleto_remessa.h"
#include "rt/db/table.h"
#include "rt/db/transfer.h"
#include "smoke.h"
#include "store/catalogo.h"
#include "store/arquivos.h"

namespace {

using rt::text::Date;
using rt::text::Decimal;

void Remessa10000(benchmark::State& state) {
  office::ContaBoleto conta;
  conta.BOL_AGENCI = "0123";
  conta.BOL_CONTA = "456789";
  conta.BOL_NOME = "ESCRITORIO MODELO";
  conta.BOL_CNPJ = "11222333000181";
  conta.BOL_CARTEI = "109";
  std::vector<office::Boleto> boletos;
  const int n = bench::smoke() ? 10 : 10000;
  for (int i = 0; i < n; ++i)
    boletos.push_back({Decimal(i % 99999 + 1), Decimal(i + 1), Date::fromYmd(2010, 7, 1 + i % 28),
                       Decimal::parse("1234.56").value(), "CLIENTE " + std::to_string(i), "11144477735",
                       {"RUA", "DAS FLORES", "123", "CENTRO", "01310100", "SAO PAULO", "SP"}});
  for (auto _ : state) benchmark::DoNotOptimize(office::remessa(conta, boletos, Date::fromYmd(2010, 6, 20)));
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(Remessa10000)->Unit(benchmark::kMillisecond);

void CadastroDelimitado100000(benchmark::State& state) {
  const std::string pasta =
      (std::filesystem::temp_directory_path() / ("tavren-bench-texto-" + std::to_string(getpid()))).string();
  std::filesystem::create_directories(pasta);
  const int n = bench::smoke() ? 100 : 100000;
  {
    if (!rt::db::Table::create(pasta + "/IMP0910", store::camposDbf(store::estrutura(store::Area::IMP0910)))) {
      state.SkipWithError("create");
      return;
    }
    auto t = rt::db::Table::open(pasta + "/IMP0910", {.exclusive = true, .readOnly = false, .alias = {}});
    if (!t) {
      state.SkipWithError("open");
      return;
    }
    for (int i = 0; i < n; ++i) {
      (void)(*t)->appendBlank();  // a benchmark's own scratch table
      (void)(*t)->put("CPF", std::to_string(10000000000LL + i));
      (void)(*t)->put("NOMECONTR", std::string("CONTRIBUINTE \"") + std::to_string(i) + "\"");
      (void)(*t)->put("NASCIMENTO", Date::fromYmd(1960, 1 + i % 12, 1 + i % 28));
      (void)(*t)->put("VALOREC", Decimal(i % 1000));
    }
    (void)(*t)->close();
  }
  auto t = rt::db::Table::open(pasta + "/IMP0910", {.exclusive = true, .readOnly = false, .alias = {}});
  for (auto _ : state)
    if (!rt::db::copyToDelimited(**t, pasta + "/Cadastro.txt")) state.SkipWithError("export");
  state.SetItemsProcessed(state.iterations() * n);
  (void)(*t)->close();
  std::filesystem::remove_all(pasta);
}
BENCHMARK(CadastroDelimitado100000)->Unit(benchmark::kMillisecond)->Iterations(bench::iterations(3));

}  // namespace

// The whole recomputation of a declaration of 300 rows (incomes, payments, dependants, assets
// and debts in their working copies): what every screen change and every save costs.
// Target: well under a millisecond.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "rt/db/table.h"
#include "store/areas.h"
#include "store/arquivos.h"
#include "store/catalogo.h"
#include "store/espelho.h"
#include "taxcalc/calc.h"
#include "taxcalc/pagamentos.h"
#include "taxcalc/rendimentos.h"
#include "workareas/areas_trabalho.h"

namespace {

using rt::text::Decimal;
using namespace rt::text::literals;
using store::Area;

// The working copies the declaration fills.
constexpr Area kCopiasUsadas[] = {Area::TMP_02, Area::TMP_03, Area::TMP_04,
                                  Area::TMP_05, Area::TMP_06, Area::TMP_10};

struct Declaracao300 {
  Declaracao300() {
    std::string modelo = (std::filesystem::temp_directory_path() / "benchtaxcalcXXXXXX").string();
    pasta = mkdtemp(modelo.data());
    for (Area area : kCopiasUsadas) {
      const std::string nome = pasta + "/TMP_" + std::to_string(store::numero(area) - 20) + "01";
      (void)rt::db::Table::create(nome, store::camposDbf(store::estrutura(area)),
                                  rt::db::CreateMode::kReplace);
      rt::db::OpenOptions o;
      o.exclusive = true;
      (void)areas.open(area, nome + ".DBF", o);
    }
    auto linha = [&](Area area) -> rt::db::Table& {
      rt::db::Table& t = *areas.table(area);
      (void)t.appendBlank();
      (void)t.put("CPF", std::string("12345678909"));
      return t;
    };
    for (int i = 0; i < 150; ++i) {  // incomes
      rt::db::Table& t = linha(Area::TMP_02);
      (void)t.put("I1_1", std::string(i % 5 == 0 ? "D" : "J"));
      (void)t.put("I1_4", Decimal(1000 + i * 7));
      (void)t.put("I1_5", Decimal(50 + i));
      (void)t.put("I1_6", Decimal(80));
      (void)t.put("I1_7", Decimal(90));
      (void)t.put("I1_11", std::string(i % 5 == 0 ? "N" : "S"));
    }
    for (int i = 0; i < 100; ++i) {  // payments of every kind
      rt::db::Table& t = linha(Area::TMP_06);
      (void)t.put("I6_3", Decimal(i % 99 + 1));
      (void)t.put("I6_4", Decimal(100 + i));
      (void)t.put("I6_6", Decimal(i % 3));
    }
    for (int i = 0; i < 20; ++i) {
      rt::db::Table& t = linha(Area::TMP_03);
      (void)t.put("CODIDEPEN", Decimal(i < 18 ? 21 : 98));
      (void)t.put("NRODEPEN", Decimal(i + 1));
    }
    for (int i = 0; i < 20; ++i) {
      rt::db::Table& t = linha(Area::TMP_04);
      (void)t.put("I7_3", Decimal(10000 + i));
      (void)t.put("I7_4", Decimal(12000 + i));
    }
    for (int i = 0; i < 10; ++i) {
      rt::db::Table& t = linha(Area::TMP_05);
      (void)t.put("I8_3", Decimal(500));
      (void)t.put("I8_4", Decimal(400));
    }
    // Loading makes the copies first and opens them afterwards; do the same, so the rows are
    // read as a loaded declaration's are.
    for (Area area : kCopiasUsadas) {
      const std::string nome = areas.table(area)->path();
      (void)areas.close(area);
      rt::db::OpenOptions o;
      o.exclusive = true;
      (void)areas.open(area, nome, o);
    }
    d.tabela01.num("CAL_AUTO", Decimal(1));
    d.registro.txt("USAPADRAO", "N");
  }
  ~Declaracao300() {
    (void)areas.closeAll();
    std::error_code ec;
    std::filesystem::remove_all(pasta, ec);
  }

  std::string pasta;
  workareas::AreasTrabalho areas;
  store::EspelhoDeclaracao d;
  taxcalc::Variaveis v;
  rt::text::FixedClock relogio{rt::text::LocalTime{rt::text::Date::fromYmd(2010, 3, 15), 0, 0}};
  taxcalc::Saida saida;
  taxcalc::Vizinhos vizinhos;
  taxcalc::Contexto c{areas, d, v, relogio, saida, vizinhos};
};

// Income and payment totals from every row, then the whole summary.
void BM_RecomputacaoCompleta(benchmark::State& state) {
  Declaracao300 dec;
  for (auto _ : state) {
    taxcalc::FI1_T(dec.c, 0);
    dec.d.JA_CALC = false;
    taxcalc::FDE_TUDO(dec.c, 2);
    taxcalc::CALC(dec.c, 7, 0);
    benchmark::DoNotOptimize(dec.d.tabela01.num("I13_19"));
  }
}
BENCHMARK(BM_RecomputacaoCompleta)->Unit(benchmark::kMicrosecond);

// What loading runs: every total, the assets and debts, the summary.
void BM_Balanco(benchmark::State& state) {
  Declaracao300 dec;
  for (auto _ : state) {
    dec.d.JA_CALC = false;
    taxcalc::BALANCO(dec.c);
    benchmark::DoNotOptimize(dec.d.tabela01.num("I13_19"));
  }
}
BENCHMARK(BM_Balanco)->Unit(benchmark::kMicrosecond);

// The summary alone (a screen left without changes).
void BM_Resumo(benchmark::State& state) {
  Declaracao300 dec;
  taxcalc::BALANCO(dec.c);
  for (auto _ : state) {
    taxcalc::CALC(dec.c, 7, 0);
    benchmark::DoNotOptimize(dec.d.tabela01.num("I13_19"));
  }
}
BENCHMARK(BM_Resumo)->Unit(benchmark::kMicrosecond);

}  // namespace

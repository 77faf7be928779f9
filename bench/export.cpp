// The declaration file of a declaration of 300 rows (incomes, payments, dependants, assets,
// debts and carnê-leão rows in their working copies): reading the copies and writing the file
// in the work folder, as each export does. Target: under 5 ms.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "export/gerar.h"
#include "rt/db/table.h"
#include "store/areas.h"
#include "store/arquivos.h"
#include "store/catalogo.h"
#include "store/espelho.h"
#include "workareas/areas_trabalho.h"

namespace {

using rt::text::Decimal;
using store::Area;

// The working copies the declaration fills.
constexpr Area kCopiasUsadas[] = {Area::TMP_02, Area::TMP_03, Area::TMP_04, Area::TMP_05,
                                  Area::TMP_06, Area::TMP_12, Area::TMP_14};

struct Declaracao300 {
  Declaracao300() {
    std::string modelo = (std::filesystem::temp_directory_path() / "benchexportXXXXXX").string();
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
    for (int i = 0; i < 120; ++i) {
      rt::db::Table& t = linha(Area::TMP_02);
      (void)t.put("I1_1", std::string(i % 5 == 0 ? "D" : "J"));
      (void)t.put("I1_2", std::string("FONTE PAGADORA ") + std::to_string(i));
      (void)t.put("I1_3", std::string("11.222.333/0001-81"));
      (void)t.put("I1_4", Decimal(1000 + i * 7));
      (void)t.put("I1_5", Decimal(50 + i));
      (void)t.put("I1_15", Decimal(i % 3));
    }
    for (int i = 0; i < 80; ++i) {
      rt::db::Table& t = linha(Area::TMP_06);
      (void)t.put("I6_1", std::string("BENEFICIARIO ") + std::to_string(i));
      (void)t.put("I6_2", std::string("123.456.789-09"));
      (void)t.put("I6_3", Decimal(i % 99 + 1));
      (void)t.put("I6_4", Decimal(100 + i));
      (void)t.put("I6_6", Decimal(i % 3));
    }
    for (int i = 0; i < 20; ++i) {
      rt::db::Table& t = linha(Area::TMP_03);
      (void)t.put("NOMEDEPEN", std::string("DEPENDENTE ") + std::to_string(i));
      (void)t.put("CODIDEPEN", Decimal(i < 18 ? 21 : 98));
      (void)t.put("NRODEPEN", Decimal(i + 1));
    }
    for (int i = 0; i < 60; ++i) {
      rt::db::Table& t = linha(Area::TMP_04);
      (void)t.put("I7_1", Decimal(i % 4 == 0 ? 0 : i));
      (void)t.put("I7_2", std::string(200, 'B'));
      (void)t.put("I7_3", Decimal(i % 4 == 1 ? 0 : 10000 + i));
      (void)t.put("I7_4", Decimal(i % 4 == 1 ? 0 : 12000 + i));
    }
    for (int i = 0; i < 15; ++i) {
      rt::db::Table& t = linha(Area::TMP_05);
      (void)t.put("I8_2", std::string("DIVIDA"));
      (void)t.put("I8_3", Decimal(500));
      (void)t.put("I8_4", Decimal(400));
    }
    for (int i = 0; i < 5; ++i) {
      rt::db::Table& t = linha(Area::TMP_12);
      (void)t.put("I2_101", Decimal(1000));
      if (i > 0) (void)t.put("CPFdepen", std::string("22233344405"));
    }
    for (Area area : kCopiasUsadas) (void)areas.table(area)->flush();
    d.registro.txt("CPF", "12345678909");
  }
  ~Declaracao300() {
    (void)areas.closeAll();
    std::error_code ec;
    std::filesystem::remove_all(pasta, ec);
  }

  std::string pasta;
  workareas::AreasTrabalho areas;
  store::EspelhoDeclaracao d;
};

void BM_ArquivoDaDeclaracao(benchmark::State& state) {
  Declaracao300 dec;
  const std::string arquivo = dec.pasta + "/DECLA00.XML";
  for (auto _ : state) {
    exporta::DadosDeclaracao dados(dec.d);
    (void)exporta::leCopias(dec.areas, dados);
    benchmark::DoNotOptimize(exporta::GERAR(arquivo, dados, [](std::string_view) { return true; }));
  }
}
BENCHMARK(BM_ArquivoDaDeclaracao)->Unit(benchmark::kMicrosecond);

}  // namespace

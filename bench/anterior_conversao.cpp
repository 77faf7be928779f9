// Last year's folder of 1,000 taxpayers carried into an empty year's folder by item 1, every
// taxpayer marked (aim: under 30 s). Each has a register row, table 1, two income sources, a
// dependant, three payees, three assets of two rows each, a debt, a note and an expense.
// Run: build/bench/bench_anterior
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "converter/anterior_menu.h"
#include "converter/conversor.h"
#include "pasta_bench.h"
#include "rt/db/table.h"
#include "rt/text/strings.h"
#include "smoke.h"
#include "store/areas.h"
#include "store/catalogo.h"
#include "store/relato.h"

namespace {

using rt::text::Decimal;
using rt::text::Value;
using Campos = std::vector<std::pair<const char*, Value>>;

int quantos() { return bench::smoke() ? 20 : 1000; }

// "Sim" to the sold-asset question, quiet otherwise.
class Responde final : public store::Relato {
 public:
  int escolha(std::span<const std::string>, std::span<const std::string>) override { return 2; }
};

void tabela(const std::string& pasta, store::Area n, int contribuintes, const std::vector<Campos>& porContribuinte) {
  std::vector<rt::db::FieldDef> f;
  for (const store::CampoDef& c : store::estrutura(n)) f.push_back({rt::text::upper(c.nome), c.tipo, c.largura, c.decimais});
  const std::string caminho = pasta + "/IMP" + rt::text::doisDigitos(store::numero(n)) + "09.DBF";
  if (!rt::db::Table::create(caminho, f, rt::db::CreateMode::kReplace)) std::abort();
  auto t = rt::db::Table::open(caminho);
  if (!t) std::abort();
  for (int i = 1; i <= contribuintes; ++i)
    for (const Campos& l : porContribuinte) {
      if (!(*t)->appendBlank() || !(*t)->put("CPF", bench::cpfDe(i))) std::abort();
      if (n == store::Area::IMP0910 && !(*t)->put("NOMECONTR", "CONTRIBUINTE " + std::to_string(i))) std::abort();
      for (const auto& [campo, v] : l)
        if (!(*t)->put(campo, v)) std::abort();
    }
  if (!(*t)->commit()) std::abort();
}

void ConverteAnterior1000(benchmark::State& state) {
  bench::PastaBench p("tavren-bench-anterior", {});
  Responde responde;
  p.ctx.defineRelato(&responde);
  const std::string origem = p.raiz + "/ant";
  std::filesystem::create_directories(origem);
  const int n = quantos();
  tabela(origem, store::Area::IMP0910, n, {{{"ENDERECO", std::string("RUA DO BANCO")}, {"IMPPGRE", Decimal(-120)}}});
  tabela(origem, store::Area::IMP0110, n, {{{"DESPALIM", Decimal(1)}}});
  tabela(origem, store::Area::IMP0210, n, {{{"I1_1", std::string("F")}, {"I1_2", std::string("EMPRESA")}},
                        {{"I1_1", std::string("J")}, {"I1_2", std::string("BANCO")}}});
  tabela(origem, store::Area::IMP0310, n, {{{"NOMEDEPEN", std::string("FILHO")}, {"CODIDEPEN", Decimal(21)}}});
  tabela(origem, store::Area::IMP0610, n, {{{"I6_1", std::string("MEDICO")}, {"I6_3", Decimal(3)}},
                        {{"I6_1", std::string("DENTISTA")}, {"I6_3", Decimal(4)}},
                        {{"I6_1", std::string("ESCOLA")}, {"I6_3", Decimal(50)}}});
  std::vector<Campos> bens;
  for (int k = 1; k <= 3; ++k) {
    bens.push_back({{"I7_1", Decimal(k)}, {"I7_2", std::string("BEM DESCRITO")}, {"I7_5", Decimal(11)}});
    bens.push_back({{"I7_2", std::string(" EM DUAS LINHAS")}, {"I7_3", Decimal(100 * k)}, {"I7_4", Decimal(150 * k)}});
  }
  tabela(origem, store::Area::IMP0410, n, bens);
  tabela(origem, store::Area::IMP0510, n, {{{"I8_1", Decimal(1)}, {"I8_2", std::string("EMPRESTIMO")}, {"I8_4", Decimal(50)}}});
  tabela(origem, store::Area::IMP1110, n, {{{"OBSERV", std::string("NOTA")}}});
  tabela(origem, store::Area::IMP1010, n, {{{"CODDESP", Decimal(1)}, {"VALODESP", Decimal(10)}}});
  for (store::Area t : {store::Area::IMP0710, store::Area::IMP0810, store::Area::IMP1410}) tabela(origem, t, n, {});

  converter::Conversor c;
  c.OPCAO_1 = converter::kBrantel;
  c.ARQORIG = origem;
  converter::TelaConversao tela;
  tela.seleciona = [](store::Contexto& x) {
    rt::db::Table& t = *store::tabela(x.areas, store::Area::LISNOME);
    for (t.goTop(); !t.eof(); t.skip(1))
      if (!t.put("IMPRE", std::string("S"))) std::abort();
    if (!t.commit()) std::abort();
  };
  for (auto _ : state) {
    state.PauseTiming();
    (void)p.ctx.areas.closeAll();
    std::filesystem::remove_all(p.raiz + "/dados");
    std::filesystem::create_directories(p.raiz + "/dados");
    state.ResumeTiming();
    const converter::Contadores r = converter::converteAnteriores(p.ctx, c, tela);
    if (r.convertidos != n) state.SkipWithError("not every taxpayer was converted");
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(ConverteAnterior1000)->Unit(benchmark::kMillisecond)->Iterations(bench::iterations(1));

}  // namespace

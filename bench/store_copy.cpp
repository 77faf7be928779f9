// Loading and saving one declaration of about 300 rows in a data folder of 10,000 taxpayers
// (about 1,000,000 rows over the declaration tables). The folder is made once and kept in the
// temporary folder (tavren-bench-store-copy) for later runs. Run: build/bench/bench_store_copy
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "rt/db/structure.h"
#include "rt/db/table.h"
#include "rt/term/console.h"
#include "rt/term/scripted_terminal.h"
#include "rt/text/date.h"
#include "smoke.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/arquivos.h"
#include "store/catalogo.h"
#include "store/contexto.h"
#include "store/copia_trabalho.h"
#include "store/declaracao.h"
#include "store/espera.h"
#include "store/salva.h"

namespace {

using rt::db::FieldDef;

constexpr int kContribuintes = 10000;
constexpr int kAlvo = 5000;  // the taxpayer whose declaration is loaded and saved
// Rows per taxpayer and table (about 100); the benchmarked taxpayer has three times as many.
constexpr int kLinhas[20] = {0, 1, 15, 5, 25, 5, 10, 5, 5, 1, 10, 5, 3, 0, 5, 1, 2, 2, 1, 0};

std::string cpfDe(int i) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%011d", 10000000 + i * 7);
  return buf;
}

// Writes table n's file directly: header, records, end mark.
void escreveTabela(const std::string& caminho, int n) {
  std::vector<FieldDef> campos = store::camposDbf(store::estrutura(workareas::declaracao(n)));
  if (!rt::db::normaliseFields(campos)) std::abort();
  rt::db::DbfHeader h;
  h.year = 110;
  h.month = 4;
  h.day = 30;
  h.fields = campos;
  h.headerLength = static_cast<std::uint32_t>(32 + 32 * campos.size() + 1);
  h.recordLength = 1;
  for (const FieldDef& f : campos) h.recordLength += static_cast<std::uint32_t>(f.width);
  std::string branco = " ";
  for (const FieldDef& f : campos) branco += rt::db::formatField(f, rt::db::blankValue(f)).value();
  std::uint32_t total = 0;
  for (int c = 0; c < kContribuintes; ++c) total += static_cast<std::uint32_t>(kLinhas[n] * (c == kAlvo && n != 1 && n != 9 && n != 15 ? 3 : 1));
  h.recordCount = total;
  std::ofstream out(caminho, std::ios::binary);
  out << rt::db::encodeHeader(h);
  const FieldDef* atv = nullptr;
  for (const FieldDef& f : campos)
    if (f.name == "ATV_BRASIL") atv = &f;
  for (int c = 0; c < kContribuintes; ++c) {
    const std::string cpf = cpfDe(c);
    const int k = kLinhas[n] * (c == kAlvo && n != 1 && n != 9 && n != 15 ? 3 : 1);
    for (int i = 0; i < k; ++i) {
      std::string r = branco;
      r.replace(static_cast<std::size_t>(campos[0].offset), 11, cpf);
      if (atv != nullptr) r[static_cast<std::size_t>(atv->offset)] = 'S';
      out << r;
    }
  }
  out << '\x1A';
}

struct Ambiente {
  rt::term::ScriptedTerminal term;
  rt::term::Console con{term};
  rt::text::FixedClock relogio{rt::text::LocalTime{rt::text::Date::fromYmd(2010, 4, 30), 36000, 0}};
  store::EsperaReal espera;
  store::Contexto ctx{con, relogio, espera};
  store::Declaracao dec;
  std::string raiz;

  Ambiente() {
    raiz = (std::filesystem::temp_directory_path() / "tavren-bench-store-copy").string();
    const std::string pronto = raiz + "/PRONTO";
    ctx.NUSU = "01";
    ctx.definePastaPrograma(raiz + "/prog");
    ctx.definePastaDados(raiz + "/dados");
    ctx.definePastaTrabalho(raiz + "/trab");
    if (!std::filesystem::exists(pronto)) {
      std::filesystem::remove_all(raiz);
      for (const char* p : {"/prog", "/dados", "/trab"}) std::filesystem::create_directories(raiz + p);
      for (int n = 1; n <= 20; ++n) {
        if (n == 13 || n == 20) continue;
        const store::TabelaDef& t = *store::tabela(workareas::declaracao(n));
        const std::string dbf = store::caminho(ctx, store::comExtensao(store::arquivoTabela(ctx, t), ".DBF"));
        escreveTabela(dbf, n);
        auto tab = rt::db::Table::open(dbf, {.exclusive = true, .readOnly = false, .alias = {}});
        if (!tab) std::abort();
        for (const store::IndiceDef& i : store::indicesDe(ctx, t))
          if (!(*tab)->openIndex(store::caminho(ctx, store::comExtensao(i.arquivo, ".CDX")), i.chave)) std::abort();
      }
      std::ofstream(pronto) << "ok\n";
    }
    dec.espelho.CPF = cpfDe(kAlvo);
  }
};

Ambiente& ambiente() {
  static Ambiente a;
  return a;
}

void BM_LoadDeclaration(benchmark::State& state) {
  Ambiente& a = ambiente();
  for (auto _ : state) {
    a.dec.espelho.CPF = cpfDe(kAlvo);
    if (!store::INIC_VAR(a.ctx, a.dec, 0, 1)) state.SkipWithError("load failed");
    state.PauseTiming();
    store::FECHA_PROV(a.ctx);
    state.ResumeTiming();
  }
  std::size_t linhas = 0;
  (void)store::INIC_VAR(a.ctx, a.dec, 0, 1);
  for (const store::Area n : workareas::kCopias)
    if (auto* t = a.ctx.areas.table(n)) {
      (void)t->goTop();
      for (; !t->eof(); (void)t->skip(1)) ++linhas;
    }
  state.counters["rows"] = static_cast<double>(linhas);
}
BENCHMARK(BM_LoadDeclaration)->Unit(benchmark::kMillisecond)->MinTime(bench::minTime(2.0));

void BM_AutosaveDeclaration(benchmark::State& state) {
  Ambiente& a = ambiente();
  a.dec.espelho.CPF = cpfDe(kAlvo);
  if (!store::INIC_VAR(a.ctx, a.dec, 0, 1)) state.SkipWithError("load failed");
  for (auto _ : state)
    if (!store::SALVATUDO(a.ctx, a.dec, 0)) state.SkipWithError("save failed");
}
BENCHMARK(BM_AutosaveDeclaration)->Unit(benchmark::kMillisecond)->MinTime(bench::minTime(2.0));

void BM_FinalSaveDeclaration(benchmark::State& state) {
  Ambiente& a = ambiente();
  for (auto _ : state) {
    state.PauseTiming();
    a.dec.espelho.CPF = cpfDe(kAlvo);
    if (!store::INIC_VAR(a.ctx, a.dec, 0, 1)) state.SkipWithError("load failed");
    state.ResumeTiming();
    if (!store::SALVATUDO(a.ctx, a.dec, 1)) state.SkipWithError("save failed");
  }
}
BENCHMARK(BM_FinalSaveDeclaration)->Unit(benchmark::kMillisecond)->MinTime(bench::minTime(2.0));

}  // namespace

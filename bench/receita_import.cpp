// Converting 1,000 declaration files of the tax authority of 50 records each (payers,
// dependants, payments, assets, debts) into an empty data folder, one after the other, as
// the converter's item 4 does after the user marked them all. Run: build/bench/bench_receita
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "converter/receita_arquivo.h"
#include "pasta_bench.h"
#include "rt/term/console.h"
#include "rt/term/scripted_terminal.h"
#include "rt/text/date.h"
#include "smoke.h"
#include "store/contexto.h"
#include "store/diario_gravacao.h"
#include "store/espera.h"
#include "store/relato.h"

namespace {

// The tax authority's records are fixed-length lines: blanks up to the end of each.
void completa(std::string& linha, std::size_t colunas) {
  if (linha.size() < colunas) linha.resize(colunas, ' ');
}

// Text at body position p of a record line (line column p + 2).
void poe(std::string& linha, int p, const std::string& texto) {
  const std::size_t i = static_cast<std::size_t>(p + 1);
  if (linha.size() < i + texto.size()) linha.resize(i + texto.size(), ' ');
  linha.replace(i, texto.size(), texto);
}

std::string valor(long centavos) {
  std::string d = std::to_string(centavos);
  return std::string(13 - d.size(), '0') + d;
}

std::string declaracao(int i) {
  std::string out;
  std::string cab(240, ' ');
  cab.replace(0, 12, "DECLIRPF2010");
  cab.replace(164, 10, "1234567890");
  out += cab + "\r\n";
  std::string id = "16";
  poe(id, 1, bench::cpfDe(i));
  poe(id, 12, "CONTRIBUINTE " + std::to_string(i));
  poe(id, 186, "SAO PAULO");
  poe(id, 358, "15031970");
  completa(id, 460);
  out += id + "\r\n";
  auto registro = [&](const char* tipo, int n, auto preenche) {
    for (int k = 0; k < n; ++k) {
      std::string l = tipo;
      preenche(l, k);
      completa(l, 560);
      out += l + "\r\n";
    }
  };
  registro("21", 10, [](std::string& l, int k) {
    poe(l, 12, "11222333000181");
    poe(l, 26, "EMPRESA " + std::to_string(k));
    poe(l, 86, valor(1000000 + k));
  });
  registro("25", 5, [](std::string& l, int k) {
    poe(l, 12, "0000" + std::to_string(k + 1));
    poe(l, 17, "11");
    poe(l, 19, "DEPENDENTE " + std::to_string(k));
    poe(l, 79, "01012001");
  });
  registro("26", 10, [](std::string& l, int k) {
    poe(l, 12, "10");
    poe(l, 19, "12345678000190");
    poe(l, 33, "MEDICO " + std::to_string(k));
    poe(l, 104, valor(50000 + k));
  });
  registro("27", 20, [](std::string& l, int k) {
    poe(l, 12, "11");
    poe(l, 14, "0");
    poe(l, 18, "BEM NUMERO " + std::to_string(k));
    poe(l, 530, valor(100000 * (k + 1)));
    poe(l, 543, valor(110000 * (k + 1)));
  });
  registro("28", 5, [](std::string& l, int k) {
    poe(l, 12, "11");
    poe(l, 14, "DIVIDA " + std::to_string(k));
    poe(l, 264, valor(1000));
    poe(l, 277, valor(2000));
  });
  return out;
}

struct Ambiente {
  rt::term::ScriptedTerminal term;
  rt::term::Console con{term};
  rt::text::FixedClock relogio{rt::text::LocalTime{rt::text::Date::fromYmd(2010, 4, 30), 36000, 0}};
  store::EsperaReal espera;
  store::Relato quieto;
  store::Contexto ctx{con, relogio, espera};
  std::string raiz, origem;
  int arquivos = bench::smoke() ? 20 : 1000;

  Ambiente() {
    raiz = (std::filesystem::temp_directory_path() / "tavren-bench-receita").string();
    origem = raiz + "/origem";
    std::filesystem::remove_all(raiz);
    for (const char* p : {"/prog", "/dados", "/trab", "/origem"}) std::filesystem::create_directories(raiz + p);
    ctx.NUSU = "01";
    ctx.definePastaPrograma(raiz + "/prog");
    ctx.definePastaDados(raiz + "/dados");
    ctx.definePastaTrabalho(raiz + "/trab");
    ctx.defineRelato(&quieto);
    for (int i = 0; i < arquivos; ++i) std::ofstream(origem + "/D" + std::to_string(i) + ".DEC", std::ios::binary) << declaracao(i);
  }
  ~Ambiente() { std::filesystem::remove_all(raiz); }
};

void BM_ImportDeclarations(benchmark::State& state) {
  Ambiente a;
  for (auto _ : state) {
    int feitos = 0;
    // As the converter's item 4 runs it: one batch of saves for the marked files.
    store::LoteGravacao lote(a.ctx);
    for (int i = 0; i < a.arquivos; ++i)
      feitos += converter::FAZCONV(a.ctx, converter::Modo::Declaracao, a.origem + "/D" + std::to_string(i) + ".DEC") ? 1 : 0;
    if (!lote.termina() || feitos != a.arquivos) state.SkipWithError("a declaration was not converted");
  }
  state.counters["declarations"] = a.arquivos;
}
BENCHMARK(BM_ImportDeclarations)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

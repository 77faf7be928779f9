// 1,000 one-page letters merged with the register's taxpayers and laid out into a string (as the
// e-mail's body or a print job gets them): every merge field of the letter filled from its row,
// the fees worked out, the page format applied. Aim: under 1 s. Run: build/bench/bench_office
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "office/carta.h"
#include "office/mala.h"
#include "print/impressao.h"
#include "rt/dev/target.h"
#include "rt/term/console.h"
#include "rt/term/scripted_terminal.h"
#include "rt/text/date.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/contexto.h"
#include "store/espera.h"

namespace {

constexpr int kContribuintes = 1000;

struct Registro {
  rt::term::ScriptedTerminal term;
  rt::term::Console con{term};
  store::EsperaReal espera;
  store::Contexto ctx{con, rt::text::systemClock(), espera};
  std::string raiz;

  Registro() {
    raiz = (std::filesystem::temp_directory_path() / ("tavren-bench-cartas-" + std::to_string(getpid())))
               .string();
    for (const char* p : {"/prog", "/dados", "/trab"}) std::filesystem::create_directories(raiz + p);
    ctx.definePastaPrograma(raiz + "/prog");
    ctx.definePastaDados(raiz + "/dados");
    ctx.definePastaTrabalho(raiz + "/trab");
    if (!store::ABERTURA(ctx, store::Area::IMP0910, true)) std::abort();
    rt::db::Table& t = *ctx.areas.table(store::Area::IMP0910);
    for (int i = 1; i <= kContribuintes; ++i) {
      char cpf[16];
      std::snprintf(cpf, sizeof cpf, "%011d", i * 9973);
      if (!t.appendBlank() || !t.put("CPF", std::string(cpf)) ||
          !t.put("NOMECONTR", "CONTRIBUINTE NUMERO " + std::to_string(i)) ||
          !t.put("ENDERECO", std::string("DAS FLORES")) || !t.put("NUMERO", std::to_string(i)) ||
          !t.put("CEP", std::string("13010000")) || !t.put("MUNICIPIO", std::string("CAMPINAS")) ||
          !t.put("UF", std::string("SP")) || !t.put("TEM_USO", rt::text::Decimal(600 + i)) ||
          !t.put("TAM_USO", rt::text::Decimal(20000 + i)) ||
          !t.put("IMPPGRE", rt::text::Decimal(i % 3 == 0 ? -i : i)) ||
          !t.put("VALOREC", rt::text::Decimal(150)))
        std::abort();
    }
    if (!t.commit()) std::abort();
  }
  Registro(const Registro&) = delete;
  Registro& operator=(const Registro&) = delete;
  ~Registro() {
    (void)ctx.areas.closeAll();
    std::error_code ec;
    std::filesystem::remove_all(raiz, ec);
  }
};

// A one-page letter of some 40 lines, a dozen of them with merge fields.
std::string umaCarta() {
  std::string t;
  const auto campo = [](const char* n) { return std::string("\xAE") + n + "\xAF"; };
  t += "Campinas, 30 de abril de 2010\r\n\r\n" + campo("Nome") + "\r\n" + campo("TipoEnd") + " " +
       campo("Logradouro") + ", " + campo("Numero") + "\r\n" + campo("CEP") + " " + campo("Municipio") + " " +
       campo("Estado") + "\r\n\r\n";
  t += "Prezado(a) " + campo("Nome") + ", CPF " + campo("CPF") + ",\r\n\r\n";
  for (int i = 0; i < 28; ++i)
    t += "Informamos que a sua declaracao de ajuste anual do exercicio de 2010 foi preparada e transmitida "
         "dentro do prazo. ";
  t += "\r\n\r\nResultado: " + campo("Imposto") + "\r\nTempo de trabalho: " + campo("Tempo") +
       "\r\nHonorarios: " + campo("CustoDecl") + " (cobrado " + campo("ValorCobrar") +
       ")\r\n\r\nAtenciosamente,\r\n\r\nO escritorio";
  return office::FORMATA({t, {5, 5, 90, 66, 3, 3}});
}

void BM_MilCartasNumaString(benchmark::State& state) {
  Registro r;
  const std::string carta = umaCarta();
  const console::PrecosEscritorio precos{rt::text::Decimal::val("1.6"), rt::text::Decimal(1),
                                         rt::text::Decimal(60)};
  rt::db::Table& reg = *r.ctx.areas.table(store::Area::IMP0910);
  std::size_t bytes = 0;
  for (auto _ : state) {
    std::string saida;
    print::Impressao imp;
    imp.dispositivo.route(rt::dev::stringTarget(saida));
    for (reg.goTop(); reg.status() && !reg.eof(); reg.skip(1)) {
      office::IMPR_EDT(imp, office::MESCLA(carta, office::DadosDaMala(reg, precos)));
      imp.dispositivo.eject();
      imp.QLIN = 0;
    }
    if (!imp.dispositivo.close()) std::abort();
    bytes = saida.size();
    benchmark::DoNotOptimize(saida);
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_MilCartasNumaString)->Unit(benchmark::kMillisecond);

}  // namespace

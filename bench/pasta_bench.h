// A program folder, a data folder and a work folder with 10,000 taxpayers, for the data
// store's benchmarks. Each benchmark says how many rows per taxpayer go into which table.
#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>

#include "console/documentos.h"
#include "rt/term/console.h"
#include "rt/term/scripted_terminal.h"
#include "rt/text/date.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/contexto.h"
#include "store/espera.h"

namespace bench {

constexpr int kContribuintes = 10000;

// A CPF of its own for each taxpayer, with its check digits: the converter refuses a CPF that
// is none.
inline std::string cpfDe(int i) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%09llu", static_cast<unsigned long long>(i) * 99991ULL % 999999999ULL);
  return buf + console::cpfDigitos(buf);
}

// Appends `porContribuinte` rows for each taxpayer to each table given (area, rows), with
// the fields the indexes and lists read.
inline void preencheDeclaracoes(store::Contexto& ctx,
                                std::initializer_list<std::pair<store::Area, int>> linhas) {
  for (auto [n, porContribuinte] : linhas) {
    if (!store::ABERTURA(ctx, n, true)) std::abort();
    rt::db::Table& t = *ctx.areas.table(n);
    for (int i = 1; i <= kContribuintes; ++i) {
      for (int k = 1; k <= porContribuinte; ++k) {
        if (!t.appendBlank() || !t.put("CPF", cpfDe(i))) std::abort();
        if (n == store::Area::IMP0910 && !t.put("NOMECONTR", "CONTRIBUINTE " + std::to_string(i)))
          std::abort();
        if (n == store::Area::IMP0410 && !t.put("I7_0", rt::text::Decimal(k))) std::abort();
        if (n == store::Area::IMP0610 && !t.put("I6_3", rt::text::Decimal(k * 10))) std::abort();
        if (store::numero(n) >= 15 && !t.put("ATV_BRASIL", std::string("S"))) std::abort();
      }
    }
    if (!t.commit()) std::abort();
  }
}

struct PastaBench {
  rt::term::ScriptedTerminal term;
  rt::term::Console con{term};
  store::EsperaReal espera;
  store::Contexto ctx{con, rt::text::systemClock(), espera};
  std::string raiz;

  // `linhas`: table and rows per taxpayer.
  PastaBench(const char* nome, std::initializer_list<std::pair<store::Area, int>> linhas) {
    raiz = (std::filesystem::temp_directory_path() / (std::string(nome) + "-" + std::to_string(getpid()))).string();
    for (const char* p : {"/prog", "/dados", "/trab"}) std::filesystem::create_directories(raiz + p);
    ctx.definePastaPrograma(raiz + "/prog");
    ctx.definePastaDados(raiz + "/dados");
    ctx.definePastaTrabalho(raiz + "/trab");
    preencheDeclaracoes(ctx, linhas);
    (void)ctx.areas.closeAll();
  }
  PastaBench(const PastaBench&) = delete;
  PastaBench& operator=(const PastaBench&) = delete;
  ~PastaBench() {
    (void)ctx.areas.closeAll();
    std::error_code ec;
    std::filesystem::remove_all(raiz, ec);
  }
};

}  // namespace bench

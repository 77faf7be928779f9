// A scratch folder standing for the program, data and work folders, with a context on a
// scripted terminal and virtual time, for benchmarks over a declaration's working copies.
// The folder goes when the object goes.
#pragma once

#include <unistd.h>

#include <filesystem>
#include <string>

#include "rt/term/console.h"
#include "rt/term/scripted_terminal.h"
#include "rt/text/date.h"
#include "store/contexto.h"
#include "store/espera.h"

namespace bench {

struct CopiasBench {
  explicit CopiasBench(const std::string& nome)
      : pasta(std::filesystem::temp_directory_path() / (nome + "_" + std::to_string(getpid()))) {
    std::filesystem::create_directories(pasta);
    ctx.definePastaPrograma(pasta.string());
    ctx.definePastaDados(pasta.string());
    ctx.definePastaTrabalho(pasta.string());
  }
  CopiasBench(const CopiasBench&) = delete;
  CopiasBench& operator=(const CopiasBench&) = delete;
  ~CopiasBench() {
    (void)ctx.areas.closeAll();
    std::error_code ec;
    std::filesystem::remove_all(pasta, ec);
  }

  std::filesystem::path pasta;
  rt::term::ScriptedTerminal term;
  rt::term::Console con{term};
  rt::text::FixedClock relogio{rt::text::LocalTime{rt::text::Date::fromYmd(2010, 4, 30), 36000, 0}};
  store::EsperaVirtual espera{&relogio};
  store::Contexto ctx{con, relogio, espera};
};

}  // namespace bench

// A data-store context over the scripted terminal, with scratch program, data and work
// folders, a virtual wait that moves a fixed clock on, and a way to play another terminal in
// a child process that holds opens and locks.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "rt/db/table.h"
#include "rt/term/console.h"
#include "rt/term/scripted_terminal.h"
#include "rt/text/date.h"
#include "store/contexto.h"
#include "store/espera.h"

namespace store::teste {

// A scratch folder, removed with everything in it.
class Pasta {
 public:
  Pasta();
  ~Pasta();
  Pasta(const Pasta&) = delete;
  Pasta& operator=(const Pasta&) = delete;
  const std::string& caminho() const { return caminho_; }
  std::string operator/(const std::string& nome) const { return caminho_ + "/" + nome; }
  // The file names in the folder, sorted.
  std::vector<std::string> arquivos() const;

 private:
  std::string caminho_;
};

class StoreFixture {
 protected:
  StoreFixture();

  rt::term::ScriptedTerminal term;
  rt::term::Console con{term};
  rt::text::FixedClock relogio{rt::text::LocalTime{rt::text::Date::fromYmd(2010, 4, 30), 36000, 0}};
  EsperaVirtual espera{&relogio};
  Pasta programa, dados, trabalho;
  Contexto ctx{con, relogio, espera};

  rt::db::Table* area(int n) { return ctx.areas.table(n); }
  std::string linha(int r) { return con.screen().rowText(r); }
  // The terminal's settings record (CONFIG) for terminal `nusu`, with other fields as given;
  // area 42 stays open on it.
  void configDoTerminal(const std::string& nusu, std::vector<std::pair<std::string, std::string>> campos = {});
};

// A whole file's bytes, and a file written with the given bytes.
std::string leArquivo(const std::string& caminho);
void escreveArquivo(const std::string& caminho, std::string_view bytes);

// Opens a table outside the work areas, as another part of the test would.
std::unique_ptr<rt::db::Table> abre(const std::string& caminho, bool exclusivo = false);

// Another terminal: a child process that runs `segura` (which opens and locks what it must
// and returns the tables, kept open), tells the parent it is ready, and keeps them until the
// parent calls libera() or, when `por` is given, until that much real time has passed.
class OutroTerminal {
 public:
  using Segura = std::function<std::vector<std::unique_ptr<rt::db::Table>>()>;
  explicit OutroTerminal(Segura segura, std::chrono::milliseconds por = std::chrono::milliseconds(-1));
  ~OutroTerminal();
  OutroTerminal(const OutroTerminal&) = delete;
  OutroTerminal& operator=(const OutroTerminal&) = delete;

  // Whether the child got what it was to hold.
  bool pronto() const { return pronto_; }
  // Tells the child to let go and waits for it to end.
  void libera();

 private:
  int pid_ = -1;
  int ordem_ = -1;  // parent -> child
  bool pronto_ = false;
};

}  // namespace store::teste

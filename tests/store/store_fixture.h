// The data-store tests' context (support/contexto_fixture.h, in "store" folders) with a way to
// play another terminal in a child process that holds opens and locks.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "rt/db/table.h"
#include "store/areas.h"
#include "support/contexto_fixture.h"
#include "support/scratch_dir.h"

namespace store::teste {

using Pasta = support::Pasta;

class StoreFixture : public support::ContextoFixture {
 protected:
  StoreFixture();

  rt::db::Table* area(store::Area n) { return ctx.areas.table(n); }
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

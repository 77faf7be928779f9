// A whole program on the scripted terminal: scratch program folder, an environment of the
// test's own, a fixed clock and a virtual wait, and helpers to read the settings records back.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "ajustes_fixture.h"
#include "rt/db/table.h"
#include "rt/term/console.h"
#include "rt/term/scripted_terminal.h"
#include "rt/text/date.h"
#include "shell/programa.h"
#include "store/espera.h"

namespace shell::teste {

// Folder names are stored in 40-character fields: the program folder is a short one under
// /tmp, whatever the test run's scratch folder is.
class PastaCurta {
 public:
  PastaCurta();
  ~PastaCurta();
  PastaCurta(const PastaCurta&) = delete;
  PastaCurta& operator=(const PastaCurta&) = delete;
  const std::string& caminho() const { return caminho_; }
  std::string operator/(std::string_view nome) const { return caminho_ + "/" + std::string(nome); }

 private:
  std::string caminho_;
};

class ProgramaFixture : public ::testing::Test {
 protected:
  ProgramaFixture();
  ~ProgramaFixture() override;
  // One first start in a folder of its own, whose shipped tables every test then copies: a
  // first start fills them from the seed, which takes most of a start's time.
  static void SetUpTestSuite();
  static void TearDownTestSuite();

  // Makes the program (today is `hoje`) with DTAVREN set to the program folder.
  Program& cria(rt::text::Date hoje = rt::text::Date::fromYmd(2010, 6, 20));
  // Makes the program and runs start-up; its result.
  bool inicia(std::optional<std::string_view> argumento = std::nullopt,
              rt::text::Date hoje = rt::text::Date::fromYmd(2010, 6, 20));

  // A table of the program folder opened outside the program, on the terminal's record for
  // tables keyed by NRO_TERM (`terminal`), else on its first record.
  std::unique_ptr<rt::db::Table> abre(std::string_view arquivo, std::string_view terminal = {});
  // A CONFIG record for terminal `nusu` made beforehand, as an earlier run leaves it; `ajusta`
  // changes its fields.
  void criaConfig(std::string_view nusu, const std::function<void(rt::db::Table&)>& ajusta);

  std::string linha(int r) { return con.screen().rowText(r); }

  std::map<std::string, std::string> env;
  rt::term::ScriptedTerminal term;
  Gravador gravador{term};
  rt::term::Console con{gravador};
  rt::text::FixedClock relogio{rt::text::LocalTime{rt::text::Date::fromYmd(2010, 6, 20), 36000, 0}};
  store::EsperaVirtual espera{&relogio};
  PastaCurta programa;
  std::unique_ptr<Program> p;
};

}  // namespace shell::teste

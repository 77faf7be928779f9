// The settings screens' context: the tests' data-store context (support/contexto_fixture.h, in
// "shell" folders, its recorder keeping every screen shown so alerts that close again can be
// checked) for terminal 00, with the settings the screens edit.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "rt/db/table.h"
#include "shell/ajustes.h"
#include "support/contexto_fixture.h"

namespace shell::teste {

using Pasta = support::Pasta;
using Gravador = support::TerminalGravado;

class AjustesFixture : public ::testing::Test, public support::ContextoFixture {
 protected:
  AjustesFixture();
  ~AjustesFixture() override;

  // Appends the terminal's CONFIG record, as start-up does.
  void criaConfig(bool quersen = false, int ultSenir = 0);
  // A table of the program folder opened outside the work areas, positioned on its first
  // record (or the terminal's, for tables keyed by NRO_TERM).
  std::unique_ptr<rt::db::Table> abre(std::string_view arquivo, bool doTerminal = false);
  // The settings file of the program folder.
  std::string arquivoChave() const { return programa / "TAVREN.KEY"; }
  void gravaChave(const std::string& conteudo);
  std::string leChave() const;

  Ajustes aj;
};

}  // namespace shell::teste

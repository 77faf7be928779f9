// The converter's tests: the data-store context over the scripted terminal (terminal 05), a
// program folder with the converter's tables, a data folder and a second registered one, rows
// written as another program would, and tables read back as another reader (python3-dbfread).
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "converter/conversor.h"
#include "rt/text/value.h"
#include "store/areas.h"
#include "support/contexto_fixture.h"
#include "support/dbfread.h"

namespace converter::teste {

using Campos = std::vector<std::pair<std::string, rt::text::Value>>;

class ConversorFixture : public ::testing::Test, public support::ContextoFixture {
 protected:
  ConversorFixture();
  void SetUp() override {
    if (!support::temDbfread()) GTEST_SKIP() << "no dbfread";
  }

  // Appends a row to the table of `a` (opened when closed) under the append lock.
  void linha(store::Area a, const Campos& campos);
  // The register of the second folder with one taxpayer; the folder is in the folder list.
  void outraPasta(const std::string& cpf, const std::string& nome);
  // The rows of `tabela` (a file name without ".DBF" in `pasta`) as dbfread reads them, the
  // given fields stripped and joined by "|", deleted rows left out.
  std::vector<std::string> le(const std::string& pasta, const std::string& tabela, const std::string& campos);

  support::Pasta outra{"conv"};
  Conversor c;
};

}  // namespace converter::teste

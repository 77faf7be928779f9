// A whole program on the scripted terminal with a declaration open in the driver, its screens
// the real ones: the test types what a clerk types and reads the screens, the mirror and the
// tables saved.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "rt/db/table.h"
#include "shell/declara.h"
#include "shell/programa_fixture.h"

namespace screens::teste {

// The taxpayer the tests register: a CPF no fixture has.
inline constexpr std::string_view kNovo = "12345678909";

class DeclaracaoFixture : public shell::teste::ProgramaFixture {
 protected:
  void SetUp() override;
  ~DeclaracaoFixture() override;

  // DECLARA of item 11 with the real screens; `aoEntrar` runs as each screen starts, and a
  // test that ran out of keys ends without saving.
  void roda();
  // A new taxpayer: the CPF and "Sim" to register him (screen 6 opens first).
  void novo(std::string_view cpf);
  // An existing taxpayer (screen 1 opens first).
  void abre(std::string_view cpf);
  // Esc on a screen, the answer to the end question, and Esc at the next CPF prompt.
  void termina(char resposta);
  // On screen 4's dependants' grid: the dependant "FILHO UM" (code 21, born 01/01/2005, CPF
  // 529.982.247-25), then Tab and a payment of 1,500.00 to a clinic (code 20, CNPJ
  // 11.222.333/0001-81) for him (number 1). The cursor ends on the payment's next column.
  void digitaDependenteEPagamento();

  // A table of the data folder, opened outside the program, on the CPF's first row.
  std::unique_ptr<rt::db::Table> dados(std::string_view arquivo, std::string_view cpf);
  std::string texto(std::string_view arquivo, std::string_view cpf, std::string_view campo);
  // The live rows of a table of the data folder for a CPF (and, when given, a dependant).
  int conta(std::string_view arquivo, std::string_view cpf, std::string_view dependente = {});

  std::vector<int> telas;
  std::function<void(shell::Declara&, int)> aoEntrar;
};

}  // namespace screens::teste

// Declarations made for the sheet tests: the declaration tables of the data folder (01-19 but
// 13) with exactly the rows a test gives, and the print job of one CPF routed to RELATOR.TXT,
// read back as pages.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "paginas.h"
#include "print/folhas_declaracao.h"
#include "print_fixture.h"
#include "rt/text/value.h"

namespace print_test {

using Campos = std::vector<std::pair<std::string, rt::text::Value>>;

struct LinhaDeTabela {
  int tabela;  // the declaration table's number, as its file IMPnn10 is named
  Campos campos;
};

class FolhasFixture : public PrintFixture {
 protected:
  FolhasFixture();
  // Creates the declaration tables with `linhas` (CPF filled in each row).
  void declara(const std::string& cpf, const std::vector<LinhaDeTabela>& linhas);
  // Prints `cpf` with the job's choices and gives its pages.
  std::vector<Pagina> imprime(const std::string& cpf, int QUEIMP, int QUEPAG);
  // Compares the pages with the expected ones kept in tests/print/paginas/<nome>.txt; with
  // TAVREN_ATUALIZA_ESPERADOS set the file is written instead.
  void confere(const std::vector<Pagina>& ps, const std::string& nome);
};

}  // namespace print_test

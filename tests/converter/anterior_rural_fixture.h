// The sibling rural program's tables and the cash book's, made by the tests in a source folder
// with the field types this program's catalogue gives the fields they are copied into, a data
// folder with registered taxpayers, and this year's rural tables read back with dbfread.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "receita_fixture.h"
#include "rt/db/structure.h"

namespace converter::teste {

// A source field named `naFonte` with the catalogue's type of field `noCatalogo` of table n.
rt::db::FieldDef doCatalogo(int n, std::string_view noCatalogo, std::string_view naFonte = {});

// The fields of a source table, the one builder of them all: the CPF, ATV_EXTER when
// `comLado`, then per pair (this program's name, the source's) the source field with the type
// of this program's field of table n.
using Nomes = std::vector<std::pair<std::string, std::string>>;
std::vector<rt::db::FieldDef> camposFonte(int n, const Nomes& nomes, bool comLado);
// Pairs numbered de..ate: serie("I2R_", "I2_", 1, 7, true) is I2R_01/I2_01 .. I2R_07/I2_07.
Nomes serie(std::string_view aqui, std::string_view la, int de, int ate, bool doisDigitos);
// Fields named alike on both sides, and pairs one list after the other.
Nomes iguais(std::initializer_list<std::string_view> nomes);
Nomes junta(std::initializer_list<Nomes> partes);

// Every field the copies read from the sibling's previous-edition table MOL<k>09 (0: MOL909).
std::vector<rt::db::FieldDef> camposMol09(int k);
// Every field the cash-book copy reads from ZUK<n> (15, 10, 2, 12, 13).
std::vector<rt::db::FieldDef> camposZuk(int n);
// `campos` without the field `nome`, or with it given another type.
std::vector<rt::db::FieldDef> sem(std::vector<rt::db::FieldDef> campos, std::string_view nome);
std::vector<rt::db::FieldDef> comTipo(std::vector<rt::db::FieldDef> campos, std::string_view nome, char tipo);

// Fields by name as text: "I2_01=SITIO;I2_02=80.5" (numbers plain, dates yyyymmdd, T/F).
using Campos = std::map<std::string, std::string>;
Campos pares(std::string_view texto);

// A row of a source table: the CPF and the other fields as `pares` reads them; a deleted row
// when they begin with "*".
struct Fila {
  std::string cpf;
  std::string campos;
};

class RuralFixture : public ReceitaFixture, public ::testing::Test {
 protected:
  void SetUp() override;
  // Table `arquivo` (file name as written on disk, ".dbf" added) in the source folder.
  void fonte(std::string_view arquivo, std::vector<rt::db::FieldDef> campos, const std::vector<Fila>& linhas);
  // A taxpayer in the data folder's register, with TEMRURAL as given.
  void registra(std::string_view cpf, std::string_view nome, std::string_view temRural = "N");
  // Rows of table n of the data folder given to the taxpayer through the save journal.
  void grava(std::string_view cpf, int n, const std::vector<std::string>& linhas);
  // The CPF's rows of table `nome` on side `atv` are `esperadas`, in order: the fields given
  // (CPF and ATV_BRASIL implied), every other field blank, 0 or false.
  void confere(std::string_view nome, std::string_view cpf, std::string_view atv,
               const std::vector<std::string>& esperadas);
};

}  // namespace converter::teste

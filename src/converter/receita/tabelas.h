// The rows a file's records yield, held in memory: one taxpayer's rows of the declaration
// tables. A table's rows already there are asked for when the table is first used (a
// declaration of last year adds to them, a section of this year's replaces them); where they
// come from, and where the rows go after, is the caller's (converter/receita_tabelas.h
// reads and writes them in the data folder, a test hands them in).
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "rt/base/result.h"
#include "rt/text/value.h"

namespace converter {

// A row of a table: field values by field name (upper case). Fields not given are blank.
struct Linha {
  std::map<std::string, rt::text::Value, std::less<>> campos;

  void poe(std::string_view campo, rt::text::Value v) { campos.insert_or_assign(std::string(campo), std::move(v)); }
  std::string texto(std::string_view campo) const;
  rt::text::Decimal valor(std::string_view campo) const;
};

class Tabelas {
 public:
  // The rows of table n there before the file (an error stops the conversion).
  using Carrega = std::function<rt::Result<std::vector<Linha>>(int n)>;

  // `cpf`: the key every new row carries in its CPF field.
  Tabelas(std::string cpf, Carrega carrega) : cpf_(std::move(cpf)), carrega_(std::move(carrega)) {}
  Tabelas(const Tabelas&) = delete;
  Tabelas& operator=(const Tabelas&) = delete;

  // The CPF's rows of table n (loaded on first use).
  rt::Result<std::vector<Linha>*> linhas(int n);
  // Table n emptied: the CPF's rows will be only those added from now on (the ones there are
  // not even loaded).
  void substitui(int n);
  // A new row of table n with the CPF, appended.
  rt::Result<Linha*> nova(int n);
  // The tables changed so far, and the rows each holds now.
  const std::set<int>& mudadas() const { return mudadas_; }
  const std::vector<Linha>& guardadas(int n) const;

 private:
  std::string cpf_;
  Carrega carrega_;
  std::map<int, std::vector<Linha>> tabelas_;
  std::set<int> mudadas_;
};

}  // namespace converter

// One taxpayer's rows of the declaration tables, held in memory while a file is converted:
// each table is read from the data folder when first asked for, changed as the file's
// records say, and every table changed is written at the end through the save journal
// (store::gravaLinhas), so a file is converted whole or not at all, also when the process is
// killed in the middle.
#pragma once

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "rt/base/result.h"
#include "rt/text/value.h"
#include "store/contexto.h"
#include "store/cpf.h"

namespace converter {

// A row of a table: field values by field name (upper case). Fields not given are blank.
struct Linha {
  std::map<std::string, rt::text::Value, std::less<>> campos;

  void poe(std::string_view campo, rt::text::Value v) { campos.insert_or_assign(std::string(campo), std::move(v)); }
  std::string texto(std::string_view campo) const;
  rt::text::Decimal valor(std::string_view campo) const;
};

class TabelasCpf {
 public:
  TabelasCpf(store::Contexto& ctx, const store::Cpf& cpf) : ctx_(ctx), cpf_(cpf) {}

  // The CPF's rows of table n (read on first use; an unreadable table is an error).
  rt::Result<std::vector<Linha>*> linhas(int n);
  // Table n emptied: the CPF's rows will be only those added from now on (the folder's are
  // not even read).
  void substitui(int n);
  // A new row of table n with the CPF, appended.
  rt::Result<Linha*> nova(int n);
  // The tables changed so far.
  const std::set<int>& mudadas() const { return mudadas_; }
  // Writes every changed table (the CPF's rows become exactly those held). A value that
  // does not fit its field, or a field the table lacks, refuses the whole write.
  rt::Status grava();

 private:
  store::Contexto& ctx_;
  store::Cpf cpf_;
  std::map<int, std::vector<Linha>> tabelas_;
  std::set<int> mudadas_;
};

}  // namespace converter

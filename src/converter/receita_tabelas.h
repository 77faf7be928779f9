// One taxpayer's rows of the declaration tables, held in memory while a file is converted:
// each table is read from the data folder when first asked for, changed as the file's
// records say, and every table changed is written at the end through the save journal
// (store::gravaLinhas), so a file is converted whole or not at all, also when the process is
// killed in the middle.
#pragma once

#include <vector>

#include "converter/receita/tabelas.h"
#include "rt/base/result.h"
#include "store/contexto.h"
#include "store/cpf.h"

namespace converter {

// The rows in memory (converter/receita/tabelas.h), each table read from the data folder on
// first use (an unreadable table is an error).
class TabelasCpf : public Tabelas {
 public:
  TabelasCpf(store::Contexto& ctx, const store::Cpf& cpf)
      : Tabelas(cpf.chave(), [this](int n) { return carrega(n); }), ctx_(ctx), cpf_(cpf) {}

  // Writes every changed table (the CPF's rows become exactly those held). A value that
  // does not fit its field, or a field the table lacks, refuses the whole write.
  rt::Status grava();

 private:
  rt::Result<std::vector<Linha>> carrega(int n);

  store::Contexto& ctx_;
  store::Cpf cpf_;
};

}  // namespace converter

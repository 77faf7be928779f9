// Declarations for the working-copy tests: the shared tables 01-19 (but 13) filled with rows
// of several taxpayers, each row marked with a text that names table, taxpayer and row, and
// readers that list a taxpayer's rows of a table by those marks.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "rt/db/table.h"
#include "store/contexto.h"
#include "store/diario_gravacao.h"

namespace store::teste {

// The declaration tables a save writes, in order: 01-19 but 09 and 13.
std::vector<int> tabelasDeclaracao();

// The field that carries a row's mark: the first text field of at least 10 characters other
// than CPF (NOMECONTR in the register).
std::string campoMarca(int n);
std::string marca(int n, const std::string& cpf, int linha);

// Creates tables 01-19 (but 13) in the data folder and appends, for every CPF, one row to 01,
// 09 and 15, and `linhas` rows to each other table (15-19 on the "S" side; the register with
// TEMRURAL "S" and ATV_BRASIL "S"). Assets and debts are numbered 10, 20, 30 ...
void preencheDeclaracoes(Contexto& ctx, const std::vector<std::string>& cpfs, int linhas);

// The marks of the rows of `cpf` in table n of the data folder, in record order (deleted rows
// left out); a second handle, so the work areas are untouched.
std::vector<std::string> marcasNaTabela(Contexto& ctx, int n, const std::string& cpf);
// The same in an open table (a working copy), all rows whatever their CPF.
std::vector<std::string> marcasNaCopia(rt::db::Table& t);

// Rows for a save of `cpf` in table n's layout, one per (side, mark) of `marcas`: each a copy of
// his first row in the data folder (blanks when he has none) with the mark and, in the rural
// tables (15 to 19) when a side is given, ATV_BRASIL set; every row carries his CPF.
using Marcas = std::vector<std::pair<std::string, std::string>>;
TabelaDiario linhasComMarca(Contexto& ctx, int n, const std::string& cpf, const Marcas& marcas);

}  // namespace store::teste

// The statement of each capital-gain operation (sheet 6): section I for real estate and other
// assets, section II for shares and quotas sold outside the stock exchange. It prints what
// the gains screen stored in the print copies 27 (operations) and 28 (cost rows and share
// movements); result 1 comes from the screen's own cost computation, so the two never differ.
#pragma once

#include <string>

#include "print/impressao.h"
#include "store/contexto.h"

namespace print {

// IMPRGAN: the statement of the operation on the current row of area 27, from row 0 of a new
// page; `nome` and `cpf` are the taxpayer's.
// `mostra`: the status window says which gain is printing (the print job's call).
void IMPRGAN(store::Contexto& ctx, Impressao& imp, const std::string& nome, const std::string& cpf,
             bool mostra = false);

// IMPGANHO: with `pergunta` (one taxpayer printed) "Nro. do ganho de capital a ser impresso
// (0 todos)" is asked: a number prints that operation and asks again, until Esc; a number
// without an operation is said and ends the sheet. Number 0, or no question: every operation
// of kinds 1-3 in key order (the variable-income rows are not statements of this sheet).
// Each statement is followed by a page break; a taxpayer without operations prints nothing.
void IMPGANHO(store::Contexto& ctx, Impressao& imp, const std::string& nome, const std::string& cpf,
              bool pergunta = false);

}  // namespace print

// Sheet 10, the cash book: the receipts and expenses of self-employed work (the income copy's
// entries of kinds "F" and "L") or of the rural activity (the rural cash-book copy, each entry
// at the taxpayer's share of its property), month by month with the month's totals and the
// running balance, the filler that closes a page, and the opening and closing terms of a
// whole year's book.
#pragma once

#include <string>
#include <vector>

#include "platform/paths.h"
#include "print/impressao.h"
#include "print/trabalho.h"
#include "rt/text/date.h"
#include "store/contexto.h"

namespace print {

// A date as the book prints it: "dd/mm/yy" (blanks for the empty date).
std::string dataDoLivro(rt::text::Date d);

// One entry of the book, its amount already at the taxpayer's share.
struct Lancamento {
  rt::text::Date data;
  std::string descricao;
  rt::text::Decimal valor;
  bool despesa = false;
};

// The dated entries of the print copies in date order: the rural cash book (`rural`) or the
// income copy's rows of kinds "F" and "L". A rural entry counts at the share of its property
// among the properties of its own side (100 per cent without one, or past the list).
std::vector<Lancamento> lancamentosDoLivro(store::Contexto& ctx, bool rural);

// LIVRO_CAIXA: the book of the job's month choice; for one taxpayer with a choice of months,
// "Deseja imprimir Outro(s) Mes(es) ? (S/N)" lets the user print other months in the same job.
void LIVRO_CAIXA(store::Contexto& ctx, Impressao& imp, const Escolhas& esc,
                 const platform::EnvLookup& env = platform::processEnvironment());

}  // namespace print

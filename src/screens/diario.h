// The entry journal: a taxpayer's yearly movements kept as entries against the chart of
// accounts (table 62), each account feeding one page and line of the declaration form, and
// their transfer into the declaration's tables. Entries live in table 13; the journal works on
// them in memory and writes them back when it ends.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "rt/text/decimal.h"
#include "store/contexto.h"

namespace screens {

struct Lancamento {
  std::string CDCONTA, DESCONTA, NROCGCCPF, CPFDEPEN;
  rt::text::Decimal VALODESP;
  int MESINI = 0, MESFIM = 0;
  bool LANCADO = false;
};

// The taxpayer's entries of table 13, in their order. False when the table cannot be had.
bool leLancamentos(store::Contexto& ctx, std::string_view cpf, std::vector<Lancamento>& saida);

// The write-back: the taxpayer's entries become `lancamentos`. Under the table's file lock
// (waited for with its message) the new rows are appended first and only then the old ones
// deleted, so a failure half-way leaves the old entries, never none. False, said, on failure.
bool gravaLancamentos(store::Contexto& ctx, std::string_view cpf, const std::vector<Lancamento>& lancamentos);

// LANCAVAL: every entry not yet transferred whose account is a detail account is posted into
// the declaration's tables by its account's page and line and marked. An account that is gone
// or only a title, or a page and line that name no amount field of the declaration, leaves the
// entry unmarked with an alert naming the account. The number of entries posted.
int LANCAVAL(store::Contexto& ctx, std::string_view cpf, std::vector<Lancamento>& lancamentos);

// LANCAMEN: the journal of the open taxpayer (menu item 12).
bool LANCAMEN(store::Contexto& ctx, std::string_view cpf);

}  // namespace screens

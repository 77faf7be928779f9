// The entry journal: a taxpayer's yearly movements kept as entries against the chart of
// accounts (table 62), each account feeding one page and line of the declaration form, and
// their transfer into the declaration's tables. Entries live in table 13; while the journal
// runs they are held in the terminal's working copy of it (area 33, TMP_13 + terminal), which
// the entry form appends to, the entries grid edits and the transfer marks, and they are
// written back when the journal ends.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rt/base/status.h"
#include "rt/db/table.h"
#include "rt/text/decimal.h"
#include "store/contexto.h"
#include "store/cpf.h"

namespace screens {

struct Lancamento {
  std::string CDCONTA, DESCONTA, NROCGCCPF, CPFDEPEN;
  rt::text::Decimal VALODESP;
  int MESINI = 0, MESFIM = 0;
  bool LANCADO = false;
};

// An account of the chart (table 62): where its entries go and what they must carry.
struct Conta {
  std::string CDCONTA, NMDESCRICA, CDSTATUS, TEMCPF, TEMCGC, LIVROCX, TEMDESCR;
  int PAGINA = 0, LINHA = 0;
  bool comCpf() const { return TEMCPF == "S"; }
  bool comCnpj() const { return TEMCGC == "S"; }
  // Both documents: the entry is a dependant's, with the payer's CPF or CNPJ and his CPF.
  bool dependente() const { return comCpf() && comCnpj(); }
};

// The account `codigo` of table 62 (opened when it is not), nothing when it is not there.
std::optional<Conta> contaDoPlano(store::Contexto& ctx, std::string_view codigo);

// The taxpayer's entries of table 13, in their order. Failed, and told by the opener, when the
// table cannot be had.
rt::Status leLancamentos(store::Contexto& ctx, const store::Cpf& cpf, std::vector<Lancamento>& saida);

// The write-back: the taxpayer's entries become `lancamentos`. Under the table's file lock
// (waited for as long as it takes, with its message) the new rows are appended first and only
// then the old ones deleted, so a failure half-way leaves the old entries, never none.
// Documents are stored punctuated (CONTAPONTO). Failed, and told, when they could not be.
rt::Status gravaLancamentos(store::Contexto& ctx, const store::Cpf& cpf,
                            const std::vector<Lancamento>& lancamentos);

// The working copy: the taxpayer's rows of table 13 copied into area 33, held exclusively by
// this terminal without waiting. Failed, and told, when the copy is held elsewhere or the
// table cannot be had.
rt::Status abreCopiaLancamentos(store::Contexto& ctx, const store::Cpf& cpf);
// The current row of table 13 or of its working copy as an entry.
Lancamento lancamentoDaLinha(const rt::db::Table& t);
// The rows of the working copy (area 33) as entries.
std::vector<Lancamento> lancamentosDaCopia(store::Contexto& ctx);
// Appends one entry to the working copy. Failed, and told, when it could not be written.
rt::Status acrescentaNaCopia(store::Contexto& ctx, const store::Cpf& cpf, const Lancamento& l);

// LANCAVAL: every entry of the working copy not yet transferred whose account is a detail
// account is posted into the declaration's tables (1, 2 and 6 of the data folder) by its
// account's page and line, and marked. An account that is gone or only a title, a page and
// line that name no amount field of the declaration, or a payer that must exist and does not,
// leaves the entry unmarked with an alert naming the account. The number of entries posted.
int LANCAVAL(store::Contexto& ctx, const store::Cpf& cpf);

// FAZLANC: the entry form; entries confirmed are appended to the working copy.
void FAZLANC(store::Contexto& ctx, const store::Cpf& cpf);

// What the entry form checks when an entry is confirmed, in order: the message of the first
// thing missing, "" when the entry may go in.
std::string faltaNoLancamento(const Conta& c, const Lancamento& l);
// VEDAT: the month range of a monthly entry. An end month above 0 must not be below the start
// or above 13 (a thirteenth month is kept as typed; the transfer stops at December); the start
// month is 1 to 12, or 0 on the pages after 5. True when the range is accepted.
bool VEDAT(int pagina, int mesIni, int mesFim);

// LANCAMEN: the journal of the open taxpayer (menu item 12): its menu until Esc, then the
// write-back of the working copy into table 13. Held for this terminal while it runs: another
// terminal in the same taxpayer's journal is named and the journal not opened. Failed, and
// told, when it could not be opened or written back.
rt::Status LANCAMEN(store::Contexto& ctx, const store::Cpf& cpf);

}  // namespace screens

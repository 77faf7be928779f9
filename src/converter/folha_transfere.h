// The transfer of the income statements waiting in FOLHAPG into the declarations: each
// statement is posted to its taxpayer's tables 2, 1 and 6 (in the current data folder, or in
// the registered folder where the taxpayer is found) and deleted from FOLHAPG.
#pragma once

#include <string>
#include <vector>

#include "converter/conversor.h"
#include "rt/db/table.h"
#include "rt/text/decimal.h"
#include "store/contexto.h"

namespace converter {

// One statement as FOLHAPG holds it.
struct Lancamento {
  std::string CPF, NOMECONTR, NOMEFONTE, CNPJFONTE, COMPLENTA, OUTROS, OUTROSEXC;
  rt::text::Decimal RENDIMENT, PREVOFICA, PREVPRIVA, PENSAOPAG, IRRETIDO, ISENTOAPO, DIARIAS, PENSAOREC, LUCRODIV,
      SOCIO, IDENIZA, DECIMO3RO, VALOUTRO, VALOUTRE;
};
Lancamento leLancamento(const rt::db::Table& folha);

// The descriptions cut to their field's width by a posting, one line each to tell the clerk.
using Cortes = std::vector<std::string>;

// GRAVA_VALOR: posts one statement into tables 2, 1 and 6 of the current data folder (open in
// their areas); `resposta` is the posting answer for amounts already there ("A" add, "S"
// replace, "N" leave table 1), `simples` whether the declaration is simplified (SO_SIMPLES
// "S": the payer row gets the exempt sum I1_9 and nothing goes to tables 1 and 6). Failed,
// and told, when a write failed. A description cut to its field's width is added to `cortes`.
rt::Status GRAVA_VALOR(store::Contexto& ctx, const Lancamento& l, char resposta, bool simples,
                       Cortes* cortes = nullptr);

// TRANSFERE: every statement of FOLHAPG (open) posted, asking the posting answer once and,
// for a taxpayer registered in no folder, whether to add him.
void TRANSFERE(store::Contexto& ctx, Conversor& c);

}  // namespace converter

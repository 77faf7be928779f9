// One DARF slip of a taxpayer: the choices of the slip dialog, and the slip's principal, dates,
// text lines and amounts read from the taxpayer's print copies (BUS_IMPO, PREENCHE, CALCJU).
#pragma once

#include <array>
#include <optional>
#include <string>

#include "gains/darf_calculo.h"
#include "store/contexto.h"

namespace gains {

struct SlipDarf {
  int QUEDARF = 1;  // 1 quota, 2 carne-leao, 3 gains, 4 variable income, 5 late filing, 6 free
  int PDARF3 = 1;   // the quota or month
  rt::text::Date DF_PERIODO, DF_VCTO, DF_PGTO, DDATAUTIL;
  std::string DF_CODIG;
  std::string CPF, NOME, TELEFO;  // the dependant's CPF and name for a dependant's carne-leao
  std::array<std::string, 5> DF_OUTR;  // DF_OUTR1..DF_OUTR5
  ValoresDarf valores;
  std::string CDARFUTU = "S";  // "N": a later quota not yet due shows no interest or total

  // Interest and total left empty: a later quota whose due date is still ahead.
  bool semJuros() const;
};

// What the dialog confirmed; it serves every taxpayer of the job.
struct OpcoesDarf {
  int QUEDARF = 1;
  int QUE_QUOTA = 1, ULT_QUOTA = 1;  // kind 1, quotas 1-8
  int MES_PGTO = 1, MES_FINAL = 1;   // kinds 2-5
  std::string CDARFUTU = "S";
  rt::text::Date DF_PGTO;
  std::array<rt::text::Date, 8> DAT_VENC;  // the quota due dates
  // Kind 2: a dependant's carne-leao (blank CPFDEPEN: the titular's). It holds for the taxpayer
  // of the dialog only; the others of a job get their titular's.
  std::string CPFDEPEN, NOMEDEPEN;
  // Kind 6: the free slip as typed; every taxpayer of a job gets it with their own name.
  SlipDarf livre;
  // The slip as the user confirmed it: printed with those values (a typed first business day
  // or interest rate stands) for the first taxpayer; later slips are computed.
  std::optional<SlipDarf> confirmada;

  int QTD_DARF() const;
};

// The slip for quota or month `n` of the taxpayer in the print copies (register in area 9 on
// the taxpayer); nothing when it does not exist or has nothing to pay. `lote`: asked by the
// dialog of a job over several taxpayers, where the slip only shows the choices: a quota the
// first taxpayer lacks, or nothing to pay, still gives it.
std::optional<SlipDarf> BUS_IMPO(store::Contexto& ctx, const OpcoesDarf& o, int n, bool lote = false);

// CALCJU with recompute: the fine and interest percentages and amounts of a slip from its
// dates as they stand (a typed first business day counts); for the late-filing slip the fine
// itself, from the payment date.
void CALCJU(store::Contexto& ctx, SlipDarf& s);

// The carne-leao copy's rows of the titular (an empty CPFdepen) and of dependants.
struct LinhasLeao {
  int titular = 0, dependentes = 0;
};
LinhasLeao linhasLeao(store::Contexto& ctx);
// A dependant's name (from the dependants' copy) when the carne-leao copy has a row for the
// CPF; nothing when it has none.
std::optional<std::string> dependenteLeao(store::Contexto& ctx, std::string_view cpf);

// VEATRASO: the payment lies after the due date, so the first business day may be edited.
bool VEATRASO(const SlipDarf& s);

}  // namespace gains

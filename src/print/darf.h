// The DARF payment slip as printed: values only onto the pre-printed continuous form, or the
// whole slip drawn with characters on plain paper, 78 columns, two to a page.
#pragma once

#include <array>
#include <string>

#include "gains/darf_calculo.h"
#include "print/impressao.h"
#include "store/contexto.h"

namespace print {

// One slip's fields, as confirmed in the dialog or computed for a later slip of a run.
struct SlipDarf {
  int QUEDARF = 1;  // 1 quota, 2 carne-leao, 3 gains, 4 variable income, 5 late filing, 6 free
  int PDARF3 = 1;   // the quota or month
  rt::text::Date DF_PERIODO, DF_VCTO, DF_PGTO;
  std::string DF_CODIG;
  std::string CPF, NOME, TELEFO;  // the dependant's CPF and name for a dependant's carne-leao
  std::array<std::string, 5> DF_OUTR;  // DF_OUTR1..DF_OUTR5
  gains::ValoresDarf valores;
  std::string CDARFUTU = "S";  // "N": a later quota not yet due shows no interest or total

  // Interest and total left empty: a later quota whose due date is still ahead, printed
  // without the interest the rate of the payment month will fix.
  bool semJuros() const;
};

// IMPRDARF: one copy at the current row QLIN in the layout of `QUEMOD` (1 plain sheet, 2 the
// DARF form); nothing for a principal of 0. QLIN is left where the next slip starts.
void IMPRDARF(store::Contexto& ctx, Impressao& imp, int QUEMOD, const SlipDarf& s);

}  // namespace print

// The dialog of the DARF slips: the revenue code, one slip or a run of quotas or months, the
// dependant of a carne-leao slip, the due and payment dates and the free slip's values, shown
// on the slip form until the user confirms; or the eight quota due dates of the office.
#pragma once

#include <array>
#include <optional>

#include "gains/darf_slip.h"
#include "print/darf.h"
#include "print/trabalho.h"
#include "rt/base/status.h"
#include "rt/text/date.h"
#include "store/contexto.h"

namespace print {

// What the dialog keeps between its passes within one print job.
struct EstadoDarf {
  gains::OpcoesDarf o;  // code, quota and month range, CDARFUTU, payment date, free slip
  int QUANTDARF = 1;    // 1 one slip, 2 a run
  EstadoDarf() {
    o.ULT_QUOTA = 8;
    o.livre.QUEDARF = 6;
    o.livre.DF_PERIODO = rt::text::Date::fromYmd(2009, 12, 31);
    o.livre.DF_VCTO = rt::text::Date::fromYmd(2009, 1, 1);
    o.livre.DF_CODIG = "    ";
    for (std::string& l : o.livre.DF_OUTR) l = std::string(35, ' ');
  }
};

// DARF: the choices and the slip confirmed, for the taxpayer on the register (area 9) whose
// print copies are made. Nothing when the user left the code menu or edited the due dates.
// `DAT_VENC` are the program's quota due dates: a due date typed on a quota slip changes them
// for the rest of the run; the due-date dialog also stores them in DEFINE.
std::optional<gains::OpcoesDarf> DARF(store::Contexto& ctx, const Escolhas& esc, EstadoDarf& estado,
                                      std::array<rt::text::Date, 8>& DAT_VENC);

// The dialog as the slip service takes it; its state starts afresh with every job.
DialogoDarf dialogoDarf(std::array<rt::text::Date, 8>& DAT_VENC);

// VCTO1..VCTO8 of DEFINE's record, written under its record lock (store::gravaDefine).
// Failed, and told, when the table, the lock or the write was refused.
rt::Status gravaVencimentos(store::Contexto& ctx, const std::array<rt::text::Date, 8>& datas);

}  // namespace print

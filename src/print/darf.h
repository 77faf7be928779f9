// The DARF payment slip as printed: values only onto the pre-printed continuous form, or the
// whole slip drawn with characters on plain paper, 78 columns, two to a page.
#pragma once

#include <functional>
#include <optional>

#include "gains/darf_slip.h"
#include "print/impressao.h"
#include "print/trabalho.h"
#include "store/contexto.h"

namespace print {

using gains::SlipDarf;

// IMPRDARF: one copy at the current row QLIN in the layout of `QUEMOD` (1 plain sheet, 2 the
// DARF form); nothing for a principal of 0. QLIN is left where the next slip starts.
void IMPRDARF(store::Contexto& ctx, Impressao& imp, int QUEMOD, const SlipDarf& s);

// The dialog of the slips: the choices and the slip the user confirmed; nothing when the user
// left it (the job then ends without printing). `novoTrabalho`: the first pass of a job, whose
// answers start afresh; "Outro tipo de DARF?" starts from the last pass's.
using DialogoDarf =
    std::function<std::optional<gains::OpcoesDarf>(store::Contexto&, const Escolhas&, bool novoTrabalho)>;

// PREP_DARF as the job's kind-5 service: for each taxpayer of the job, the slips of the
// dialog's choices. The first taxpayer of a job runs the dialog; the others use its answers.
// The output is routed once a job, so a file target keeps every taxpayer's slips. With one
// taxpayer, "Outro tipo de DARF?" runs the dialog again into the same output, which the job
// hands over once at its end.
std::function<void(store::Contexto&, Impressao&)> servicoDarf(std::function<Escolhas()> escolhas,
                                                               DialogoDarf dialogo);

}  // namespace print

// Routing the printer before a job (PREP_IMP) and watching for the user's Esc while it prints
// (PAREIMP).
#pragma once

#include "print/impressao.h"
#include "rt/base/status.h"
#include "store/contexto.h"

namespace print {

// PREP_IMP: opens the destination of the terminal's printer record and sends the output
// device there, head at row 0, column 0. A parallel printer that is off or out of paper shows
// the three-button alert; "Abandona" fails it. A file in use by another terminal is waited
// for. A destination that cannot be opened is said with the system's reason and fails it,
// whatever button was chosen before. Every failure is told here. A file target is emptied on
// the job's first routing and appended to on a later one (the "NAO DOS" file is emptied every
// time: its earlier part has already gone to the print program).
rt::Status PREP_IMP(store::Contexto& ctx, Impressao& imp);

// PAREIMP: reads the keys typed so far up to the first Esc; on Esc asks "Abandona a impressão
// ???": "S" sends the rest of the job nowhere and sets CAN_IMP. Its result is CAN_IMP: true
// when the job is to stop.
bool PAREIMP(store::Contexto& ctx, Impressao& imp);

// AJUS_FIN: with FEZ_TES "S", a blank at column 0 of the head's row, a beep, and FEZ_TES
// becomes the answer to "Pausa p/ um ajuste fino." (another pause on "Sim").
void AJUS_FIN(store::Contexto& ctx, Impressao& imp);

// Closes the output device; a failed write or a refused job is said to the user.
rt::Status fechaSaida(store::Contexto& ctx, Impressao& imp);

}  // namespace print

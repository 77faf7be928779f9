// The printer set-up of the print menu (CONFIMP): the printer model chosen from the model
// list and the port, network printer or output file, kept in the terminal's printer record.
#pragma once

#include <functional>

#include "platform/paths.h"
#include "print/impressao.h"
#include "rt/base/status.h"
#include "store/contexto.h"

namespace print {

// The model list's grid (screen 33) over PRINTS, open in its area; the user marks the model
// chosen with "S" in CONFIM.
using GradeModelos = std::function<void(store::Contexto&)>;

// CONFIMP: option menu "Impressora" / "Porta"; Esc closes.
void CONFIMP(store::Contexto& ctx, Impressao& imp, const GradeModelos& grade, const platform::EnvLookup& env);

// MUDA_TIPIMP: the model's name, then ESC_IMP; again until Esc.
void MUDA_TIPIMP(store::Contexto& ctx, Impressao& imp, const GradeModelos& grade, const platform::EnvLookup& env);

// ESC_IMP: the model list; the first row marked is the model chosen (any other mark goes;
// with none the first row is marked) and its name and sequences go into the terminal's
// record. An empty list keeps the record as it is and says so. Failed, and told, when nothing
// was written.
rt::Status ESC_IMP(store::Contexto& ctx, Impressao& imp, const GradeModelos& grade,
                   const platform::EnvLookup& env);

// MUDA_PORTA: "L"ocal or "R"ede, parallel port, serial port (1-4) and, with neither port,
// the output file's name; written into the terminal's record when the form is left with Esc.
void MUDA_PORTA(store::Contexto& ctx, Impressao& imp);

}  // namespace print

// Loading a declaration into the terminal's working state: the rows of the CPF copied from the
// shared tables 01-19 (but 13) into the working copies TMP_nn (areas 21-39), the single-record
// tables into the record mirror, and the progress shown meanwhile.
#pragma once

#include <string_view>

#include "rt/base/status.h"
#include "store/contexto.h"
#include "store/declaracao.h"

namespace store {

// INIC_VAR: opens the declaration of the CPF in dec.espelho.CPF. The register (area 9) is
// expected on its row, or at end of file for a new taxpayer (kind 0); when it is not open it
// is opened and sought. `modo` 0 loads silently, 1 shows what it does. With LRECUPERA the
// terminal's existing copies are taken up again, after checking that they hold that CPF
// only; otherwise the alert "Impossível recuperar o último CPF." and a told failure. A table
// not had or a search that failed has been said too (told); a working copy that could not be
// opened, indexed or filled comes back as met (untold).
rt::Status INIC_VAR(Contexto& ctx, Declaracao& dec, int modo, int tipo);

// Whether the register of the current data folder has a row of `cpf` (in CPF order, whatever
// order it is in); an open register is left on the row it stood on, a closed one closed.
[[nodiscard]] bool estaNoRegistro(Contexto& ctx, const Cpf& cpf);

// LIMPVAR: the variables of a new declaration: every field of table 01 empty, then the
// defaults (register fields included).
void LIMPVAR(Declaracao& dec);

// PRENCHEMOL: the rural-summary variables and REND_RURAL from working copy 35 for side `atv`.
void PRENCHEMOL(Contexto& ctx, Declaracao& dec, std::string_view atv);

// MOSTR_PAG: with mode 1 (and not recovering) shows the CPF, the name and the data folder in
// window 3.
void MOSTR_PAG(Contexto& ctx, Declaracao& dec, int modo);

// MOSTRADOR: the progress bar grows by n blocks (45 at most), in window 3 row 5 column 26
// (mode 1) or in window 10 row 2 column 1.
void MOSTRADOR(Contexto& ctx, Declaracao& dec, int n, int modo);

// BALANCO: the whole declaration recomputed (through dec.calculos), JA_CALC true after it.
void BALANCO(Contexto& ctx, Declaracao& dec);

}  // namespace store

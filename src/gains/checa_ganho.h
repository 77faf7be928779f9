// The field checks of the gain entry form: the disposal date (VEIND_VEN), the exemptions asked
// after the disposal value (CHECK_VAL) and the reinvested part (CHECK_PARTE). Each says what
// it has to say through the computation's output and sets the flags the answers decide.
#pragma once

#include "gains/ganho.h"
#include "taxcalc/saida.h"

namespace gains {

// VEIND_VEN: false refuses the date. A disposal after 2009 is refused: the computation only
// holds for 2009.
bool VEIND_VEN(Ganho& g, taxcalc::Saida& saida);

// CHECK_VAL: small-value and single-residence exemptions; `imoveisNaLista` is how many
// assets with codes 11-19 the asset list holds.
void CHECK_VAL(Ganho& g, taxcalc::Saida& saida, int imoveisNaLista);

// CHECK_PARTE: the reinvested part may not exceed the disposal value; sets PERART31.
bool CHECK_PARTE(Ganho& g, Decimal parte, taxcalc::Saida& saida);

}  // namespace gains

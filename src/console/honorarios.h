// The office's fee for one declaration: a price per thousand bytes of the declaration's data and
// one per minute of work, each cut to cents, and the office's minimum fee. The fee list, the
// balance screen and the letters all charge by this one rule.
#pragma once

#include "rt/text/decimal.h"

namespace console {

// The prices of the program's settings (table DEFINE).
struct PrecosEscritorio {
  rt::text::Decimal VAL_SEG;   // per minute of use
  rt::text::Decimal VAL_BYTE;  // per thousand bytes of data
  rt::text::Decimal VAL_MIN;   // minimum fee
};

struct Honorarios {
  rt::text::Decimal tempo;    // minutes x VAL_SEG, cut to cents
  rt::text::Decimal tamanho;  // thousands of bytes x VAL_BYTE, cut to cents
  // Their sum raised to VAL_MIN; 0 when no time was spent (the declaration was not done).
  rt::text::Decimal declaracao;
};

Honorarios calculaHonorarios(rt::text::Decimal TEM_USO, rt::text::Decimal TAM_USO, const PrecosEscritorio& p);

}  // namespace console

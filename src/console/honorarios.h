// The office's fee for one declaration: a price per thousand bytes of the declaration's data and
// one per minute of work, each cut to cents, and the office's minimum fee. The fee list, the
// balance screen and the letters all charge by this one rule; they differ only on a declaration
// with no time spent.
#pragma once

#include "rt/text/decimal.h"

namespace console {

// The prices of the program's settings (table DEFINE).
struct PrecosEscritorio {
  rt::text::Decimal VAL_SEG;   // per minute of use
  rt::text::Decimal VAL_BYTE;  // per thousand bytes of data
  rt::text::Decimal VAL_MIN;   // minimum fee
};

// What a declaration with no time spent comes to: nothing in the fee list and the letters (it
// was not done, so it is not billed), the minimum on the balance screen, which proposes the
// fee of the declaration being worked on.
enum class SemTempo { Nada, Minimo };

struct Honorarios {
  rt::text::Decimal tempo;    // minutes x VAL_SEG, cut to cents
  rt::text::Decimal tamanho;  // thousands of bytes x VAL_BYTE, cut to cents
  // Their sum raised to VAL_MIN; with no time spent, as `SemTempo` says.
  rt::text::Decimal declaracao;
};

Honorarios calculaHonorarios(rt::text::Decimal TEM_USO, rt::text::Decimal TAM_USO, const PrecosEscritorio& p,
                             SemTempo semTempo);

}  // namespace console

#include "console/honorarios.h"

#include "rt/text/strings.h"

namespace console {

using rt::text::Decimal;

Honorarios calculaHonorarios(Decimal TEM_USO, Decimal TAM_USO, const PrecosEscritorio& p, SemTempo semTempo) {
  Honorarios h;
  h.tamanho = rt::text::despreza(TAM_USO / Decimal(1000) * p.VAL_BYTE, 2);
  h.tempo = rt::text::despreza(TEM_USO / Decimal(60) * p.VAL_SEG, 2);
  if (!TEM_USO.isZero() || semTempo == SemTempo::Minimo) {
    h.declaracao = h.tamanho + h.tempo;
    if (h.declaracao < p.VAL_MIN) h.declaracao = p.VAL_MIN;
  }
  return h;
}

}  // namespace console

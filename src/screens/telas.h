// GTELA: the numbered screens of the open declaration. Each screen draws its background
// (MTELA) and runs its fields and grids over the declaration's variables, recomputing what
// they feed; the key that ended it is left in ULTTECLA (and TECLAMUDA when a screen key asked
// for another screen), where the driver reads it.
#pragma once

#include "screens/ambiente.h"
#include "screens/fundos.h"

namespace screens {

// The background state of the open declaration for screen n.
EstadoFundo estadoFundo(AmbienteTela& a, int n);

// GTELA(n): draws screen n and runs it. False when the number has only its background in
// this version (the caller then waits for the key that leaves it) or no screen at all.
bool GTELA(AmbienteTela& a, int n);

// Everything the summary and the balance show, recomputed from what feeds them: the rural
// result lines of the open side, the capital-gain and variable-income totals from their rows,
// then the whole summary (its exempt and exclusive totals among them) and the balance. Screens
// 7 and 10 run it before they are drawn, since the rural, gains and variable-income screens are
// left without it.
void recalculaResumo(AmbienteTela& a);

// The screens, each over the background MTELA drew for it.
void identificacao(AmbienteTela& a, const Fundo& f);  // 6
void RENDPJ(AmbienteTela& a, const Fundo& f);         // 1
void RENDPF(AmbienteTela& a, const Fundo& f);         // 2
void isentos(AmbienteTela& a, const Fundo& f);        // 3
void dependentes(AmbienteTela& a, const Fundo& f);    // 4
void bens(AmbienteTela& a, const Fundo& f);           // 5
void situacao(AmbienteTela& a, const Fundo& f);       // 11
void listaAmpliadaZ(AmbienteTela& a, const Fundo& f);  // 22
void listaAmpliadaX(AmbienteTela& a, const Fundo& f);  // 23
void imoveisRurais(AmbienteTela& a, const Fundo& f);  // 12
void mesesRurais(AmbienteTela& a, const Fundo& f);    // 13
void resultadoRural(AmbienteTela& a, const Fundo& f); // 14
void rebanho(AmbienteTela& a, const Fundo& f);        // 15
void bensRurais(AmbienteTela& a, const Fundo& f);     // 16
void dividasRurais(AmbienteTela& a, const Fundo& f);  // 17
void resumo(AmbienteTela& a, const Fundo& f);         // 7 (draws the other model's background on a switch)
void ganhos(AmbienteTela& a, const Fundo& f);         // 8
void rendaVariavel(AmbienteTela& a, const Fundo& f);  // 9

}  // namespace screens

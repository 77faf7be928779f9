// The key hints of the declaration screens and grids, on the message line: MRODAPE(k) writes
// the hint of screen or grid k; MRODA, MRODA1 and MRODA2 write a fixed key prefix followed
// by a screen's own text, centred. FINFO_CONJ lives beside them: the spouse's result read for
// the balance.
#pragma once

#include <string>
#include <string_view>

#include "console/contexto.h"
#include "rt/text/decimal.h"
#include "store/espelho.h"

namespace screens {

// The prefix naming the keys of the on-line texts and of their index.
std::string_view prefixoAjuda();

// What hint 7 and hint 12 depend on: the simplified model (USAPADRAO "S") and the monthly
// computation mode CAL_AUTO.
struct EstadoRodape {
  bool simplificado = false;
  int CAL_AUTO = 1;
};

// MRODAPE: hint k (1-20); any other k clears the line. Returns "".
std::string MRODAPE(console::Contexto& ctx, int k, const EstadoRodape& estado = {});

// MRODA: the on-line text keys, "INS=Inclui DEL=Elimina TAB=" and the text, centred.
void MRODA(console::Contexto& ctx, std::string_view texto);
// MRODA1: "Alt U=valor mensal ESC=Fim decl. TAB=" and the text, centred.
void MRODA1(console::Contexto& ctx, std::string_view texto);
// MRODA2: the on-line text keys, "TAB=" and the text, centred.
void MRODA2(console::Contexto& ctx, std::string_view texto);

// FINFO_CONJ: the result of the couple's common assets that the balance takes as the spouse's
// income: the register's I9_2 of the open declaration, also left in INFO_CONJ.
rt::text::Decimal FINFO_CONJ(const store::EspelhoDeclaracao& d, rt::text::Decimal& INFO_CONJ);

}  // namespace screens

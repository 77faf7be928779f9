// Variable income (screen 9): the monthly matrix MRENVAR of one operation mode (1 common
// operations, 2 day trade, 3 investment funds), 26 lines by 12 months, loaded from and saved
// to the variable-income rows of the gains copy (area 27: TIPO_BEM 4, BEM_NRO 0, RVAR_NRO the
// line, DAY_TRADE the mode, REC_MES01..12 the months), computed month by month with losses
// and day-trade withholdings carried forward, and its yearly totals carried to the summary.
#pragma once

#include <optional>
#include <string>

#include "grid/matriz_dados.h"
#include "rt/text/decimal.h"
#include "taxcalc/contexto.h"

namespace gains {

enum ModoRV { Comum = 1, DayTrade = 2, Fundos = 3 };
inline constexpr int kLinhasRV = 26;

// The amount of matrix line `linha` (1-26) in month `mes` (1-12).
rt::text::Decimal& celulaRV(grid::Matrizes& m, int linha, int mes);

// ZER_RENVAR(mode): all 26 lines empty with the mode's captions.
void ZER_RENVAR(grid::Matrizes& m, int modo);

// PRENCHE_MAT(mode): the matrix of `modo` from the stored rows, then computed. The lines every
// mode shares (the taxes and withholdings) are taken from the mode that enters them: the
// common tax (18) from mode 1, the day-trade tax and withholdings (19, 21, 22) from mode 2.
void PRENCHE_MAT(taxcalc::Contexto& c, grid::Matrizes& m, int modo);

// SOMA_RENVAR: lines 14-25 of every month. A law-11.033 withholding (line 24) above the tax
// due is cut to it, and the refusal's text comes back.
std::optional<std::string> SOMA_RENVAR(grid::Matrizes& m);

// GRAVA_RV: the matrix stored back as rows. After the day-trade mode, the common operations
// are loaded, computed and stored again, so that their line 25 (read by the payment slip)
// carries the new day-trade tax.
void GRAVA_RV(taxcalc::Contexto& c, grid::Matrizes& m);

// CALC_GRV: the yearly totals I4_03, I13_40, PREJRVA and LUCRRVA from the stored rows.
void CALC_GRV(taxcalc::Contexto& c);

}  // namespace gains

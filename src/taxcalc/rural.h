// The rural-activity result: the monthly revenue and expenses, the result of the year, the loss
// of earlier years compensated, the presumed result (20% of revenue), the taxable result and
// the loss carried to next year, for the activity in Brazil and abroad (ATV_BRASIL "S" / "N"),
// combined into the summary line I13_06. The side's figures live in the rural record of the
// mirror (table 15, copy 35); the other side's are kept in the register (TRIB_BR, PREJU_EX ...).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "rt/text/decimal.h"
#include "taxcalc/contexto.h"

namespace taxcalc {

// What the rural result keeps besides the record: the dollar rate of the abroad side.
struct EstadoRural {
  Decimal NVALDOLAR;
};

// Monthly totals of the cash book: [month 1..12], index 0 unused.
struct TotaisRurais {
  std::array<Decimal, 13> receitas{};  // TRECRUR
  std::array<Decimal, 13> despesas{};  // TDESRUR
};

// SOMA_RUR(mode): the cash book (copy 39) by month, each entry weighted by its property's
// share (I2R_04 / 100 of copy 36; no property or one beyond the list: the whole); expenses
// marked for the land tax add to their property's VALITR. Mode 2 writes REND_RURAL.
TotaisRurais SOMA_RUR(Contexto& c, int modo);
// The monthly totals of screen 13: I4R_01 and I4R_02 from the twelve cells of REND_RURAL.
void totaisMensais(Contexto& c);
// VE_DESPESAS: which months of the year spent more than they received ("*" in MES_NEG);
// December included. Returns whether any month was.
bool VE_DESPESAS(const TotaisRurais& t, std::array<char, 12>& MES_NEG);
// SOMA_DIV: the rural debts of copy 38: previous year, current year, paid.
struct DividasRurais {
  Decimal NTOTANT, NTOTBASE, NTOTPAGO;
};
DividasRurais SOMA_DIV(Contexto& c);

// The result lines of the current side, in their order, and then the sides combined.
void FI4R_03(Contexto& c, const EstadoRural& e);
void FI4R_05(Contexto& c);
void FI4R_06(Contexto& c);
void FI4R_07(Contexto& c);
void FI5_08(Contexto& c);
void FI6_10(Contexto& c);
// CALC_PREJU: the current side's figures kept in the register, then both sides combined into
// I13_06, PREJRUR, I3_11, EMPRUR and AMORUR.
void CALC_PREJU(Contexto& c);
// Screen 14's whole computation: FI4R_03 to FI6_10 and CALC_PREJU.
void resultadoRural(Contexto& c, const EstadoRural& e);

// The herd of screen 15: final stock of kind `especie` ("B", "S", "C", "A", "V1") after the
// edit of column `coluna` (4 or 5 test the stock); the refusal text when it would be negative.
std::optional<std::string> estoqueFinal(Contexto& c, std::string_view especie, int coluna, Decimal& final);

// The herd's final stocks I7_T1..I7_T5, one per kind in the order B, S, C, A, V1: initial
// stock + purchases + births - consumption and losses - sales.
std::array<Decimal, 5> totaisRebanho(const Contexto& c);
// A final stock as screen 15 shows it: a whole number, blank when 0.
std::string textoRebanho(Decimal total);

// CALCRUR(screen, mode): 13 the monthly totals, 14 the result lines, 15 the herd field `modo`
// just edited (column digit and kind, "4B"; "0" only shows the totals). The refusal text when a
// herd edit would leave a negative stock; otherwise the herd's totals are redrawn
// (Quadro::Rebanho).
std::optional<std::string> CALCRUR(Contexto& c, const EstadoRural& e, int tela, std::string_view modo = "0");

// MRODAPER(n): the rural screens' footer hints; `soTotais` is the totals mode of hint 2.
// Empty for a number without a hint.
std::string MRODAPER(int n, bool soTotais = false);

}  // namespace taxcalc

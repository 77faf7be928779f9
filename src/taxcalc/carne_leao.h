// The monthly self-assessed tax (carnê-leão): income received from individuals and from abroad
// is taxed month by month with the annual table taken for one month; tax paid late is
// corrected with the monthly interest table UFIRM (area 51) and a fine; the year's totals go
// to the summary lines I13_03, I13_04, I13_05, I13_14 and I13_23.
//
// The matrix REC_MENSAL has 13 rows (the months, row 13 the year) and columns 2-8: income from
// individuals, income from abroad, cash-book expenses, deductions (self-paid social security,
// alimony, dependants), tax paid, tax due, amount to pay with interest and fine. It holds
// amounts in cents; the grid draws them in "@Ez 9999,999.99".
// Each person (the titular, every dependant) has the same thirteen rows in copy 32 (table 12),
// fields I2_x mm with x = column - 1 and mm = 01..13.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "rt/text/date.h"
#include "rt/text/decimal.h"
#include "store/espelho.h"
#include "taxcalc/contexto.h"

namespace taxcalc {

// The matrix: [month 1..13][column 2..8]; index 0 of both is unused.
using MatrizLeao = store::MatrizMeses<8>;

// A computed matrix into the mirror's REC_MENSAL, every cell in cents as the matrix keeps them
// (the year's row stays exact however wide it grows).
void gravaMatriz(Contexto& c, const MatrizLeao& m);

// ULT_DIA(month, year, months ahead): the last day of month + ahead - 1 (into the next year
// past December); a Sunday moves back 2 days, a Saturday 1, and a date then in December one
// more. ULT_DIA(m, 2009, 2) is the due date of month m's tax.
rt::text::Date ULT_DIA(int mes, int ano, int adiante);
// PROX_DIA(date): the next day, a Saturday or Sunday moved on to Monday.
rt::text::Date PROX_DIA(rt::text::Date d);
// DF_PAGTO as a declaration starts: the last working day of today's month.
rt::text::Date pagamentoPadrao(rt::text::Date hoje);

// The correction of one month's unpaid tax.
struct Correcao {
  Decimal juros;  // interest in percent
  Decimal multa;  // fine in percent
  Decimal valor;  // column 8: what is owed with both
};
// Month `mes`'s due tax `devido` with `pago` paid, to be paid on `pagamento`.
Correcao correcaoMes(const Contexto& c, int mes, Decimal devido, Decimal pago, rt::text::Date pagamento);

// VE_LEAO on a matrix: month m's tax due into column 7 (and the year's with total 1; month 12
// then corrects every month, CORR_DARF). `inverso` is the reverse mode of the matrix editor
// (CAL_AUTO 4, cursor beyond column 3): the income of column 2 is found from the tax paid. It
// returns false when no bracket reproduces the tax paid; the tax paid then stays as typed and
// the user is warned.
bool VE_LEAO(Contexto& c, MatrizLeao& m, int mes, int total, bool inverso, rt::text::Date pagamento);
// CORR_DARF on a matrix: column 8 of every month and of the year.
void CORR_DARF(Contexto& c, MatrizLeao& m, rt::text::Date pagamento);
// The reverse mode of one month: the gross income whose tax is `pago` with deductions
// `deducoes`. found is false when no bracket gives back exactly `pago`.
struct Inverso {
  Decimal bruto;
  Decimal imposto;  // the tax of the last bracket tried
  bool achou = false;
};
Inverso rendaDoImposto(Decimal pago, Decimal deducoes);

// FX_RT for the carnê-leão matrix: row 13 of `coluna` (2..8) becomes the sum of the months,
// and the matrix is no longer up to date (LEAO_CAL false).
void FX_RT(Contexto& c, int coluna);

// A payment row's monthly matrix CALC_MENS: [month 1..13][column 2..3], reais and the other
// column (dollars, or the employer's part of the domestic employee's social security).
using MatrizMensal = store::MatrizMeses<3>;
// FX_RT for CALC_MENS after an edit of month `mes`, column `coluna`: the other column converted
// at the month's dollar rate (or, on the domestic employee's row, column 3 := column 2 / 0.2 x
// 0.12), cut to cents, and row 13 totalled. An edit of column 3 on the domestic employee's row
// is refused: the text comes back and nothing changes.
std::optional<std::string> FX_RT_MENS(Contexto& c, MatrizMensal& m, int mes, int coluna, bool domestico);

// What the monthly tax keeps between its runs and shows beside the matrix.
struct EstadoLeao {
  rt::text::Date DF_PAGTO;  // payment date of the correction
  Decimal PENSAOM;          // alimony of the year deducted month by month
  Decimal NTOTDEP;          // dependants' deduction granted in the year
};

// FDE_LEAO(mode): the matrix of the side of the current income row (I1_11 "S" the titular,
// "N" the dependants) rebuilt from the income rows (CAL_AUTO 1 and 3) or as entered (2 and 4),
// every person's row of copy 32 written, and the summary lines carried. Mode 1 writes every
// row of REC_MENSAL, mode 2 only the year's. Nothing happens while LEAO_CAL is true.
void FDE_LEAO(Contexto& c, EstadoLeao& e, int modo);

// VE_LEAO on the screen's matrix REC_MENSAL, as the matrix editor calls it.
bool VE_LEAO(Contexto& c, EstadoLeao& e, int mes, int total, bool inverso);

}  // namespace taxcalc

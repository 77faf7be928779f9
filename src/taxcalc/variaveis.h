// The computation's own variables: the totals and intermediate results that are not fields of
// a declaration table. They live as long as the open declaration (the payment totals, for
// instance, are kept between scans while JA_CALC says nothing changed) and are never saved.
// The results that are fields (the summary lines I13_xx, DESPADRAO, SALDO, INDGAS ...) live in
// the record mirror instead.
#pragma once

#include "rt/text/decimal.h"

namespace taxcalc {

using rt::text::Decimal;

struct Variaveis {
  // Model comparison and summary.
  Decimal DESCON;         // discount applied to I13_07: I13_15 (complete) or DESPADRAO
  Decimal NCOMPL;         // tax due under the complete model
  Decimal NSIMPL;         // tax due under the simplified model
  Decimal LIMMAX;         // I13_07 - I13_15 when positive
  bool LTEMPRAD = false;  // true while the simplified model is being computed
  Decimal RECEITA;        // resources of the cash balance (set by VE_SALDO)
  Decimal DESPESA;        // uses of the cash balance (set by VE_SALDO)

  // Raw totals before their limits.
  Decimal I13_09T;  // private pension paid
  Decimal I13_11T;  // education paid
  Decimal I13_12D;  // medical: part not deductible or reimbursed
  Decimal I13_18T;  // incentive donations
  Decimal I13_20T;  // domestic employee's social security paid
  Decimal I13_23A;  // monthly self-assessed tax of the titular (carnê-leão)
  Decimal I13_23B;  // monthly self-assessed tax of the dependants
  Decimal I3_04D;   // exempt capital gains in reais
  Decimal I3_04C;   // exempt capital gains in foreign currency

  // Income totals.
  Decimal N_DEPEN;             // dependants (alimony beneficiaries are counted in DESPALIM)
  Decimal NPREVTIT, NPREVDEP;  // official social security withheld, titular / dependants
  Decimal N13ROTIT, N13RODEP;  // 13th salaries
  Decimal NISENDEP;            // dependants' exempt income
  Decimal NTRIFDEP;            // dependants' exclusively taxed income
  Decimal NMENDEP;             // dependants' complementary monthly tax
  Decimal NEXIGI;              // income whose tax is suspended
  Decimal NMAIORSAL;           // largest legal-entity income of the titular (its payer is CGCPAGADOR)
  bool LNASSAL = false;        // some titular row is marked as no salary
  Decimal MENS;                // complementary monthly tax (income rows of kind M)
  Decimal VARIA;               // other income (rows of kind V)

  // Payment totals.
  Decimal NEMPREGADO;  // salary estimate of the domestic employee of the last code-50 row
  Decimal NTOTEMPREG;  // sum of those estimates
  Decimal DESPSIMP;    // payments that leave the cash under the simplified model
  Decimal NADVOGADO, NALUGUEL, NDOABENS, NPARTIDO, NOUTROS, NAJUSTE;

  // Assets, debts and the patrimony variation.
  Decimal NTOTBANT1, NTOTDANT1;  // previous year's assets / debts as declared last year
  Decimal I10_1, I10_2;
  Decimal VARPATR, VARBEN, VARDIV;
};

}  // namespace taxcalc

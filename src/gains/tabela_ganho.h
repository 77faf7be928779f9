// A capital-gain operation read from and written to its stored rows: the operation's row of
// the gains copy (area 27) and its cost rows or share movements in area 28 (same BEM_NRO,
// sequence in RVAR_NRO). What the computation derives is written into the fields the
// printed statement and the export read:
//   operation: CUS_ATUAL (the cost set against the disposal), VAL_TRIBU (taxable gain),
//     VAL_IMPOS (tax), VAL_NAOTRI (exempt part), GAN_TRI1/GAN_TRI2 (the reductions by the two
//     factors, amounts), FR1/FR2 (the overall factors, percent), PER_TRI, and the months
//     REC_MES, VAL_TRI, IMP_DEV (IMP_PAG, IMP_LEI from an instalment sale's matrix);
//   cost row: PER_CUST, PER_RED, PER_RED1, PER_RED2, VALOR_REDU, RESUL_2/RESUL_3 (the row's
//     reductions by the two factors), SALDO_ACAO and CM_PONDER of a share movement.
#pragma once

#include "gains/ganho.h"
#include "rt/db/table.h"
#include "taxcalc/contexto.h"
#include "taxcalc/gravacoes.h"

namespace gains {

// The operation on the current row of `operacoes` (area 27) with its rows of `custos`.
Ganho leGanho(rt::db::Table& operacoes, rt::db::Table& custos);

// Writes what `g` derived into the current row of `operacoes` and into its cost rows (a cost
// row the chain added is appended with the operation's CPF and number).
void gravaGanho(rt::db::Table& operacoes, rt::db::Table& custos, Ganho& g, taxcalc::Gravacoes& grava);

// FCALGAN on the operation of the current row of area 27: read, computed, the notices said,
// written back. The computed operation, or nothing when the copies are not open.
std::optional<Ganho> calculaGanho(taxcalc::Contexto& c);

}  // namespace gains

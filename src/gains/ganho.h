// One capital-gain operation as the computation sees it: what the user entered on screen 8
// (a row of the gains copy, area 27), its cost rows or share movements (area 28), the
// instalments received by month, and every figure the computation derives. The stored fields
// are filled from it by `gravaGanho`, so the screen, the printed statement and the export
// read the same values.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "rt/text/date.h"
#include "rt/text/decimal.h"

namespace gains {

using rt::text::Date;
using rt::text::Decimal;

enum TipoBem { Imovel = 1, OutrosBens = 2, Participacao = 3, RendaVariavel = 4 };
enum TipoPart { Acoes = 1, Quotas = 2, FundoInvestimento = 3 };
enum TipoOper { Saldo = 1, Aquisicao = 2, Alienacao = 3 };

// A cost row (real estate, other assets) or a share movement (shareholdings).
struct CustoGanho {
  std::uint32_t registro = 0;  // its record in area 28; 0 for a row not stored yet
  int RVAR_NRO = 0;            // its sequence within the operation
  Decimal VALOR_CUST;
  Date DATA_CUST;
  int TIPO_OPER = 0;  // share movements only
  Decimal MOV_ACAO;   // quantity moved
  // Derived.
  Decimal PER_CUST;  // share of the total cost, percent (6 decimals)
  int PER_RED = 0;   // old-property reduction, percent
  Decimal PER_RED1, PER_RED2;
  Decimal VALOR_REDU;  // old-property reduction of this row
  Decimal RESUL_2;     // the row's reduction by the first factor (FR1)
  Decimal RESUL_3;     // the row's reduction by the second factor (FR2)
  Decimal SALDO_ACAO;  // share balance after the movement
  Decimal CM_PONDER;   // weighted average cost after the movement (4 decimals)
};

// The month columns of the instalment matrix REC_GANHO, index 0 = January.
using Meses = std::array<Decimal, 12>;

struct Ganho {
  int BEM_NRO = 0;
  int TIPO_BEM = Imovel;
  int TIPOPART = 0;
  std::string NATUOPER;
  Date DATA_ADQ, DATA_ALI;
  Decimal VAL_ALI, VAL_RECOL, CUS_ATUAL;
  bool PARCOMPRA = false, VEN_PRAZO = false, VENDAANT = false, PEQ_VALOR = false;
  Decimal PER_TRI;   // taxable share of each instalment (5 decimals)
  Decimal PERART31;  // reinvested part, percent of VAL_ALI
  std::vector<CustoGanho> custos;
  // The instalments of a sale in instalments: amount received (column 4), and the further
  // monthly amounts of columns 5 and 6.
  Meses recebido{}, coluna5{}, coluna6{};

  // Derived.
  Decimal custoTotal;  // cost set against the disposal (of the shares sold, of the torna)
  Decimal RESUL_I;     // disposal value less cost
  int PER_RED = 0;     // old-property reduction of the acquisition
  Decimal NREDUCAO, FATOR1, FATOR2;
  Decimal PER_RED1, PER_RED2;      // overall factors (fractions)
  Decimal VAL_TRIBU;               // taxable gain
  Decimal VAL_IMPOS;               // tax
  Decimal VAL_NAOTRI;              // exempt part
  Decimal reinvestido;             // the reinvested share taken off the taxable gain
  Meses ganhoMes{}, impostoMes{};  // columns 1 and 2 of an instalment sale
  // What the user must be told (the torna's reminder, an invalid cost date).
  std::vector<std::vector<std::string>> avisos;

  bool permutaComTorna() const;
  bool fundo() const { return TIPO_BEM == Participacao && TIPOPART == FundoInvestimento; }
  // The tax rate: 20% for investment-fund shares, else 15%.
  Decimal aliquota() const;
};

// FCALGAN: the whole chain (FCUS_TOT, CALC_LUCRO, FPER_TRI, FX_GANHO of every month) over `g`.
void FCALGAN(Ganho& g);
// FCUS_TOT: cost rows, reductions and the result RESUL_I.
void FCUS_TOT(Ganho& g);
// CALC_LUCRO: taxable gain, tax and exempt part.
void CALC_LUCRO(Ganho& g);
// FPER_TRI: the taxable share of each instalment of a sale of this year.
void FPER_TRI(Ganho& g);
// FX_GANHO(month 1-12): the taxable gain and the tax of one instalment.
void FX_GANHO(Ganho& g, int mes);

}  // namespace gains

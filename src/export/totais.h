// The totals the declaration file states before its items (GERAR's steps 2 and 3 and the
// payment, savings and dependants' income sums), taken once from the declaration's rows.
#pragma once

#include <string>

#include "export/dados.h"

namespace exporta {

struct TotaisRendaPJ {
  Decimal rendimento, retido, previdencia, decimoTerceiro, lucros;
  Decimal isentos, exclusivos, outros;  // I1_9, I1_10, I1_13 (dependants only)
  Decimal exigSuspensa, depositoJudicial;  // I1_19, I1_20
  std::string maiorFonte;                  // CNPJ of the row with the largest I1_4
};

struct Totais {
  int NQT_DEPEND = 0;
  TotaisRendaPJ titular, dependente;  // rows "J" and "D"
  Decimal NTOTJUR;
  // Payments.
  Decimal I13_11T, I13_09T, I13_18T, I13_20T, NPENCART, NELEICAO;
  // Savings and profit lines.
  Decimal NPOUP, NAPLIC, NOUTNT, NLUCROREAL;
  // Dependants' income from persons by kind: "F", "E", "L", "P", "I".
  Decimal NTOTPFD, NTOTEXD, NTOTLCD, NTOTPRD, NTOTIMD;
  // Resident abroad (UF "EX").
  bool exterior = false;
};

Totais calculaTotais(const DadosDeclaracao& dados);

// Whether a dependants' row counts as a dependant (codes below 98) rather than an alimony
// beneficiary (98 and above).
bool ehDependente(const store::RegistroEspelho& linha);

}  // namespace exporta

// The sections of the declaration file after `doacoes`: variable income, rural activity,
// capital gains, the empty foreign-currency section, and the identifier copy of the program's
// index; together, the `Complementos` the export writes.
#pragma once

#include "export/gerar.h"

namespace exporta {

// PREP_RVAR: `rendaVariavel`, the twelve months of common and day-trade operations and the
// investment funds' months.
void rendaVariavel(TextoXml& x, const DadosDeclaracao& dados);
// The `atividadeRural` section: Brazil and abroad, each from its own rows.
void atividadeRural(TextoXml& x, const DadosDeclaracao& dados);
// MOEDAESTRA: `moedaEstrangeira`, always empty.
void moedaEstrangeira(TextoXml& x, const DadosDeclaracao& dados);
// SEMGANHO: the `ganhosDeCapital` section of a declaration without gain operations.
void semGanhos(TextoXml& x);
// Gain operations are the rows of copy 27 other than variable income (TIPO_BEM 4).
bool temOperacoesDeGanho(const DadosDeclaracao& dados);
// GANHOCAP: `ganhosDeCapital` with an item for every operation by kind (real estate, movable
// goods, shares) and the declarant's totals; the empty section when there is no operation.
void ganhosDeCapital(TextoXml& x, const DadosDeclaracao& dados);
// "<copiaIdentificador" + the identifier attributes + "/>".
void copiaIdentificador(TextoXml& x, const DadosDeclaracao& dados);

// Every section the export writes after `doacoes`.
Complementos complementosDaDeclaracao();

}  // namespace exporta

// The sections of the declaration file after `doacoes`: variable income, rural activity, the
// empty capital-gains and foreign-currency sections, and the identifier copy of the program's
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
// "<copiaIdentificador" + the identifier attributes + "/>".
void copiaIdentificador(TextoXml& x, const DadosDeclaracao& dados);

// Every section the export writes after `doacoes`.
Complementos complementosDaDeclaracao();

}  // namespace exporta

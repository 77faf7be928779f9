// Two declarations built in memory for the export's tests: a simplified one of a resident
// abroad with no rows, and a complete one with incomes of every kind, dependants and alimony
// beneficiaries, payments, assets in runs, debts, carnê-leão rows, a spouse and an estate.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>

#include "export/dados.h"
#include "export/gerar.h"
#include "rt/db/structure.h"
#include "store/areas.h"

namespace exporta::teste {

using Campos = std::initializer_list<std::pair<const char*, rt::db::Value>>;

// A row of declaration table `tabela` with the fields given, the rest empty.
store::RegistroEspelho linha(store::Area tabela, Campos campos);
void preenche(store::RegistroEspelho& r, Campos campos);

// The declaration's record mirror and rows; `dados` reads them.
struct Declaracao {
  store::EspelhoDeclaracao d;
  DadosDeclaracao dados{d};
};

void simplificada(Declaracao& x);
void completa(Declaracao& x);
// Variable-income rows of copy 27: common and day-trade operations and investment funds.
void comRendaVariavel(Declaracao& x);
// Rural activity in Brazil (two properties, one without a name, a herd, assets and a debt) and
// abroad (two properties in two countries); the Brazil side is the open one.
void comRural(Declaracao& x);
// Gain operations of every kind: property acquired before 1989 with a renovation, property
// with nothing to reduce sold in instalments, movable goods in an exchange with a balance,
// shares with tax withheld.
void comGanhos(Declaracao& x);

// The whole file text as GERAR writes it; questions answered from `respostas` ("S"/"N").
std::string textoDe(const DadosDeclaracao& dados, std::string respostas = "SN", const Complementos& complementos = {});

}  // namespace exporta::teste

// The rural-activity sheets 14 and 15 (in Brazil and abroad): the properties, the receipts and
// expenses and their result, the herd movement, the rural assets and debts. They read the
// taxpayer's register row (area 9, on the taxpayer) and the rural print copies 35-38.
#pragma once

#include <string>

#include "print/impressao.h"
#include "print/pagina.h"
#include "store/contexto.h"

namespace print {

// The taxpayer's name and CPF as the rural and cash-book pages head them.
struct Titular {
  std::string nome, cpf;
};
Titular titularDoRegistro(store::Contexto& ctx);

// FAZ_RURAL1(flag): page 1 (properties, receipts and expenses, the result) of the activity in
// Brazil (`brasil`) or abroad; nothing when the summary copy has no row for that side.
void FAZ_RURAL1(store::Contexto& ctx, Impressao& imp, bool brasil);
// FAZ_RURAL2(flag): page 2 (herd, rural assets and debts) of that side.
void FAZ_RURAL2(store::Contexto& ctx, Impressao& imp, bool brasil);

}  // namespace print

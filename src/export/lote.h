// Menu items 64 (the taxpayers marked) and 65 (every taxpayer of the folder): the declaration
// driver run for each taxpayer of the register in turn, which loads and exports it. Esc
// between two taxpayers asks whether to stop.
#pragma once

#include <functional>
#include <string>

#include "store/contexto.h"
#include "store/transfere.h"

namespace exporta {

// `declara` runs the declaration driver for the CPF given (it loads and exports the
// declaration); `marca` lets the user mark the taxpayers of item 64 in the register.
void TRANSFERE_LOTE(store::Contexto& ctx, int item, const store::MarcaContribuintes& marca,
                    const std::function<void(const std::string& cpf)>& declara);

}  // namespace exporta

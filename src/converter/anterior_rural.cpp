// Placeholder until the rural copies are written: no rural table is ever found.
#include "converter/anterior_rural.h"

namespace conversor {

std::unique_ptr<RuralAnterior> RuralAnterior::abre(store::Contexto&, const std::string&) { return nullptr; }
RuralAnterior::~RuralAnterior() = default;
rt::Result<bool> RuralAnterior::copia(const store::Cpf&, converter::TabelasCpf&) { return false; }

std::unique_ptr<RuralLivroCaixa> RuralLivroCaixa::abre(store::Contexto&, const std::string&) { return nullptr; }
RuralLivroCaixa::~RuralLivroCaixa() = default;
rt::Result<bool> RuralLivroCaixa::copia(const store::Cpf&, converter::TabelasCpf&) { return false; }

bool CONV_VESKAR(store::Contexto&, RuralAnterior&, const store::Cpf&) { return false; }
void reconverteRural(store::Contexto&, Conversor&) {}

}  // namespace conversor

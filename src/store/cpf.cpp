#include "store/cpf.h"

#include "rt/text/strings.h"

namespace store {

Cpf::Cpf(std::string_view texto) : chave_(rt::text::padr(texto, kLargura)) {}

std::string_view Cpf::digitos() const { return rt::text::alltrim(chave_); }

}  // namespace store

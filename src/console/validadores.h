// Validation of the document numbers typed into forms: CPF, CNPJ and NIT, each with its own
// alert. They are the valid rules of the input fields, so false keeps the cursor in the field.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "console/contexto.h"
#include "console/documentos.h"  // avisoCpf, the lines of VAL_CPF's alert

namespace console {

// The register searched by name when a CPF is left empty (the chooser of taxpayers). It
// fills the CPF itself; its result is ignored, as an empty CPF with the search is accepted.
using BuscaNome = std::function<void()>;

// The CPF is the first 11 characters (9 digits and 2 check digits). Empty: false when
// required, but with a name search the search runs and the result is true.
bool VAL_CPF(Contexto& ctx, std::string_view cpf, bool obrigatorio = false, const BuscaNome& buscaNome = {});
// Each check is true when the document is accepted; a refusal is said.
// The CNPJ is the first 14 characters (12 digits and 2 check digits).
bool VAL_CGC(Contexto& ctx, std::string_view cnpj, bool obrigatorio = false);
// An employee's NIT: 11 digits with its own check digit; empty is accepted.
bool VAL_NIT(Contexto& ctx, std::string_view nit);
// A CPF or CNPJ typed with its separators: a NIT layout is accepted as it is; the place of
// the first separator tells which it is, and the digits are checked by VAL_CPF or VAL_CGC.
bool CPFCGC(Contexto& ctx, std::string_view documento, bool obrigatorio = false);

}  // namespace console

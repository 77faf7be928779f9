// The dependants' age rules of a conversion, as the clerk meets them: the reader of the tax
// authority's files (converter/receita/declaracao.h) and last year's conversion ask here
// whether a dependant too old stays.
#pragma once

#include <string_view>

#include "rt/text/date.h"
#include "store/contexto.h"

namespace converter {

// VE_IDADE: whether a dependant of `codigo` born on `nascimento` stays (alerts and the
// question through the store's Relato).
bool VE_IDADE(store::Contexto& ctx, std::string_view nome, int codigo, rt::text::Date nascimento);

}  // namespace converter

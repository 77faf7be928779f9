// The fixed-column fields kept by subject, one table to a file (campos_<subject>.cpp), each
// holding its records' fields in their order; camposFixos() joins them into the one table
// that every reader goes through.
#pragma once

#include <span>

#include "converter/receita/campos.h"

namespace converter {

std::span<const CampoFixo> camposIdentificacao();
std::span<const CampoFixo> camposRendimentos();
std::span<const CampoFixo> camposDependentes();
std::span<const CampoFixo> camposPagamentos();
std::span<const CampoFixo> camposBens();
std::span<const CampoFixo> camposRendaVariavel();
std::span<const CampoFixo> camposRural();
std::span<const CampoFixo> camposGanhos();

}  // namespace converter

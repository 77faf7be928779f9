// The work areas by name, as the store and the layers above it say them: `store::Area::TMP_02`.
// The catalogue itself sits below the console (workareas/areas.h), which names its areas too;
// these are the same names, not a copy.
#pragma once

#include "workareas/areas.h"
#include "workareas/areas_trabalho.h"
#include "workareas/selecao.h"

namespace store {

using workareas::Area;
using workareas::AreasTrabalho;
using workareas::SelecaoGuardada;

using workareas::kCopias;
using workareas::kDeclaracao;
// The declaration tables that have a working copy: IMP0110 .. IMP1910 (all but IMP2010).
inline constexpr auto kComCopia = workareas::sequencia<Area::IMP0110, Area::IMP1910>();

using workareas::aberta;
using workareas::copia;
using workareas::fecha;
using workareas::solta;
using workareas::numero;
using workareas::origem;
using workareas::seleciona;
using workareas::tabela;

}  // namespace store

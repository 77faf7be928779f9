// The program's numbered grid screens: one record each (telas_*.cpp by group), found by number.
// EDITA loads a screen's columns into the grid's arrays.
#pragma once

#include <optional>
#include <vector>

#include "grid/estado.h"
#include "grid/tela_grade.h"
#include "grid/tracos.h"
#include "store/contexto.h"

namespace grid {

// The screen `opc` as the grid's state asks for it (DECFINAL, TIPO_BEM, the rural side ...);
// nothing for a number that is no table screen (the matrix screens are not here).
std::optional<TelaGrade> telaGrade(store::Contexto& ctx, Grade& g, int opc, int modo);

// The screen's columns into the grid's arrays (TABCAMPO, TABCPOIN, TABMASC, TABDESC), with
// their count and the last editable position.
void carregaColunas(Grade& g, const TelaGrade& tela);

// The numbers of the table screens and of the matrix screens.
const std::vector<int>& telasTabela();
const std::vector<int>& telasMatriz();

// Headings of the value columns of the assets and debts, from DECFINAL.
void cabecalhosAnos(Grade& g);

}  // namespace grid

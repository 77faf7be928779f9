// The converter's grids, run by the program's grid engine over their own screen records:
// mode 1 the taxpayers found for a conversion (LISNOME) with their marks, mode 2 the same
// list without footing or frozen columns, mode 3 the income statements (FOLHAPG), mode 4 the
// terminal's folder list (area 40). Cells are written at once under a record lock; in mode 3
// the CPF is checked (digits, not mandatory) and the payer's document punctuated and checked.
#pragma once

#include <string>

#include "converter/conversor.h"
#include "grid/tela_grade.h"
#include "rt/base/status.h"
#include "store/contexto.h"

namespace converter {

// The grids by name; the value is the grid's mode.
namespace grade {
enum Modo : int { Contribuintes = 1, ContribuintesSoLista = 2, Comprovantes = 3, Pastas = 4 };
}  // namespace grade

// The screen record of mode 1-4.
grid::TelaGrade telaConversor(int modo);

// EDITA(mode): the grid of that mode over its table, which the caller has open; the table's
// area is selected. Returns "".
void EDITA(store::Contexto& ctx, int modo);

// EDITOR: the folder list of the installation folder (DIRINST + "DIRET" + NUSU) opened in
// area 40 and shown as mode 4, narrower; Enter on a row copies its folder into the folder
// dialog's field named in c.campoPendente (ORIGEM or DESTINO). Failed when the list is not
// there (untold: the caller words it) or could not be opened (told by the opener). The
// terminal's own list is back in area 40 afterwards when it was open before.
rt::Status EDITOR(store::Contexto& ctx, Conversor& c);

}  // namespace converter

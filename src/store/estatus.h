// The names of the declaration statuses (table 66, STATUS: COD, DESCRICAO), looked up by the
// register lists, the register grids and the reports.
#pragma once

#include <functional>
#include <string>

#include "store/contexto.h"

namespace store {

// Where a status name is shown (screen row and column), for the modes that show it.
struct LugarEstatus {
  int linha = -1, coluna = 0;
};

// VE_STAT: the status name (13 characters) of status `codigo`; 13 blanks for a code that is
// not in the table. Modes 3 and 4 only return it and select area 9 (3) or 29 (4) again. Mode 1
// shows it at `onde` and, for a code not in the table, runs `lista` (the status pick list) and
// shows the name of the code it left in `codigo`; its result then says whether the code is
// in the table (the valid rule of the status field). Other modes show it and select area 31
// again.
std::string VE_STAT(Contexto& ctx, int codigo, int modo, LugarEstatus onde = {});
bool VE_STAT(Contexto& ctx, int& codigo, LugarEstatus onde, const std::function<void(int& codigo)>& lista);

}  // namespace store

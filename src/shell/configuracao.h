// The office's program settings: billing rates and idle time (VAL_DECL), the save mode
// (TIP_GRAV), the status names and receipt numbers (MUDA_ESTATUS) and the monthly SELIC
// rates (CAD_UFIR). The first two write the DEFINE record; the last the table UFIRM.
#pragma once

#include <functional>
#include <string>

#include "shell/ajustes.h"
#include "store/contexto.h"

namespace shell {

// VAL_DECL: the billing form (dialog frame 6 of the second catalogue): price per minute and
// per KByte (at most 99.99, as their fields hold), minimum fee (at most 99,999.99) and the
// idle minutes (0-99), each with its hint on the status line; then stored in DEFINE.
void VAL_DECL(store::Contexto& ctx, Ajustes& aj);

// MENS_VAL: the status-line hint of field n (1-4) of the billing form.
void MENS_VAL(store::Contexto& ctx, int n);

// TIP_GRAV: the save mode. 1 automatic every TEMP_SAL minutes (1-97; 0 or 98 and above are
// proposed as 15), 2 manual with Alt-W (TEMP_SAL 0), 3 only at the end (TEMP_SAL 99). Esc, in
// the menu or on the interval, keeps the mode and the interval. COMO_SAL, TEMP_SAL and TEMP_DES
// are stored in DEFINE either way. Returns "".
std::string TIP_GRAV(store::Contexto& ctx, Ajustes& aj);

// VAL_TEMP: whether the autosave interval is one the declaration driver saves by (1-97).
[[nodiscard]] bool VAL_TEMP(const Ajustes& aj);

// The grid screens this module opens (42: the folder's declarations with their status and
// receipt numbers; 29: the status names). Given by whoever has the grid editor.
using AbreGrade = std::function<void(store::Contexto& ctx, int tela)>;

// MUDA_ESTATUS: the status menu ("Alterar situação", "Cadastrar status") over table STATUS,
// until Esc. Without `edita` the items do nothing.
void MUDA_ESTATUS(store::Contexto& ctx, const AbreGrade& edita);

// The grids of the status menu, as the menu item gives them to MUDA_ESTATUS: screen 42 over the
// register (area 09, open) showing each status by its name from STATUS, screen 29 over STATUS
// itself (area 66, open). The area current before is selected again.
void GRADE_ESTATUS(store::Contexto& ctx, int tela);

// CAD_UFIR: the SELIC rate of one month, starting on the month after the last one filled.
void CAD_UFIR(store::Contexto& ctx, Ajustes& aj);

}  // namespace shell

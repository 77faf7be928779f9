// EDITA: the numbered grid screens. A caller asks for a screen; the grid loads its columns
// into the grid's arrays, opens its window and runs until the user leaves it. Cells are
// written at once into the table under a record lock and the totals recomputed through the
// grid's services; the key that left is in ULTTECLA and TECLAMUDA.
#pragma once

#include <optional>
#include <string>

#include "grid/estado.h"
#include "grid/tela.h"
#include "grid/telas.h"
#include "rt/base/status.h"
#include "store/contexto.h"

namespace grid {

// How a grid is used: its rows edited (typed, added, removed), or only looked through (a list
// that nothing writes back, such as the notes shown from the taxpayer chooser).
enum class Uso { Edicao, Leitura };

// EDITA(screen, mode): the numbered screen of the catalogue. What the user did is in what the
// screen wrote; there is nothing to return.
void EDITA(store::Contexto& ctx, Grade& g, int opc, int modo = 0, Uso uso = Uso::Edicao);

// EDITA of a screen record the caller made itself (its own table, columns and traits), run as
// the numbered screens are.
void EDITA(store::Contexto& ctx, Grade& g, TelaGrade tela, Uso uso = Uso::Edicao);

// MOSTRA: the screen's frame around the table grid; frame 0 draws none.
std::string MOSTRA(store::Contexto& ctx, Grade& g, const TelaGrade& tela);

// Opens the window of a grid screen's frame (none for frame 0) and returns it.
std::optional<console::Jan> ABRE_MOLDURA(store::Contexto& ctx, const TelaGrade& tela);

// The savings grid's entry (screen 13, current area 34): the typed exempt and exclusive lists
// taken up as rows when no row names them, the column totals as footings (MATAUX) and the
// warning for a row holding both an exempt and a taxed amount.
void TOTAIS_POUPANCA(store::Contexto& ctx, Grade& g);

// F_TROCA: writes `valor` into the field under the cursor (TABCPOIN[PONTEIRO]) of the current
// record of the current area under REC_LOCK(5). Failed, and told, when the lock was not had
// (the store has said so) or the table refused the value (said here: a number too wide for
// its field names the field, which keeps its value); failed, with nothing to say, when there
// is no row or no field of the table under the cursor (a label column, an empty grid).
rt::Status F_TROCA(store::Contexto& ctx, Grade& g, const rt::ui::Value& valor);

// The totals the calculator's result recomputes on screen `opc` ("" none), as the program's
// recomputation names them.
std::string recalculoCalculadora(int opc);

// ADIC_REG: appends a row with ADD_REC(5) and sets the screen's link fields (as the traits of
// the screen OPC, or the traits given, stamp them); clears LAPPEND. Failed, and told by the
// store, when no row could be appended; a link field the table refuses is said, and the row
// stays.
rt::Status ADIC_REG(store::Contexto& ctx, Grade& g);
rt::Status ADIC_REG(store::Contexto& ctx, Grade& g, const Tracos& tracos);

// DIGA_QUEM (Alt+Q): the open taxpayer's CPF and name on the top row.
void DIGA_QUEM(store::Contexto& ctx, Grade& g, std::string_view nome);

}  // namespace grid

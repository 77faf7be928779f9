// The catalogue of the numbered grid screens, internal to the grid: each group of screens
// (telas_*.cpp) lists its records; telas.cpp finds them by number.
#pragma once

#include <span>
#include <string>

#include "grid/estado.h"
#include "grid/tela.h"
#include "grid/tela_grade.h"
#include "grid/tracos.h"
#include "rt/db/table.h"
#include "store/contexto.h"

namespace grid {

// What a screen's record may depend on when it is opened: the grid's state (the estate flag,
// the gain kind, the rural side, the carnê-leão's column ...) and the mode it is opened in.
struct Montagem {
  store::Contexto& ctx;
  Grade& g;
  int modo = 0;
};

// One numbered screen: what the grid's keys do on it, and the rest of its record as the
// grid's state stands (none: a matrix screen, whose columns are the matrix grid's).
struct RegistroTela {
  int opc = 0;
  Tracos tracos;
  TelaGrade (*monta)(const Montagem&) = nullptr;
};

// The groups of screens.
std::span<const RegistroTela> telasRendimentos();  // incomes and the carnê-leão's details
std::span<const RegistroTela> telasPatrimonio();   // assets, debts, gains, their maintenance
std::span<const RegistroTela> telasDeclaracao();   // dependants, payments, notes, savings, matrices
std::span<const RegistroTela> telasEscritorio();   // the office's tables and lists
std::span<const RegistroTela> telasRurais();       // the rural activity
std::span<const RegistroTela> telasRegistro();     // the register of taxpayers

// The traits shared by a group, added to a screen's own.
// The declaration's own tables (1-20): they grow, navigate, keep the idle clock and stamp the
// taxpayer's CPF on a new row.
Tracos daDeclaracao(Tracos t);
// The working copies the declaration's pages list (21-27): as the declaration's, without the
// idle clock.
Tracos daCopia(Tracos t);
// The office's own tables (28-33): no CPF is stamped.
Tracos doEscritorio(Tracos t);
// The rural tables (34-38): the CPF and the rural side stamped.
Tracos doRural(Tracos t);

// Whether a row's field equals a value, blanks around both dropped.
[[nodiscard]] bool campoIgual(const rt::db::Table& t, std::string_view campo, std::string_view valor);

}  // namespace grid

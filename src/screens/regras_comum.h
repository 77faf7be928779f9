// What the rules of screens 6 and 5 share: the pick lists of the open declaration, the record
// a variable lives in, and each group's rules by field name (`tratado` says the name was one of
// the group's).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "console/listas.h"
#include "screens/ambiente.h"
#include "store/areas.h"

namespace screens {

// The declaration's pick lists (those the grids' checks use); null without a declaration.
console::Listas* listas(AmbienteTela& a);
// Selects reference table `tabela` (already open) and shows its list for `qualhlp`; true when
// a row was chosen and written back.
bool escolheNaLista(AmbienteTela& a, store::Area tabela, std::string_view qualhlp);
// The mirrored record that holds `campo`: the register's, else table 01's.
store::RegistroEspelho& registroDe(store::EspelhoDeclaracao& e, std::string_view campo);
store::RegistroEspelho& registroDe(AmbienteTela& a, std::string_view campo);

// The spouse's values here (I13_1C .. I13_5C, I9_2, I9_3, I13_36) made 0.
void zeraConjuge(store::EspelhoDeclaracao& e);
// The spouse's declaration found in no folder: the other folder to search, asked of the clerk
// (F1 the names of this folder's register, F2 the registered folders); nullopt after Esc.
std::optional<std::string> pedePastaConjuge(AmbienteTela& a);

// The estate's closing data of a final declaration, judicial or notarial, until Esc.
void dialogoEspolio(AmbienteTela& a, bool judicial);

bool quandoIdentificacao(AmbienteTela& a, std::string_view campo, bool& tratado);
bool validaIdentificacao(AmbienteTela& a, std::string_view campo, bool& tratado);
bool quandoConjuge(AmbienteTela& a, std::string_view campo, bool& tratado);
bool validaConjuge(AmbienteTela& a, std::string_view campo, bool& tratado);

}  // namespace screens

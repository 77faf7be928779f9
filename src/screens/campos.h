// The fields of a form over a mirrored record, as data: the variable, its picture and its
// kind. Each kind brings its own check (a flag is S or N, a CPF must be a valid one), and every
// field asks the screen's lookup rules (RegrasCampos) by its name whether it may be entered and
// whether its value is accepted.
#pragma once

#include <functional>
#include <span>
#include <string_view>

#include "screens/formulario.h"

namespace screens {

struct CampoForm {
  enum Tipo { Livre, SimNao, Cpf };
  std::string_view nome;
  std::string_view picture;
  Tipo tipo = Livre;
};

// Adds the fields to the form in order. `confere` runs on a value its kind and the lookup
// rules accepted, and may still refuse it (false) or act on it; the form is shown again after.
void editaCampos(AmbienteTela& a, Formulario& form, store::RegistroEspelho& r, std::span<const CampoForm> campos,
                 const std::function<bool(std::string_view)>& confere = {});

// VE_LETRSN: a flag is blank, "S" or "N"; anything else is said and refused.
bool simNao(AmbienteTela& a, const std::string& valor);

}  // namespace screens

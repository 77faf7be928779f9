// A form of input fields over a screen's background: each field goes where the background
// placed its variable, edits a mirrored field (or another variable) through a picture, and the
// values shown beside them are written through their pictures in the form's colour.
#pragma once

#include <string>
#include <string_view>

#include "rt/ui/read.h"
#include "screens/ambiente.h"
#include "screens/fundos.h"

namespace screens {

// A GET binding over a field of a mirrored record (width and decimals from the catalogue).
rt::ui::Binding campoEspelho(store::RegistroEspelho& r, std::string_view nome);

class Formulario {
 public:
  Formulario(AmbienteTela& a, const Fundo& f);

  // A field of a mirrored record at its place in the background.
  rt::ui::Get& edita(store::RegistroEspelho& r, std::string_view nome, std::string_view picture);
  // Another variable at the place named `lugar`.
  rt::ui::Get& edita(std::string_view lugar, rt::ui::Binding b, std::string_view picture);
  // SAY: a value through a picture at the place named `lugar` (nothing when the background has
  // no such place).
  void mostra(std::string_view lugar, const rt::ui::Value& v, std::string_view picture);
  void mostra(const store::RegistroEspelho& r, std::string_view nome, std::string_view picture);

  rt::ui::Read& read() { return read_; }
  // READ: runs the form from its first field. Esc leaves ULTTECLA 27; PgUp and PgDn, which end
  // a form keeping its values, leave their codes so the driver moves by them; anything else 0.
  rt::ui::ReadResult roda();

 private:
  Lugar lugarDe(std::string_view nome) const;
  AmbienteTela& a_;
  const Fundo& f_;
  rt::ui::Read read_;
};

}  // namespace screens

#include "taxcalc/gravacoes.h"

namespace taxcalc {

bool Gravacoes::put(rt::db::Table& t, std::string_view campo, const rt::db::Value& v) {
  return confere(t.put(campo, v), campo);
}

bool Gravacoes::put(rt::db::Table& t, int campo, const rt::db::Value& v) {
  const rt::db::FieldDef* f = campo >= 0 && campo < t.fieldCount() ? &t.fields()[static_cast<std::size_t>(campo)] : nullptr;
  return confere(t.put(campo, v), f != nullptr ? std::string_view(f->name) : std::string_view("?"));
}

bool Gravacoes::confere(const rt::Status& s, std::string_view oque) {
  if (s.isOk()) return true;
  if (primeira_.isOk()) {
    primeira_ = s;
    texto_ = textoRecusa(s, oque);
  }
  return false;
}

void Gravacoes::diz() {
  if (primeira_.isOk() || primeira_.told()) return;
  saida_.alerta(texto_);
  primeira_ = primeira_.markTold();
}

}  // namespace taxcalc

#include "screens/formulario.h"

#include <stdexcept>

#include "console/recusas.h"
#include "rt/term/keys.h"

namespace screens {

namespace key = rt::term::key;

rt::ui::Binding campoEspelho(store::RegistroEspelho& r, std::string_view nome) {
  const int i = r.campo(nome);
  const store::CampoDef& d = r.campos()[static_cast<std::size_t>(i)];
  return rt::ui::var(
      nome, [&r, i]() -> rt::ui::Value { return r.valor(i); },
      [&r, i](const rt::ui::Value& v) { r.valor(i, v); }, rt::ui::FieldShape{d.largura, d.decimais});
}

Formulario::Formulario(AmbienteTela& a, const Fundo& f) : a_(a), f_(f), read_(a.ctx.console, a.cores) {
  // What the input refuses before a field's own check (a date that is no day, a letter in an
  // amount, a text longer than its field) is said, never only rung.
  read_.onRefusal(console::avisoDeRecusa(a.ctx));
}

Lugar Formulario::lugarDe(std::string_view nome) const {
  if (std::optional<Lugar> l = lugar(f_, nome)) return *l;
  // Every field a screen edits has its place in the screen's background.
  throw std::logic_error("no place for " + std::string(nome) + " in the background");
}

rt::ui::Get& Formulario::edita(store::RegistroEspelho& r, std::string_view nome, std::string_view picture) {
  return edita(nome, campoEspelho(r, nome), picture);
}

rt::ui::Get& Formulario::edita(std::string_view nome, rt::ui::Binding b, std::string_view picture) {
  const Lugar l = lugarDe(nome);
  return read_.get(l.linha, l.coluna, std::move(b), picture);
}

void Formulario::mostra(std::string_view nome, const rt::ui::Value& v, std::string_view picture) {
  const std::optional<Lugar> l = lugar(f_, nome);
  if (!l) return;
  a_.ctx.screen().put(l->linha, l->coluna, rt::ui::formatValue(v, picture), a_.cores.standard());
}

void Formulario::mostra(const store::RegistroEspelho& r, std::string_view nome, std::string_view picture) {
  mostra(nome, r.valor(nome), picture);
}

rt::ui::ReadResult Formulario::roda() {
  const rt::ui::ReadResult r = read_.run();
  const int k = r.lastKey.code;
  // A screen key (another screen, Tab, Shift-Tab) has already said where to go.
  if (a_.grade.TECLAMUDA || a_.grade.ULTTECLA != 0) return r;
  if (r.escaped && k == key::Esc)
    a_.grade.ULTTECLA = key::Esc;
  else if (k == key::PgUp || k == key::PgDn)
    a_.grade.ULTTECLA = k;
  return r;
}

}  // namespace screens

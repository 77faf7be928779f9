#include "office/formulario.h"

namespace office {

rt::term::ColourSet coresFormulario(const console::Contexto& ctx) {
  const console::Cores& c = ctx.cores;
  return rt::term::parseColourList(c.COR_SAY + "," + c.COR_GET + ",N/N,N/N," + c.COR_SAY);
}

LugaresMoldura::LugaresMoldura(const console::Contexto& ctx, console::Familia familia, int n)
    : campos_(console::camposMoldura(ctx, familia, n)) {
  if (std::optional<console::Moldura> m = console::moldura(ctx, familia, n)) {
    top_ = m->top;
    left_ = m->left;
  }
}

Lugar LugaresMoldura::operator[](std::string_view rotulo) const {
  for (const console::CampoMoldura& c : campos_)
    if (c.rotulo == rotulo) return {top_ + c.linha, left_ + c.coluna, c.largura};
  return {};
}

rt::ui::Get& LugaresMoldura::get(rt::ui::Read& read, std::string_view rotulo, rt::ui::Binding b,
                                 std::string_view picture) const {
  const Lugar l = (*this)[rotulo];
  return read.get(l.linha, l.coluna, std::move(b), picture);
}

}  // namespace office

namespace office {

TeclaF1::TeclaF1(rt::term::Console& con, std::function<void()> faz) : con_(con) {
  if (const rt::term::Console::HotKey* h = con_.hotKeyFor(rt::term::Key{rt::term::key::F1})) antes_ = *h;
  con_.setKey(rt::term::key::F1, std::move(faz));
}

TeclaF1::~TeclaF1() {
  if (antes_)
    con_.setKey(rt::term::key::F1, antes_);
  else
    con_.clearKey(rt::term::key::F1);
}

}  // namespace office

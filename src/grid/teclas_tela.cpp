#include "grid/teclas_tela.h"

#include <algorithm>
#include <iterator>

#include "rt/term/keys.h"

namespace grid {

namespace key = rt::term::key;

bool teclaDePagina(int code) {
  static constexpr int kTeclas[] = {key::F1, key::F2,  key::F3,  key::F4,  key::F5,    key::F6,    key::F7,   key::F8,
                                    key::F9, key::F10, key::F11, key::F12, key::AltF1, key::AltF2, key::AltI, key::AltH};
  return std::find(std::begin(kTeclas), std::end(kTeclas), code) != std::end(kTeclas);
}

bool mudaDePagina(store::Contexto& ctx, Grade& g, int code, const Tracos& tracos) {
  if (!g.declaracaoAberta()) return false;
  switch (code) {
    case key::F1:
      return g.srv().MUDATEL1(ctx, g);
    case key::AltF1:
    case key::F11:
      return tracos.navega && g.srv().QUETEL(ctx, g, 11);
    case key::AltF2:
    case key::F12:
      return tracos.navega && g.TEMRURAL == "S" && g.srv().QUETEL(ctx, g, 12);
    case key::AltI:
    case key::AltH:
      return tracos.horizontal && g.srv().ESC_HORIZ(ctx, g);
    case key::AltZ:
      return g.srv().MUDATEL12(ctx, g);
    case key::AltX:
      return g.srv().MUDATEL14(ctx, g);
    default:
      break;
  }
  // F2 to F10 are the pages 2 to 10 (their codes run down from -1); from F4 on only where the
  // screen navigates.
  if (code == key::F2 || code == key::F3) return g.srv().QUETEL(ctx, g, 1 - code);
  if (code <= key::F4 && code >= key::F10 && tracos.navega) return g.srv().QUETEL(ctx, g, 1 - code);
  return false;
}

}  // namespace grid

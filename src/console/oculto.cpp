#include "console/oculto.h"

#include "rt/term/keys.h"

namespace console {

namespace key = rt::term::key;

std::string leOculto(Contexto& ctx, int linha, int coluna, int tamanho) {
  std::string texto;
  rt::term::Screen& tela = ctx.screen();
  const rt::term::CursorShape forma = tela.cursorShape();
  tela.setCursorShape(rt::term::CursorShape::Normal);
  for (;;) {
    tela.setCursor(linha, coluna + static_cast<int>(texto.size()));
    const rt::term::Key k = ctx.console.waitKey();
    if (k.code == key::Enter) break;
    if (k.code == key::Esc) {
      texto.clear();
      break;
    }
    if (k.code == key::Backspace || k.code == key::Left) {
      if (!texto.empty()) texto.pop_back();
    } else if (k.isChar() && static_cast<int>(texto.size()) < tamanho) {
      texto += k.ch();
    }
  }
  tela.setCursorShape(forma);
  return texto;
}

}  // namespace console

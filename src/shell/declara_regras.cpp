#include "shell/declara_regras.h"

#include "rt/term/keys.h"

namespace shell {

namespace key = rt::term::key;

// The declaration's pages are numbered in the order the keys walk them, so the rules below are
// about the numbers themselves: the next, the previous, the detail pages (8, 9, 22, 23) and
// the pages they come back to.
ProximaTela proximaTela(const grid::TelaAberta& tela, const SaidaDaTela& s) {
  const int t = tela.TELA;
  const bool semBrasil = s.ATV_BRASIL == "N";
  ProximaTela r{t, false};
  switch (s.ULTTECLA) {
    case key::PgDn:
      break;
    case key::PgUp:
    case key::ShiftTab:
      if (t == 22 || t == 23)
        r.tela = 5;
      else if (t == 10)
        r.tela = 7;
      else if (t == 11)
        r.tela = 10;
      else if (t == 8 || t == 9)
        r.tela = 7;
      else if (t > 1 && t < tela.TELAMAX) {
        r.tela = t - 1;
        if (r.tela == 13 && semBrasil) r.tela = 12;
      }
      break;
    case key::Tab:
      if (s.PVEZ && t == 6)
        r.tela = 1;
      else if (t == 7)
        r.tela = 10;
      else if (t == 10)
        r.tela = 11;
      else if (t == tela.TELAMAX)
        // The rural screens go round among themselves: the last one leads to the first.
        r.tela = (t == 17 && s.rural) ? 12 : 1;
      else if (t == 8 || t == 9)
        r.tela = 7;
      else if (t == 22 || t == 23)
        r.tela = 4;
      else {
        r.tela = t + 1;
        if (r.tela == 13 && semBrasil) r.tela = 14;
      }
      break;
    case key::Esc:
      if (t == 8 || t == 9)
        r.tela = 7;
      else if (t == 22 || t == 23)
        r.tela = 5;
      else if (t == 11)
        r.tela = 10;
      else
        r.pergunta = true;
      break;
    case key::Enter:
      r.tela = (s.PVEZ && t == 6) ? 1 : t + 1;
      break;
    default:
      if (s.TECLAMUDA) break;
      if (s.PVEZ && t == 6)
        r.tela = 1;
      else if (t < 7 || t > 10) {
        r.tela = t + 1;
        if (r.tela == 12 && !s.rural) r.tela = 10;
      } else
        r.tela = 10;
      break;
  }
  return r;
}

int telaPermitida(int tela, int telaAnterior, int telaMax) {
  if (tela <= telaMax || tela > 21) return tela;
  if (tela == 18) return 12;
  return telaAnterior;
}

}  // namespace shell

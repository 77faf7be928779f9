#include "console/alerta.h"

#include <algorithm>

#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"

namespace console {
namespace {

using namespace rt::text::literals;
using rt::term::Attr;
using rt::term::Key;
namespace key = rt::term::key;

Attr invertida(Attr a) { return rt::term::makeAttr(rt::term::background(a), rt::term::foreground(a)); }

}  // namespace

int alerta(Contexto& ctx, const std::vector<std::string>& linhas, const std::vector<std::string>& botoes) {
  rt::term::Screen& tela = ctx.screen();
  const Attr cor = rt::term::parseColour(ctx.cores.COR_SAY).value_or(rt::term::makeAttr(0, 15));
  const Attr corSel = invertida(cor);

  // Buttons are shown as " Sim " with two blanks between them.
  int larguraBotoes = 0;
  for (const auto& b : botoes) larguraBotoes += static_cast<int>(b.size()) + 2;
  larguraBotoes += 2 * std::max(static_cast<int>(botoes.size()) - 1, 0);
  int largura = larguraBotoes;
  for (const auto& l : linhas) largura = std::max(largura, static_cast<int>(l.size()));
  largura = std::min(largura + 4, rt::term::Screen::kCols);
  const int altura = static_cast<int>(linhas.size()) + 4;  // frame, lines, blank, buttons, frame
  const int top = std::max((rt::term::Screen::kRows - altura) / 2, 0);
  const int left = (rt::term::Screen::kCols - largura) / 2;
  const rt::term::Rect caixa{top, left, top + altura - 1, left + largura - 1};

  const rt::term::Screen::Saved salvo = tela.save(caixa);
  const rt::term::CursorShape cursor = tela.cursorShape();
  tela.setCursorShape(rt::term::CursorShape::Hidden);
  tela.fill(caixa, ' ', cor);
  tela.box(caixa, molduraSimples(), cor);
  for (std::size_t i = 0; i < linhas.size(); ++i) {
    const std::string& l = linhas[i];
    const int col = left + (largura - static_cast<int>(l.size())) / 2;
    tela.put(top + 1 + static_cast<int>(i), std::max(col, left + 1), l.substr(0, static_cast<std::size_t>(largura - 2)), cor);
  }
  const int linhaBotoes = caixa.bottom - 1;
  const int colBotoes = left + (largura - larguraBotoes) / 2;

  int sel = 0;
  auto desenha = [&] {
    int c = colBotoes;
    for (std::size_t i = 0; i < botoes.size(); ++i) {
      tela.put(linhaBotoes, c, " " + botoes[i] + " ", static_cast<int>(i) == sel ? corSel : cor);
      c += static_cast<int>(botoes[i].size()) + 4;
    }
  };
  int escolha = -1;
  while (escolha < 0) {
    desenha();
    const Key k = ctx.console.waitKey();
    if (k.code == key::Esc) {
      escolha = 0;
    } else if (k.code == key::Enter) {
      escolha = sel + 1;
    } else if (k.code == key::Left) {
      sel = std::max(sel - 1, 0);
    } else if (k.code == key::Right) {
      sel = std::min(sel + 1, static_cast<int>(botoes.size()) - 1);
    } else if (k.isChar()) {
      const char c = rt::text::upperChar(k.ch());
      for (std::size_t i = 0; i < botoes.size(); ++i)
        if (!botoes[i].empty() && rt::text::upperChar(botoes[i][0]) == c) {
          escolha = static_cast<int>(i) + 1;
          break;
        }
    }
  }
  tela.restore(salvo);
  tela.setCursorShape(cursor);
  return escolha;
}

std::string AVISOSN(Contexto& ctx, const std::vector<std::string>& linhas, int tipo) {
  switch (tipo) {
    case 0:
      alerta(ctx, linhas, {"Ok"});
      return "N";
    case 3: {
      const int b = alerta(ctx, linhas, {"Sim", "Nao", "Ignore"});
      return b == 1 ? "S" : b == 3 ? "I" : "N";
    }
    case 4: {
      const int b = alerta(ctx, linhas, {"Sim", "Nao", "Fim"});
      return b == 1 ? "S" : b == 3 ? "F" : "N";
    }
    default:
      return alerta(ctx, linhas, {"Sim", "Nao"}) == 1 ? "S" : "N";
  }
}

std::string AVISOSN(Contexto& ctx, std::string_view linha, int tipo) {
  return AVISOSN(ctx, std::vector<std::string>{std::string(linha)}, tipo);
}

std::string AVISOSN(Contexto& ctx, std::initializer_list<std::string_view> linhas, int tipo) {
  return AVISOSN(ctx, std::vector<std::string>(linhas.begin(), linhas.end()), tipo);
}

int AVISOSN7(Contexto& ctx, const std::vector<std::string>& linhas) {
  return alerta(ctx, linhas, {"1", "2", "3", "4", "5", "6", "7"});
}

}  // namespace console

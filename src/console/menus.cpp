#include "console/menus.h"

#include <algorithm>

#include "console/mensagens.h"
#include "rt/term/keys.h"
#include "rt/text/strings.h"

namespace console {
namespace {

using rt::term::Key;
namespace key = rt::term::key;

std::string mensagemMenu(const OpcoesMenu& menu, int item) {
  if (item < 1 || item > static_cast<int>(menu.mensagens.size())) return {};
  return menu.mensagens[static_cast<std::size_t>(item - 1)];
}

}  // namespace

int ESC_OPCAO(Contexto& ctx, Jan janela, int ultimo, int coluna, int largura, const OpcoesMenu& menu, int deslocamento,
              int fechar) {
  ultimo = std::max(ultimo, 1);
  ctx.POSVER = std::clamp(ctx.POSVER, 1, ultimo);
  auto mostra = [&](int attr) {
    ctx.janelas.ESCRATR(janela, ctx.POSVER + deslocamento, coluna, attr, largura);
    if (attr != ctx.cores.COR_ESCOL) return;
    if (!menu.mensagens.empty())
      MENS(ctx, mens::Linha, mensagemMenu(menu, ctx.POSVER), {.coluna = std::string("C")});
    else
      MENS(ctx);
  };
  int escolha = -1;
  while (escolha < 0) {
    mostra(ctx.cores.COR_ESCOL);
    const Key k = ctx.console.waitKey();
    int novo = ctx.POSVER;
    if (k.code == key::Enter) {
      escolha = ctx.POSVER;
    } else if (k.code == key::Esc) {
      escolha = 0;
    } else if (k.code == key::Home) {
      novo = 1;
    } else if (k.code == key::End) {
      novo = ultimo;
    } else if (k.code == key::Down) {
      novo = std::min(ctx.POSVER + 1, ultimo);
    } else if (k.code == key::Up) {
      novo = std::max(ctx.POSVER - 1, 1);
    } else if (k.code == key::AltA) {
      if (ctx.calculadora) {
        const std::string antes = ctx.QUALHLP;
        ctx.QUALHLP = "NADA";
        ctx.calculadora(ctx);
        ctx.QUALHLP = antes;
      }
    } else if (k.isChar()) {
      // Only upper-case letters are hot: a lower-case one marks an option that is shown but
      // cannot be chosen by its letter.
      const std::size_t p = menu.teclas.find(rt::text::upperChar(k.ch()));
      if (p != std::string::npos) {
        novo = static_cast<int>(p) + 1;
        escolha = novo;
      }
    }
    if (novo != ctx.POSVER) {
      mostra(ctx.cores.COR_TEL1);
      ctx.POSVER = novo;
      if (escolha > 0) mostra(ctx.cores.COR_ESCOL);
    }
  }
  ctx.ULTPOS = ctx.POSVER;
  ctx.janelas.FECHAJAN(Jan::kMensagem);
  if (fechar == 1) ctx.janelas.FECHAJAN(janela);
  return escolha;
}

int ESC_ITEM(Contexto& ctx, Jan janela, int ultimo, int coluna, int deslocamento, int inicial) {
  ultimo = std::max(ultimo, 1);
  int item = std::clamp(inicial, 1, ultimo);
  for (;;) {
    ctx.janelas.ESCRLCOL(janela, item + deslocamento, coluna, "*");
    const Key k = ctx.console.waitKey();
    int novo = item;
    int escolha = -1;
    if (k.code == key::Enter)
      escolha = item;
    else if (k.code == key::Esc)
      escolha = 0;
    else if (k.code == key::Home)
      novo = 1;
    else if (k.code == key::End)
      novo = ultimo;
    else if (k.code == key::Down)
      novo = std::min(item + 1, ultimo);
    else if (k.code == key::Up)
      novo = std::max(item - 1, 1);
    if (escolha >= 0) {
      ctx.ULTESC = item;
      return escolha;
    }
    if (novo != item) {
      ctx.janelas.ESCRLCOL(janela, item + deslocamento, coluna, " ");
      item = novo;
    }
  }
}

}  // namespace console

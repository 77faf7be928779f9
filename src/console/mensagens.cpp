#include "console/mensagens.h"

#include <algorithm>

#include "rt/text/strings.h"

namespace console {
namespace {

using rt::term::Key;

int textoLen(std::string_view s) {
  return static_cast<int>(s.size());
}

void limpaStatus(Contexto& ctx) {
  ctx.janelas.ESCRJAN(Jan::kStatus, rt::text::space(80));
}

}  // namespace

int CENTER(std::string_view texto, int largura) {
  const int n = textoLen(texto);
  return n > largura ? 0 : (largura - n) / 2;
}

void BEEP_ERRO(Contexto& ctx, int /*vezes*/) {
  ctx.console.beep();
}

void AVISO(Contexto& ctx, std::string_view texto, int linha, int coluna) {
  const rt::term::Attr cor = rt::term::parseColour(ctx.cores.COR_CLI_HE).value_or(rt::term::makeAttr(0, 7));
  ctx.screen().put(linha, coluna, texto, cor);
}

LayoutMens layoutMens(int codigo, std::string_view texto, const OpcoesMens& op, int larguraCampo) {
  LayoutMens l;
  l.tipo = codigo / 10;
  l.modo = codigo % 10;
  l.texto = std::string(texto);
  if (l.modo == 4) l.texto += rt::text::space(larguraCampo);
  l.largura = textoLen(l.texto) + 2;
  l.linha = op.linha;
  l.linhas = std::max(op.linhas, 1);
  if (l.linhas > 1) {
    l.largura = l.largura / l.linhas + 1;
    const int alvo = l.linhas * l.largura;
    const int preenche = alvo - textoLen(l.texto);
    const int menos = (preenche >= l.linhas && l.tipo != 7) ? l.linhas + 1 : 0;
    if (alvo - menos > textoLen(l.texto)) l.texto = rt::text::padr(l.texto, alvo - menos);
  }
  if (const int* n = std::get_if<int>(&op.coluna)) {
    l.coluna = *n;
  } else if (const std::string* s = std::get_if<std::string>(&op.coluna); s && *s == "E") {
    l.coluna = 2;
  } else if (s && *s == "C") {
    l.coluna = (80 - l.largura) / 2;
  } else {
    l.coluna = 75 - l.largura;
  }
  // A text wider than the screen would put the window left of column 0: it starts at the
  // edge and what does not fit is clipped.
  l.coluna = std::max(l.coluna, 0);
  if (l.tipo == 7) ++l.largura;
  return l;
}

namespace detail {

// Defines, opens and fills the message window; a wait notice (mode 3) of the same size as
// the last one only writes its new text into the window already open.
void abreMens(Contexto& ctx, const LayoutMens& l, Jan janela) {
  ctx.screen().setCursorShape(rt::term::CursorShape::Hidden);
  const bool mesmo = l.largura == ctx.TAM_OLD && l.linhas == ctx.NL_OLD && l.tipo == ctx.CONT_OLD;
  if (!(l.modo == 3 && mesmo && ctx.janelas.isOpen(janela))) {
    const int cor3 = l.tipo == 7 ? ctx.cores.COR_TEL3 : ctx.cores.COR_TEL2;
    ctx.janelas.REDEFJAN(janela, ctx.cores.COR_TEL1, ctx.cores.COR_TEL2, cor3, l.linha, l.coluna,
                         l.linha + l.linhas + 1, l.coluna + l.largura, l.tipo);
    ctx.janelas.ABREJAN(janela);
  }
  ctx.TAM_OLD = l.largura;
  ctx.NL_OLD = l.linhas;
  ctx.CONT_OLD = l.tipo;
  ctx.janelas.ESCRJAN(janela, l.texto);
  ctx.console.clearTypeahead();
}

}  // namespace detail

std::string MENS(Contexto& ctx, int codigo, std::string_view texto, const OpcoesMens& op) {
  if (texto.empty()) {
    limpaStatus(ctx);
    return "";
  }
  const int modo = codigo % 10;
  if (modo == 0) {
    limpaStatus(ctx);
    const std::string* s = std::get_if<std::string>(&op.coluna);
    const int col = (s && *s == "C") ? CENTER(texto) : 1;
    ctx.janelas.ESCRLCOL(Jan::kStatus, 1, col, texto);
    return "";
  }
  const LayoutMens l = layoutMens(codigo, texto, op);
  const rt::term::CursorShape cursor = ctx.screen().cursorShape();
  detail::abreMens(ctx, l, op.janela);
  JanelaAberta janela = JanelaAberta::adota(ctx.janelas, op.janela);
  std::string resposta;
  switch (modo) {
    case 1:
      BEEP_ERRO(ctx);
      ctx.console.waitKey();
      break;
    case 5:
      ctx.console.waitKey();
      break;
    case 2:
      for (;;) {
        const Key k = ctx.console.waitKey();
        if (!k.isChar()) continue;
        const char c = rt::text::upperChar(k.ch());
        if (op.teclas.find(c) != std::string::npos) {
          resposta = std::string(1, c);
          break;
        }
      }
      break;
    default:
      break;
  }
  // A wait notice stays on screen, and the cursor stays hidden with it, until the caller
  // closes it when the work is done.
  if (modo == 3)
    janela.solta();
  else
    ctx.screen().setCursorShape(cursor);
  return resposta;
}

}  // namespace console

// MENS mode 4: a message window with one input field after its text.
#include <algorithm>
#include <string>

#include "console/mensagens.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "rt/ui/read.h"

namespace console {

namespace {

using rt::text::Date;
using rt::text::Decimal;

// The colours of the program's normal screen: messages, and the field being typed.
rt::term::ColourSet coresNormais(const Cores& c) {
  return rt::term::parseColourList(c.COR_SAY + "," + c.COR_GET + ",N/N,N/N," + c.COR_SAY);
}

// Shows the prompt, reads the field and closes the window; false when left with Esc.
bool pergunta(Contexto& ctx, int codigo, std::string_view texto, rt::ui::Binding binding, int larguraCampo,
              const OpcoesMens& op) {
  const LayoutMens l = layoutMens(codigo, texto, op, larguraCampo);
  const rt::term::CursorShape cursor = ctx.screen().cursorShape();
  detail::abreMens(ctx, l, op.janela);
  const auto janela = JanelaAberta::adota(ctx.janelas, op.janela);
  int k = static_cast<int>(texto.size());
  if (l.linhas > 1) k = l.largura - (k % l.largura) - 1;
  const int linha = l.tipo == 7 ? l.linha + l.linhas - 2 : l.linha + l.linhas - 1;
  const int coluna = l.tipo == 7 ? l.coluna + k - 1 : l.coluna + k + 1;
  ctx.screen().setCursorShape(cursor);
  rt::ui::Get campo(linha, coluna, std::move(binding), op.picture);
  campo.valid(op.valid ? op.valid : [] { return NDA(); });
  return !rt::ui::readOne(ctx.console, std::move(campo), coresNormais(ctx.cores)).escaped;
}

// The window is sized for a field as wide as the variable: a scroll width "@S<n>" wider than
// that would draw the field over the window's right border and beyond, and leave it there
// when the window closes. The field scrolls within the variable's width instead.
std::string pictureNaJanela(std::string_view picture, int largura) {
  std::string p(picture);
  if (p.empty() || p[0] != '@') return p;
  const std::size_t fim = std::min(p.find(' '), p.size());
  for (std::size_t i = 1; i < fim; ++i) {
    if (p[i] != 'S' && p[i] != 's') continue;
    std::size_t j = i + 1;
    while (j < fim && p[j] >= '0' && p[j] <= '9') ++j;
    if (j == i + 1) continue;
    if (std::stoi(p.substr(i + 1, j - i - 1)) > largura) p.replace(i + 1, j - i - 1, std::to_string(std::max(largura, 1)));
    break;
  }
  return p;
}

}  // namespace

std::string MENS(Contexto& ctx, int codigo, std::string_view texto, std::string& var, const OpcoesMens& op) {
  const int largura = static_cast<int>(var.size());
  OpcoesMens cabe = op;
  cabe.picture = pictureNaJanela(op.picture, largura);
  if (!pergunta(ctx, codigo, texto, rt::ui::var("MENS", var), largura, cabe)) var.clear();
  return var;
}

Decimal MENS(Contexto& ctx, int codigo, std::string_view texto, Decimal& var, const OpcoesMens& op) {
  const int largura =
      op.largura > 0 ? op.largura : static_cast<int>(rt::text::transform(var, op.picture).size());
  if (!pergunta(ctx, codigo, texto, rt::ui::var("MENS", var), largura, op)) var = Decimal();
  return var;
}

Date MENS(Contexto& ctx, int codigo, std::string_view texto, Date& var, const OpcoesMens& op) {
  // Dates show with four-digit years here, so the field is 10 wide (8 with two-digit years).
  // Esc gives today's date, as the program always did: callers cannot tell it from an answer.
  const int largura = static_cast<int>(rt::text::dtoc(var).size());
  if (!pergunta(ctx, codigo, texto, rt::ui::var("MENS", var), largura, op)) var = rt::text::today(ctx.clock);
  return var;
}

bool MENS(Contexto& ctx, int codigo, std::string_view texto, bool& var, const OpcoesMens& op) {
  if (!pergunta(ctx, codigo, texto, rt::ui::var("MENS", var), 1, op)) var = false;
  return var;
}

}  // namespace console

#include "converter/molduras.h"

#include <string>

#include "converter/moldura_contadores.h"
#include "converter/moldura_pastas.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"

namespace converter {

using namespace rt::text::literals;
using console::Jan;

namespace {

void texto(store::Contexto& ctx, int linha, int coluna, std::string_view t, int cor) {
  ctx.screen().put(linha, coluna, t, static_cast<rt::term::Attr>(cor));
}

// The banner: the product's name drawn large in line characters and, at its foot, the
// terminal and the version.
void banner(store::Contexto& ctx, const Conversor& c, rt::term::Rect r) {
  static constexpr std::string_view kNome[] = {
      "╔╦╗╔═╗╦  ╦╦═╗╔═╗╔╗╔",
      " ║ ╠═╣╚╗╔╝╠╦╝║╣ ║║║",
      " ╩ ╩ ╩ ╚╝ ╩╚═╚═╝╝╚╝",
  };
  const int cor = ctx.cores.COR_ENCHE;
  for (int i = 0; i < 3; ++i) {
    const std::string linha(rt::text::utf8ToCp860(kNome[i]));
    texto(ctx, r.top + 4 + i, r.left + (r.right - r.left + 1 - static_cast<int>(linha.size())) / 2, linha, cor);
  }
  const std::string centro = "CONVERSOR";
  texto(ctx, r.top + 9, r.left + (r.right - r.left + 1 - static_cast<int>(centro.size())) / 2, centro, cor);
  const std::string pe = "Term. " + ctx.NUSU + " Converte Ver." + c.VERSAO + " ";
  texto(ctx, r.bottom - 1, r.left + (r.right - r.left + 1 - static_cast<int>(pe.size())) / 2, pe, ctx.cores.COR_TEL2);
}

// The income-statement menu box (frame 5), written as the window's text so the option menu's
// bar re-colours its lines: the items on the window's rows 2 to 5 from column 3.
void menuComprovante(store::Contexto& ctx, console::Jan janela, rt::term::Rect r) {
  static constexpr std::string_view kItens[] = {"Importar dados", "Editar individual", "editar Grupo", "Transferir dados"};
  const int largura = r.right - r.left + 1;
  const std::string meio(rt::text::utf8ToCp860("─"));
  std::string linhas = std::string(rt::text::utf8ToCp860("┌"));
  for (int i = 0; i < largura - 2; ++i) linhas += meio;
  linhas += std::string(rt::text::utf8ToCp860("┐"));
  const std::string lado(rt::text::utf8ToCp860("│"));
  for (int i = 0; i < r.bottom - r.top - 1; ++i) {
    const std::string item = i < 4 ? std::string(kItens[i]) : std::string();
    linhas += lado + " " + rt::text::padr(item, largura - 3) + lado;
  }
  linhas += std::string(rt::text::utf8ToCp860("└"));
  for (int i = 0; i < largura - 2; ++i) linhas += meio;
  linhas += std::string(rt::text::utf8ToCp860("┘"));
  ctx.janelas.ESCRJAN(janela, linhas);
}

}  // namespace

std::optional<Quadro> quadroMtela1(const Conversor& c, int n) {
  switch (n) {
    case 2: return quadroPastas(c);
    case 4: return Quadro{Jan::kDialogo, {3, 18, 10, 39}};
    case 5: return Quadro{Jan::kTela, {3, 18, 9, 39}};
    case 6: return Quadro{Jan::kDialogo, {0, 1, 24, 76}};
    case 7: return Quadro{Jan::kDialogo, {15, 23, 18, 64}};
    case 9: return Quadro{Jan::kSobre, {6, 20, 22, 59}};
    default: return std::nullopt;
  }
}

void abreCaixa(store::Contexto& ctx, Jan janela, rt::term::Rect r, int corCaixa, int corTexto) {
  ctx.janelas.DEFINEJAN(janela, corTexto, corCaixa, corCaixa, r.top, r.left, r.bottom, r.right, 0);
  ctx.janelas.ABREJAN(janela);
  auto& s = ctx.screen();
  s.fill(r, ' ', static_cast<rt::term::Attr>(corTexto));
  s.box(r, "┌─┐│┘─└│"_cp, static_cast<rt::term::Attr>(corCaixa));
}

void MTELA1(store::Contexto& ctx, const Conversor& c, int n) {
  ctx.NT = n;
  const std::optional<Quadro> q = quadroMtela1(c, n);
  if (!q) return;
  const rt::term::Rect& r = q->ret;
  ctx.ALJA[n] = r.top;
  ctx.ACJA[n] = r.left;
  const console::Cores& cor = ctx.cores;
  switch (n) {
    case 2:
      desenhaPastas(ctx, c, *q);
      break;
    case 4:
      abreCaixa(ctx, q->janela, r, cor.COR_TEL2, cor.COR_TEL1);
      desenhaContadores(ctx, r);
      break;
    case 5:
      ctx.janelas.DEFINEJAN(q->janela, cor.COR_TEL1, cor.COR_TEL2, cor.COR_TEL2, r.top, r.left, r.bottom, r.right, 0);
      ctx.janelas.ABREJAN(q->janela);
      menuComprovante(ctx, q->janela, r);
      break;
    case 6:
      abreCaixa(ctx, q->janela, r, cor.COR_TEL2, cor.COR_TEL1);
      break;
    case 7:
      abreCaixa(ctx, q->janela, r, cor.COR_TEL2, cor.COR_TEL1);
      texto(ctx, r.top, r.left + 2, " Drive e pasta do Arquivo FOLHA.TXT ", cor.COR_TEL2);
      break;
    case 9:
      abreCaixa(ctx, q->janela, r, cor.COR_TEL2, cor.COR_ENCHE);
      banner(ctx, c, r);
      break;
    default:
      break;
  }
}

void MTELA3(store::Contexto& ctx, int n) {
  if (n != 3) return;
  const rt::term::Rect r{17, 4, 23, 75};
  const console::Cores& cor = ctx.cores;
  ctx.ALJA[3] = r.top;
  ctx.ACJA[3] = r.left;
  abreCaixa(ctx, Jan::kTela, r, cor.COR_TEL2, cor.COR_TEL1);
  auto& s = ctx.screen();
  const auto caixa = static_cast<rt::term::Attr>(cor.COR_TEL2);
  // "C P F" (16 columns) beside "Nome" (53 columns), and the current folder under them.
  s.box({r.top + 1, r.left + 1, r.top + 3, r.left + 16}, "┌─┐│┘─└│"_cp, caixa);
  s.box({r.top + 1, r.left + 17, r.top + 3, r.left + 69}, "┌─┐│┘─└│"_cp, caixa);
  texto(ctx, r.top + 1, r.left + 3, " C P F ", cor.COR_TEL2);
  texto(ctx, r.top + 1, r.left + 19, " Nome ", cor.COR_TEL2);
  texto(ctx, r.top + 5, r.left + 2, "Diretório atual:"_cp, cor.COR_TEL1);
}

}  // namespace converter

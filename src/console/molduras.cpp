#include "console/molduras.h"

#include "console/molduras_familias.h"

namespace console {
namespace {

void guardaPosicao(Contexto& ctx, const Moldura& m, int n) {
  switch (m.tabela) {
    case TabelaPosicao::Dialogo:
      ctx.ALJA[n] = m.top;
      ctx.ACJA[n] = m.left;
      break;
    case TabelaPosicao::Forma:
      ctx.ALJ[n] = m.top;
      ctx.ACJ[n] = m.left;
      break;
    case TabelaPosicao::FormaAtual:
      ctx.ALJ[ctx.NT] = m.top;
      ctx.ACJ[ctx.NT] = m.left;
      break;
    case TabelaPosicao::Ajuda:
      ctx.ALJB[n] = m.top;
      ctx.ACJB[n] = m.left;
      ctx.NTB = n;
      break;
  }
  ctx.NTA = n;
}

}  // namespace

std::optional<Moldura> moldura(const Contexto& ctx, Familia familia, int n, const ArgsMoldura& args) {
  switch (familia) {
    case Familia::MTELA1:
      return molduras::molduraMtela1(ctx, n, args);
    case Familia::MTELA2:
      return molduras::molduraMtela2(ctx, n, args);
    case Familia::MTELA3:
      return n == 13 ? std::nullopt : molduras::molduraMtela3(ctx, n, args);
    case Familia::MTELA4:
      return molduras::molduraMtela4(ctx);
    case Familia::MTELA5:
      return molduras::molduraMtela5(ctx, n, args);
    case Familia::MTELAVER:
      return molduras::molduraMtelaver(ctx, n);
    case Familia::MTELA13:
      return molduras::molduraMtela13(ctx, n, args);
    case Familia::MTELA21:
      return molduras::molduraMtela21(ctx, n, args);
  }
  return std::nullopt;
}

void desenhaMoldura(Contexto& ctx, Familia familia, int n, const ArgsMoldura& args) {
  std::optional<Moldura> m = moldura(ctx, familia, n, args);
  if (!m) return;
  guardaPosicao(ctx, *m, n);
  Janelas& j = ctx.janelas;
  j.REDEFJAN(m->janela, m->cor1, m->cor2, m->cor3, m->top, m->left, m->top + m->altura, m->left + m->largura,
             m->tipo);
  j.ABREJAN(m->janela);
  if (m->tipo != 2) {
    j.ESCRJAN(m->janela, m->quadro.texto());
    return;
  }
  // The box lies on the corners: only the inside is written, so the text cannot cover it.
  const Attr cores[4] = {0, static_cast<Attr>(m->cor1), static_cast<Attr>(m->cor2),
                         static_cast<Attr>(m->cor3)};
  rt::term::Screen& tela = ctx.screen();
  const Quadro& q = m->quadro;
  const std::string texto = q.texto();
  int cor = 1, i = 0;
  for (char ch : texto) {
    if (ch >= 1 && ch <= 3) {
      cor = ch;
      continue;
    }
    const int r = i / q.colunas(), c = i % q.colunas();
    ++i;
    if (r > 0 && r < m->altura && c > 0 && c < m->largura)
      tela.put(m->top + r, m->left + c, std::string_view(&ch, 1), cores[cor]);
  }
}

std::vector<CampoMoldura> camposMoldura(const Contexto& ctx, Familia familia, int n,
                                        const ArgsMoldura& args) {
  std::optional<Moldura> m = moldura(ctx, familia, n, args);
  return m ? m->quadro.campos() : std::vector<CampoMoldura>{};
}

std::optional<ItensMoldura> itensMoldura(const Contexto& ctx, Familia familia, int n,
                                         const ArgsMoldura& args) {
  std::optional<Moldura> m = moldura(ctx, familia, n, args);
  return m ? m->itens : std::nullopt;
}

}  // namespace console

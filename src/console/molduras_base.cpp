// The window, colours, text grid and option menu every dialog frame starts from.
#include "console/molduras_familias.h"

#include <algorithm>

namespace console::molduras {

Moldura base(const Contexto& ctx, Jan janela, int top, int left, int altura, int largura, int tipo,
             Cores cores, TabelaPosicao tabela) {
  Moldura m;
  m.janela = janela;
  m.top = top;
  m.left = left;
  m.altura = altura;
  m.largura = largura;
  m.tipo = tipo;
  m.tabela = tabela;
  const auto& c = ctx.cores;
  m.cor1 = c.COR_TEL1;
  m.cor2 = c.COR_TEL2;
  m.cor3 = c.COR_TEL3;
  if (cores == Cores::Enche) m.cor3 = c.COR_ENCHE;
  if (cores == Cores::Sobre) m.cor1 = c.COR_ENCHE, m.cor3 = c.COR_TEL2;
  if (cores == Cores::Invertida) m.cor1 = c.COR_TEL2, m.cor2 = c.COR_TEL1;
  switch (tipo) {
    case 0:
      m.quadro = Quadro(altura + 1, largura + 1);
      m.quadro.caixa(0, 0, altura, largura);
      break;
    case 1:
      m.quadro = Quadro(altura - 1, largura - 1);
      break;
    case 7:
      m.quadro = Quadro(altura + 1, largura - 1);
      m.quadro.caixa(0, 0, altura, largura - 2);
      break;
    default:
      m.quadro = Quadro(altura + 1, largura + 1);
      break;
  }
  return m;
}

void opcoes(Moldura& m, int primeira, int coluna, const std::vector<std::string_view>& itens) {
  int largura = 0;
  for (std::size_t i = 0; i < itens.size(); ++i) {
    m.quadro.escreve(primeira + static_cast<int>(i), coluna, itens[i]);
    largura = std::max(largura, static_cast<int>(itens[i].size()));
  }
  // Window rows and columns count from 1 at the corner.
  m.itens = ItensMoldura{m.janela, static_cast<int>(itens.size()), coluna + 1, largura, primeira};
}

void titulo(Moldura& m, int linha, int coluna, std::string_view t) {
  m.quadro.escreve(linha, coluna, t, 3);
}

}  // namespace console::molduras

#include "screens/fundos_desenho.h"

namespace screens::desenho {

Fundo novo(int linha, int coluna, int altura, int largura, TerceiraCor cor3) {
  Fundo f;
  f.linha = linha;
  f.coluna = coluna;
  f.altura = altura;
  f.largura = largura;
  f.cor3 = cor3;
  f.quadro = console::Quadro(altura + 1, largura + 1);
  f.quadro.caixa(0, 0, altura, largura);
  return f;
}

void titulo(Fundo& f, int linha, int coluna, std::string_view t) { f.quadro.escreve(linha, coluna, t, 3); }

void tituloCentrado(Fundo& f, int linha, std::string_view t) {
  const int c = (f.largura + 1 - static_cast<int>(t.size())) / 2;
  f.quadro.escreve(linha, c < 1 ? 1 : c, t, 3);
}

void texto(Fundo& f, int linha, int coluna, std::string_view t) { f.quadro.escreve(linha, coluna, t, 1); }

void campo(Fundo& f, int linha, int coluna, std::string_view variavel, int largura) {
  f.quadro.campo(linha, coluna, largura, variavel);
}

int rotulo(Fundo& f, int linha, int coluna, std::string_view t, std::string_view variavel, int largura) {
  texto(f, linha, coluna, t);
  const int c = coluna + static_cast<int>(t.size()) + 1;
  campo(f, linha, c, variavel, largura);
  return c + largura + 2;
}

void divisoria(Fundo& f, int linha) { f.quadro.divisoria(linha, 0, f.largura); }

}  // namespace screens::desenho

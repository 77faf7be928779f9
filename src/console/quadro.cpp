#include "console/quadro.h"

#include <algorithm>

#include "console/janelas.h"
#include "rt/text/cp860.h"

namespace console {
namespace {

using namespace rt::text::literals;

// Box pieces, in the order of molduraSimples(): ┌ ─ ┐ │ ┘ ─ └ │.
char peca(int i) {
  return molduraSimples()[static_cast<std::size_t>(i)];
}

}  // namespace

Quadro::Quadro(int linhas, int colunas)
    : linhas_(std::max(linhas, 0)),
      colunas_(std::max(colunas, 0)),
      cel_(static_cast<std::size_t>(linhas_) * static_cast<std::size_t>(colunas_)) {}

Quadro::Celula* Quadro::at(int linha, int coluna) {
  if (linha < 0 || linha >= linhas_ || coluna < 0 || coluna >= colunas_) return nullptr;
  return &cel_[static_cast<std::size_t>(linha * colunas_ + coluna)];
}

void Quadro::escreve(int linha, int coluna, std::string_view texto, int cor) {
  for (std::size_t i = 0; i < texto.size(); ++i)
    if (Celula* c = at(linha, coluna + static_cast<int>(i))) *c = Celula{texto[i], cor};
}

void Quadro::caixa(int top, int left, int bottom, int right) {
  for (int c = left + 1; c < right; ++c) {
    if (Celula* p = at(top, c)) *p = {peca(1), 2};
    if (Celula* p = at(bottom, c)) *p = {peca(5), 2};
  }
  for (int r = top + 1; r < bottom; ++r) {
    if (Celula* p = at(r, left)) *p = {peca(7), 2};
    if (Celula* p = at(r, right)) *p = {peca(3), 2};
  }
  if (Celula* p = at(top, left)) *p = {peca(0), 2};
  if (Celula* p = at(top, right)) *p = {peca(2), 2};
  if (Celula* p = at(bottom, right)) *p = {peca(4), 2};
  if (Celula* p = at(bottom, left)) *p = {peca(6), 2};
}

void Quadro::divisoria(int linha, int left, int right) {
  for (int c = left + 1; c < right; ++c)
    if (Celula* p = at(linha, c)) *p = {peca(1), 2};
  if (Celula* p = at(linha, left)) *p = {"├"_cp[0], 2};
  if (Celula* p = at(linha, right)) *p = {"┤"_cp[0], 2};
}

int Quadro::rotuloCampo(int linha, int coluna, std::string_view rotulo, int largura, int espaco) {
  escreve(linha, coluna, rotulo);
  const int c = coluna + static_cast<int>(rotulo.size()) + 1;
  campos_.push_back({std::string(rotulo), linha, c, largura});
  return c + largura + espaco;
}

void Quadro::campo(int linha, int coluna, int largura, std::string_view nome) {
  campos_.push_back({std::string(nome), linha, coluna, largura});
}

std::string Quadro::texto() const {
  std::string out;
  out.reserve(cel_.size() + 16);
  int atual = 1;
  for (const Celula& c : cel_) {
    if (c.cor != atual) {
      out += static_cast<char>(c.cor);  // bytes 1, 2, 3 switch to the window's colours
      atual = c.cor;
    }
    out += c.ch;
  }
  return out;
}

}  // namespace console

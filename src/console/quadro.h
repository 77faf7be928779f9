// The text of a dialog frame laid out on a grid of cells before it is written into its window:
// box lines in the window's colour 2, labels in colour 1 (or 3 for highlights), input places
// left blank and remembered by their label, so that the frame and the code that places the
// fields agree on where each field goes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace console {

// A field place inside a frame, relative to the frame's corner (its row and column in the
// position tables): the field's label, where its value goes and how wide it is.
struct CampoMoldura {
  std::string rotulo;
  int linha = 0, coluna = 0, largura = 0;
};

class Quadro {
 public:
  Quadro(int linhas, int colunas);
  int linhas() const { return linhas_; }
  int colunas() const { return colunas_; }

  // Writes a text (CP860) at (row, column) in colour 1, 2 or 3; what falls outside is dropped.
  void escreve(int linha, int coluna, std::string_view texto, int cor = 1);
  // A single-line box on the rectangle's edges, in colour 2.
  void caixa(int top, int left, int bottom, int right);
  // A horizontal line across a box at `linha`, joining the box's sides (├───┤).
  void divisoria(int linha, int left, int right);
  // A label followed by a blank field place one column after it; returns the column after
  // the field plus `espaco`, where the next label goes.
  int rotuloCampo(int linha, int coluna, std::string_view rotulo, int largura, int espaco = 2);
  // A field place without a label of its own (named for lookups).
  void campo(int linha, int coluna, int largura, std::string_view nome);

  // The text for ESCRJAN: every cell in order, with a colour code where the colour changes.
  std::string texto() const;
  const std::vector<CampoMoldura>& campos() const { return campos_; }

 private:
  struct Celula {
    char ch = ' ';
    int cor = 1;
  };
  Celula* at(int linha, int coluna);
  int linhas_, colunas_;
  std::vector<Celula> cel_;
  std::vector<CampoMoldura> campos_;
};

}  // namespace console

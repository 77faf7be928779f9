// How the backgrounds are laid out: a framed grid of the window's size, titles on the frame,
// labels, and field places named by their variables. Internal to the background files.
#pragma once

#include <string>
#include <string_view>

#include "screens/fundos.h"

namespace screens::desenho {

// A background of origin (linha, coluna) spanning altura rows and largura columns beyond it,
// boxed on its edges.
Fundo novo(int linha, int coluna, int altura, int largura, TerceiraCor cor3 = TerceiraCor::Enche);

// A caption in colour 3 (titles on a frame line, section headings).
void titulo(Fundo& f, int linha, int coluna, std::string_view texto);
// A caption centred on a row.
void tituloCentrado(Fundo& f, int linha, std::string_view texto);
// A label in colour 1.
void texto(Fundo& f, int linha, int coluna, std::string_view texto);
// A field place of `largura` columns named by its variable.
void campo(Fundo& f, int linha, int coluna, std::string_view variavel, int largura);
// A label, then one blank and the field's place; returns the column two after the field, where
// the next label goes.
int rotulo(Fundo& f, int linha, int coluna, std::string_view texto, std::string_view variavel, int largura);
// A line across the frame at `linha`.
void divisoria(Fundo& f, int linha);

}  // namespace screens::desenho

namespace screens {
// The backgrounds of screens 6 and 7 (fundos_resumo.cpp), for MOSTEL.
Fundo fundoIdentificacao(const EstadoFundo& e);
Fundo fundoResumo(const EstadoFundo& e);
}  // namespace screens

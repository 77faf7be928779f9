// Internal to the dialog frames: the pieces every frame is built from, and one function a
// family giving its frame n (nothing for a number the family does not draw).
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "console/molduras.h"

namespace console::molduras {

enum class Cores { Normal, Enche, Sobre, Invertida };

// A frame's window, colours and the grid of its text, sized by its type: type 0 and 7 frames
// draw their own box as text; type 1 text lies inside the box the window draws; type 2 keeps
// a grid of the whole rectangle and draws only its inside.
Moldura base(const Contexto& ctx, Jan janela, int top, int left, int altura, int largura, int tipo,
             Cores cores = Cores::Normal, TabelaPosicao tabela = TabelaPosicao::Dialogo);
// Options one per line from (primeira, coluna) of the grid; the menu's arguments follow.
void opcoes(Moldura& m, int primeira, int coluna, const std::vector<std::string_view>& itens);
// A caption on a box's top edge, in colour 3.
void titulo(Moldura& m, int linha, int coluna, std::string_view t);

std::optional<Moldura> molduraMtela1(const Contexto& ctx, int n, const ArgsMoldura& a);
std::optional<Moldura> molduraMtela2(const Contexto& ctx, int n, const ArgsMoldura& a);
std::optional<Moldura> molduraMtela3(const Contexto& ctx, int n, const ArgsMoldura& a);
std::optional<Moldura> molduraMtela4(const Contexto& ctx);
std::optional<Moldura> molduraMtela5(const Contexto& ctx, int n, const ArgsMoldura& a);
std::optional<Moldura> molduraMtelaver(const Contexto& ctx, int n);
std::optional<Moldura> molduraMtela13(const Contexto& ctx, int n, const ArgsMoldura& a);
std::optional<Moldura> molduraMtela21(const Contexto& ctx, int n, const ArgsMoldura& a);

}  // namespace console::molduras

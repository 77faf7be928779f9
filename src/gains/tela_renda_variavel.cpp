#include "gains/tela_renda_variavel.h"

#include "console/janelas.h"
#include "console/mensagens.h"
#include "gains/renda_variavel.h"
#include "grid/tela.h"

namespace gains {

namespace {
// The matrix grid's screen of the variable income.
constexpr int kTelaRendaVariavel = grid::Tela::RendaVariavel;
}  // namespace

void RENDA_VARIAVEL(grid::AmbienteMatriz& a, int modo) {
  PRENCHE_MAT(a.calc, a.m, modo);
  grid::MBROWSE(a, kTelaRendaVariavel);
  console::MENS(a.ctx, console::mens::Espera, "Gravando..");
  const auto aviso = console::JanelaAberta::adota(a.ctx.janelas, console::Jan::kMensagem);
  GRAVA_RV(a.calc, a.m);
}

}  // namespace gains

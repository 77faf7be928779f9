#include "gains/tela_renda_variavel.h"

#include "console/mensagens.h"
#include "gains/renda_variavel.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"

namespace gains {

using namespace rt::text::literals;
using rt::text::Decimal;

namespace {
// The matrix grid's screen of the variable income.
constexpr int kTelaRendaVariavel = 14;
}  // namespace

void RENDA_VARIAVEL(grid::AmbienteMatriz& a) {
  Decimal modo;
  console::OpcoesMens op;
  op.valid = [&modo] { return modo >= Decimal(1) && modo <= Decimal(3); };
  op.picture = "9";
  console::MENS(a.ctx, 4, "DIGITE (1) Operações comuns, (2) Day Trade ou (3) Fundos de investimento"_cp, modo,
                op);
  if (a.ctx.console.lastKey().code == rt::term::key::Esc || modo < Decimal(1) || modo > Decimal(3)) return;
  PRENCHE_MAT(a.calc, a.m, static_cast<int>(modo.wholePart()));
  grid::MBROWSE(a, kTelaRendaVariavel);
  GRAVA_RV(a.calc, a.m);
  CALC_GRV(a.calc);
}

}  // namespace gains

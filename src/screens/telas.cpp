#include "screens/telas.h"

#include <array>

#include "gains/renda_variavel.h"
#include "gains/tela_ganho.h"
#include "gains/totais_ganho.h"
#include "screens/balanco.h"
#include "taxcalc/pagamentos.h"
#include "taxcalc/rural.h"

namespace screens {

namespace {

// What runs a screen over its background; none: only the background in this version.
using Execucao = void (*)(AmbienteTela&, const Fundo&);

struct EntradaTela {
  int n;
  Execucao executa;
};

// The catalogue of the declaration's screens, each run over its background.
constexpr std::array<EntradaTela, 19> kTelas{{{1, RENDPJ},
                                              {2, RENDPF},
                                              {3, isentos},
                                              {4, dependentes},
                                              {5, bens},
                                              {6, identificacao},
                                              {7, resumo},
                                              {8, ganhos},
                                              {9, rendaVariavel},
                                              {10, balanco},
                                              {11, situacao},
                                              {12, imoveisRurais},
                                              {13, mesesRurais},
                                              {14, resultadoRural},
                                              {15, rebanho},
                                              {16, bensRurais},
                                              {17, dividasRurais},
                                              {22, listaAmpliadaZ},
                                              {23, listaAmpliadaX}}};

}  // namespace

EstadoFundo estadoFundo(AmbienteTela& a, int n) {
  // Only the income screens draw the dependants' part; counting them renumbers their rows.
  const int dependentes = n == 1 || n == 2 ? static_cast<int>(taxcalc::NRODP(a.calc).wholePart()) : 0;
  return estadoFundo(a.espelho(), dependentes, a.zoomBem, a.zoomBem2);
}

void recalculaResumo(AmbienteTela& a) {
  taxcalc::Contexto& c = a.calc;
  if (a.espelho().registro.txt("TEMRURAL") == "S" && a.rural != nullptr)
    taxcalc::resultadoRural(c, *a.rural);
  else
    taxcalc::CALC_PREJU(c);
  gains::SOMA_NTRIB(c);
  gains::CALC_GRV(c);
  a.CALC(7, 0);
}

void ganhos(AmbienteTela& a, const Fundo&) { gains::GANHO3(a.ctx, a.grade, a.calc); }

bool GTELA(AmbienteTela& a, int n) {
  for (const EntradaTela& t : kTelas) {
    if (t.n != n) continue;
    const std::optional<Fundo> f = MTELA(a.ctx, n, estadoFundo(a, n));
    if (!f || t.executa == nullptr) return false;
    t.executa(a, *f);
    return true;
  }
  return false;
}

}  // namespace screens

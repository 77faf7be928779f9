// The time-of-use clock, the size of use and the autosave of the declaration driver.
#include <algorithm>
#include <span>

#include "console/tempo.h"
#include "grid/tracos.h"
#include "rt/text/date.h"
#include "shell/declara.h"
#include "store/areas.h"
#include "store/salva.h"

namespace shell {

using rt::text::Decimal;

namespace {

constexpr long long kMaximoN6 = 999999;  // TEM_USO and TAM_USO are six-digit fields

long long agora(const Program& p) {
  return rt::text::seconds(p.clock).wholePart();
}

// Seconds from `inicio` to `fim` of the day; a clock that passed midnight counts 86399 more,
// as the times of use stored so far were counted.
long long decorrido(long long inicio, long long fim) {
  return fim < inicio ? fim - inicio + 86399 : fim - inicio;
}

}  // namespace

long long Declara::VETEMPO() {
  store::EspelhoDeclaracao& e = dec.espelho;
  const long long agora_ = agora(p);
  if (dec.opcoes.SEMHORA) e.INI_DECLA = Decimal::fromInt(agora_);
  relogio.FIM_DECLA = agora_;
  const long long usado = e.registro.num("TEM_USO").wholePart();
  relogio.TEMGAST = std::min(kMaximoN6, usado + decorrido(e.INI_DECLA.wholePart(), relogio.FIM_DECLA));
  return relogio.TEMGAST;
}

long long Declara::VETAMHO() {
  const store::SelecaoGuardada selecao(p.areas);
  store::VE_LIM_NEG(dec);
  long long total = 0;
  // The working copies TMP_01 .. TMP_14: the tables a declaration's size is counted over.
  for (store::Area a : std::span(workareas::kCopias).first<14>())
    if (rt::db::Table* t = p.areas.table(a))
      total += static_cast<long long>(t->recordSize()) * t->recordCount() + t->headerSize() + 1;
  total = std::min(total, kMaximoN6);
  dec.espelho.registro.num("TAM_USO", Decimal::fromInt(total));
  const grid::TracosPagina pagina = grid::tracosDaPagina(tela.pagina.TELA);
  if (pagina.copiaIdentificacao) copiaIdentificacao();
  if (pagina.copiaRegistro) copiaRegistro();
  return total;
}

bool Declara::autosalvaVencido() const {
  const int minutos = dec.opcoes.TEMP_SAL;
  if (minutos <= 0 || minutos >= 98) return false;
  const int segundos =
      console::TEMPO_PAS(console::SEG_HORA(dec.espelho.SEM_SALV.wholePart()), console::SEG_HORA(agora(p)));
  return segundos / 60 >= minutos;
}

void Declara::DESLIG_RELG() {
  if (p.OPCAO_1 != 11) return;
  dec.opcoes.SEMHORA = !dec.opcoes.SEMHORA;
  if (dec.opcoes.SEMHORA)
    PARA_REL();
  else
    // The paused time is not counted: the clock runs again from now.
    dec.espelho.INI_DECLA = Decimal::fromInt(agora(p));
}

void Declara::PARA_REL() {
  store::EspelhoDeclaracao& e = dec.espelho;
  // A fresh reading: the minutes spent on the current screen count up to the pause.
  relogio.FIM_DECLA = agora(p);
  const long long usado = e.registro.num("TEM_USO").wholePart();
  const long long novo = std::min(kMaximoN6, usado + decorrido(e.INI_DECLA.wholePart(), relogio.FIM_DECLA));
  e.registro.num("TEM_USO", Decimal::fromInt(novo));
  e.INI_DECLA = Decimal::fromInt(relogio.FIM_DECLA);
}

}  // namespace shell

#include "gains/servicos_matriz.h"

#include <optional>
#include <string>

#include "gains/ganho.h"
#include "gains/renda_variavel.h"
#include "gains/tabela_ganho.h"
#include "store/areas.h"

namespace gains {

namespace {

Decimal valor(const grid::Celula& c) {
  const Decimal* v = std::get_if<Decimal>(&c);
  return v != nullptr ? *v : Decimal();
}

}  // namespace

void ServicosMatrizGanhos::FX_GANHO(taxcalc::Contexto& c, grid::Matrizes& m, int linha) {
  rt::db::Table* operacoes = c.areas.table(store::Area::TMP_07);
  rt::db::Table* custos = c.areas.table(store::Area::TMP_08);
  if (operacoes == nullptr || custos == nullptr || operacoes->eof() || linha < 1 || linha > 12) return;
  Ganho g = leGanho(*operacoes, *custos);
  const auto l = static_cast<std::size_t>(linha);
  g.recebido[l - 1] = valor(m.REC_GANHO[l][4]);
  gains::FX_GANHO(g, linha);
  m.REC_GANHO[l][1] = g.ganhoMes[l - 1];
  m.REC_GANHO[l][2] = g.impostoMes[l - 1];
  for (std::size_t col : {1u, 2u, 4u, 5u, 6u}) {
    Decimal soma;
    for (std::size_t mes = 1; mes <= 12; ++mes) soma += valor(m.REC_GANHO[mes][col]);
    m.REC_GANHO[13][col] = soma;
  }
}

void ServicosMatrizGanhos::SOMA_RENVAR(taxcalc::Contexto& c, grid::Matrizes& m, int, rt::text::Decimal) {
  if (const std::optional<std::string> recusa = gains::SOMA_RENVAR(m)) c.saida.alerta(*recusa);
}

}  // namespace gains

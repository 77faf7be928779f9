// The variable income: the monthly stock-market results (40), last year's loss (41) and the
// investment funds (42).
#include "converter/receita/secoes.h"

#include <algorithm>
#include <tuple>

namespace converter {

using rt::text::doisDigitos;

Status Secoes::s40(const Campos& r) {
  const auto mes = static_cast<int>(valor(r, "mes").wholePart());
  if (mes < 1 || mes > 12) return Status::ok();
  const auto m = static_cast<std::size_t>(mes - 1);
  mesComum_[m] = mesDayTrade_[m] = true;
  for (int i = 1; i <= 13; ++i) {
    comum_[static_cast<std::size_t>(i - 1)][m] = valor(r, "comum" + std::to_string(i));
    dayTrade_[static_cast<std::size_t>(i - 1)][m] = valor(r, "dayTrade" + std::to_string(i));
  }
  comum_[13][m] = valor(r, "comum14");
  dayTrade_[13][m] = valor(r, "dayTrade14");
  if (mes == 1) {
    retidoFonte_ = valor(r, "retidoFonte");
    perdaComum_ = valor(r, "perdaComum");
    perdaDayTrade_ = valor(r, "perdaDayTrade");
    retidoDayTrade_ = valor(r, "retidoDayTrade");
  }
  return Status::ok();
}

Status Secoes::depois40() {
  RT_TRY(apaga(7, [](const Linha& l) { return l.valor("TIPO_BEM") == Decimal(4); }));
  if (!de2010()) return Status::ok();
  auto linhaRv = [&](const char* dayTrade, int nro) -> rt::Result<Linha*> {
    auto l = nova(7);
    if (!l) return l;
    (*l)->poe("TIPO_BEM", Decimal(4));
    (*l)->poe("DAY_TRADE", std::string(dayTrade));
    (*l)->poe("RVAR_NRO", Decimal(nro));
    return l;
  };
  for (const auto& [m, meses, marca, ultimo] :
       {std::tuple{&comum_, &mesComum_, "1", 26}, std::tuple{&dayTrade_, &mesDayTrade_, "2", 21}}) {
    if (std::none_of(meses->begin(), meses->end(), [](bool b) { return b; })) continue;
    for (int i = 1; i <= 14; ++i) {
      auto l = linhaRv(marca, i == 14 ? ultimo : i);
      if (!l) return l.status();
      for (int mes = 1; mes <= 12; ++mes)
        (*l)->poe("REC_MES" + doisDigitos(mes), (*m)[static_cast<std::size_t>(i - 1)][static_cast<std::size_t>(mes - 1)]);
    }
  }
  for (const auto& [v, marca, nro] : {std::tuple{perdaComum_, "1", 15}, std::tuple{perdaDayTrade_, "2", 15},
                                       std::tuple{retidoDayTrade_, "2", 22}, std::tuple{retidoFonte_, "2", 24}}) {
    if (v <= Decimal()) continue;
    auto l = linhaRv(marca, nro);
    if (!l) return l.status();
    (*l)->poe("REC_MES01", v);
  }
  return Status::ok();
}

Status Secoes::s41(const Campos& r) {
  auto l = nova(7);
  if (!l) return l.status();
  (*l)->poe("REC_MES01", valor(r, "REC_MES01"));
  (*l)->poe("TIPO_BEM", Decimal(4));
  (*l)->poe("DAY_TRADE", std::string("1"));
  (*l)->poe("RVAR_NRO", Decimal(15));
  return Status::ok();
}

Status Secoes::s42(const Campos& r) {
  const auto mes = static_cast<int>(valor(r, "mes").wholePart());
  if (mes < 1 || mes > 12) return Status::ok();
  auto linha = [&](int nro, int noMes, Decimal v) -> Status {
    auto l = nova(7);
    if (!l) return l.status();
    (*l)->poe("TIPO_BEM", Decimal(4));
    (*l)->poe("DAY_TRADE", std::string("3"));
    (*l)->poe("RVAR_NRO", Decimal(nro));
    (*l)->poe("REC_MES" + doisDigitos(noMes), v);
    return Status::ok();
  };
  if (!de2010()) {
    if (mes == 12 && valor(r, "acumulado") > Decimal()) return linha(15, 1, valor(r, "acumulado"));
    return Status::ok();
  }
  if (!valor(r, "operacoes").isZero()) RT_TRY(linha(1, mes, valor(r, "operacoes")));
  if (mes == 1 && valor(r, "acumulado") > Decimal()) RT_TRY(linha(15, 1, valor(r, "acumulado")));
  if (valor(r, "retido") > Decimal()) RT_TRY(linha(26, mes, valor(r, "retido")));
  return Status::ok();
}

std::span<const Tratamento> Secoes::rendaVariavel() {
  static constexpr Tratamento kTabela[] = {
      {.registro = "40", .anos = k2010, .trata = &Secoes::s40, .depois = &Secoes::depois40},
      {.registro = "41", .anos = k2009, .trata = &Secoes::s41},
      {.registro = "42", .trata = &Secoes::s42},
  };
  return kTabela;
}

}  // namespace converter

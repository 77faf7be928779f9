#include "gains/reducao.h"

#include <cmath>

namespace gains {

namespace {

// 1 - 1 / base^m, cut to 4 decimals.
Decimal fator(double base, int meses) {
  return rt::text::despreza(Decimal(1) - Decimal::fromDouble(1.0 / std::pow(base, meses)), 4);
}

Date inicioFatores() {
  return Date::fromYmd(kAnoInicioFatores, 1, 1);
}

}  // namespace

int FPER_RED(Date aquisicao, bool vendaAnterior) {
  if (vendaAnterior || aquisicao.isEmpty()) return 0;
  const int ano = aquisicao.year();
  if (ano > 1988) return 0;
  if (ano < 1970) return 100;
  return (1989 - ano) * 5;
}

int DIF_MESES(Date de, Date ate) {
  if (de < inicioFatores()) de = inicioFatores();
  const int anos = ate.year() - de.year();
  return (anos > 0 ? 12 * anos : 0) + (ate.month() - de.month() + 1);
}

FatoresReducao CALC_RED(Date custo, Date alienacao) {
  FatoresReducao f;
  if (custo.isEmpty() || alienacao.isEmpty()) return f;
  if (alienacao > Date::fromYmd(2005, 6, 15) && alienacao < Date::fromYmd(2005, 10, 14)) {
    f.PER_RED2 = fator(1.0035, DIF_MESES(custo, alienacao));
  } else if (alienacao > Date::fromYmd(2005, 10, 13) && alienacao < Date::fromYmd(2005, 12, 1)) {
    f.PER_RED1 = fator(1.006, DIF_MESES(custo, alienacao));
  } else if (alienacao > Date::fromYmd(2005, 11, 30)) {
    if (custo.year() > 2005) {
      f.PER_RED2 = fator(1.0035, DIF_MESES(custo, alienacao));
    } else {
      f.PER_RED1 = fator(1.006, DIF_MESES(custo, Date::fromYmd(2005, 11, 30)));
      f.PER_RED2 = fator(1.0035, DIF_MESES(Date::fromYmd(2005, 12, 1), alienacao));
    }
  }
  if (f.PER_RED1 < Decimal() || f.PER_RED2 < Decimal()) return FatoresReducao{{}, {}, true};
  return f;
}

}  // namespace gains

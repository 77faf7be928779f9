#include "gains/juros.h"

#include <map>
#include <string>

#include "rt/text/strings.h"
#include "taxcalc/linhas.h"

namespace gains {

using rt::text::Decimal;

namespace {

// Months as year * 12 + month - 1, so the next month is + 1.
int mesCorrido(int ano, int mes) {
  return ano * 12 + mes - 1;
}

}  // namespace

Juros ACHAJURO(rt::db::Table& ufirm, rt::text::Date vencimento, rt::text::Date pagamento, int modo, int mes) {
  Juros j;
  const int de =
      modo == 2 ? mesCorrido(vencimento.year(), 4) : mesCorrido(vencimento.year(), vencimento.month());
  const int ate =
      modo == 2 ? mesCorrido(pagamento.year(), mes) : mesCorrido(pagamento.year(), pagamento.month());
  if (de > ate) return j;
  std::map<int, Decimal> taxas;
  const int anomes = ufirm.fieldIndex("ANOMES"), tjm = ufirm.fieldIndex("TJM");
  taxcalc::Varredura(ufirm).cada([&](rt::db::Table& t, std::uint32_t) {
    const std::string am(rt::text::alltrim(taxcalc::texto(t, anomes)));
    if (am.size() != 6) return;
    const int a = static_cast<int>(Decimal::val(am.substr(0, 4)).wholePart());
    const int m = static_cast<int>(Decimal::val(am.substr(4, 2)).wholePart());
    taxas[mesCorrido(a, m)] = taxcalc::numero(t, tjm);
  });
  j.DF_JURO = Decimal(1);
  for (int m = de + 1; m < ate; ++m) {
    const auto it = taxas.find(m);
    if (it == taxas.end()) {
      // The table stops short: the interest is understated and the user is told.
      j.alemDaTabela = true;
      break;
    }
    j.DF_JURO += it->second;
  }
  return j;
}

}  // namespace gains

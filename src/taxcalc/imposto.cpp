#include "taxcalc/imposto.h"

#include <array>
#include <string>

#include "taxcalc/tax_year.h"

namespace taxcalc {

namespace {

struct Faixa {
  Decimal limite;  // upper limit of the bracket below this one
  Decimal aliquota;
  Decimal deducao;
};

constexpr std::array<Faixa, 4> kFaixas = {{
    {NBASEAN1, 0.075_d, NDEDUAN1},
    {NBASEAN2, 0.15_d, NDEDUAN2},
    {NBASEAN3, 0.225_d, NDEDUAN3},
    {NBASEAN4, 0.275_d, NDEDUAN4},
}};

// An annual figure taken for `meses` months. Multiplying before dividing keeps the figure
// exact whenever it can be (17,215.08 for 7 months is exactly 10,042.13); dividing by 12/months
// first would carry the rounding of 12/7 into every limit.
Decimal proporcional(Decimal anual, int meses) {
  if (meses == 12) return anual;
  return anual * meses / 12;
}

}  // namespace

Decimal tabelaProgressiva(Decimal base, int meses) {
  if (meses < 1 || meses > 12) meses = 12;
  if (base <= Decimal()) return Decimal();
  // The highest bracket whose lower limit the base passes.
  int faixa = -1;
  for (int i = 0; i < static_cast<int>(kFaixas.size()); ++i)
    if (base > proporcional(kFaixas[static_cast<std::size_t>(i)].limite, meses)) faixa = i;
  if (faixa < 0) return Decimal();
  const Faixa& f = kFaixas[static_cast<std::size_t>(faixa)];
  return rt::text::round(base * f.aliquota - proporcional(f.deducao, meses), 2);
}

int mesesDoCalculo(Contexto& c) {
  using namespace rt::text::literals;
  if (c.declaracaoFinal()) {
    rt::text::Date data = c.d.tabela01.data("DATAPARTI");
    if (data.isEmpty()) data = c.d.tabela01.data("DATALAVRA");
    if (!data.isEmpty()) return data.month();
    const std::string linhas[] = {"Na declaracao Final o calculo do Imposto",
                                  "depende da data Partilha ou Lavratura"};
    c.saida.aviso(linhas);
    return 12;
  }
  if (c.declaracaoSaida()) {
    rt::text::Date data = c.d.tabela01.data("DATASAIDA");
    if (!data.isEmpty()) return data.month();
    const std::string linhas[] = {"Na declaracao de saida o calculo do Imposto",
                                  "depende da data da saida. Informe-a"};
    c.saida.aviso(linhas);
    return 12;
  }
  return 12;
}

Decimal CALC_IMPOS(Contexto& c, int divisor, Decimal base) {
  if (divisor == 12) return tabelaProgressiva(base, 1);
  return tabelaProgressiva(base, mesesDoCalculo(c));
}

}  // namespace taxcalc

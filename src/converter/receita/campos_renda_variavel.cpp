// The fields of the tax authority's records of one subject, for the table of campos.h.
// The variable income: the monthly stock-market results (40), last year's loss (41) and the
// investment funds (42).
#include "converter/receita/campos_assuntos.h"

#include <iterator>
#include <string>
#include <vector>

namespace converter {

namespace {

using C = Conversao;

constexpr CampoFixo kCampos[] = {
    {"40", k2010, 12, 2, "mes", C::Numero},
    {"40", k2010, 352, 13, "dayTrade14", C::Valor},
    {"40", k2010, 365, 13, "comum14", C::Valor},
    {"40", k2010, 378, 13, "retidoFonte", C::Valor},
    {"40", k2010, 391, 13, "perdaComum", C::Valor},
    {"40", k2010, 404, 13, "perdaDayTrade", C::Valor},
    {"40", k2010, 417, 13, "retidoDayTrade", C::Valor},
    {"41", k2009, 51, 13, "REC_MES01", C::Valor},
    {"42", kAmbos, 12, 2, "mes", C::Numero},
    {"42", k2010, 14, 13, "operacoes", C::Valor},
    {"42", kAmbos, 27, 13, "acumulado", C::Valor},
    {"42", k2010, 82, 13, "retido", C::Valor},
};

}  // namespace

std::span<const CampoFixo> camposRendaVariavel() {
  static const std::vector<CampoFixo> tabela = [] {
    std::vector<CampoFixo> v(std::begin(kCampos), std::end(kCampos));
    // Record 40: thirteen common and thirteen day-trade values of the month.
    static const std::vector<std::string> nomes40 = [] {
      std::vector<std::string> n;
      for (int i = 1; i <= 13; ++i) {
        n.push_back("comum" + std::to_string(i));
        n.push_back("dayTrade" + std::to_string(i));
      }
      return n;
    }();
    for (int i = 1; i <= 13; ++i) {
      v.push_back({"40", k2010, 14 + (i - 1) * 13, 13, nomes40[static_cast<std::size_t>(2 * (i - 1))], C::Valor});
      v.push_back({"40", k2010, 183 + (i - 1) * 13, 13, nomes40[static_cast<std::size_t>(2 * i - 1)], C::Valor});
    }
    return v;
  }();
  return tabela;
}

}  // namespace converter

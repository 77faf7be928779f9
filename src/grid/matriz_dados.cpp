#include "grid/matriz_dados.h"

#include "console/documentos.h"
#include "rt/text/strings.h"
#include "taxcalc/carne_leao.h"

namespace grid {

std::string nomeMes(int linha) {
  static const char* const kMeses[] = {"Janeiro  ", "Fevereiro", "Marco    ", "Abril    ", "Maio     ", "Junho    ", "Julho    ",
                                       "Agosto   ", "Setembro ", "Outubro  ", "Novembro ", "Dezembro ", "Total    "};
  return linha >= 1 && linha <= 13 ? kMeses[linha - 1] : std::string();
}

namespace {

template <std::size_t N>
MatrizRef meses(std::string nome, std::array<std::array<std::string, N>, 14>& m, int colunas) {
  return MatrizRef{std::move(nome), 13, colunas, [&m, colunas](int l, int c) -> std::string* {
                     if (l < 1 || l > 13 || c < 1 || c > colunas) return nullptr;
                     return &m[static_cast<std::size_t>(l)][static_cast<std::size_t>(c)];
                   }};
}

}  // namespace

void poeMeses(Matrizes& m, const MesesValor& v) {
  m.GPS = v.GPS;
  rt::text::Decimal reais, segunda;
  for (std::size_t mes = 1; mes <= 12; ++mes) {
    m.CALC_MENS[mes][1] = nomeMes(static_cast<int>(mes));
    m.CALC_MENS[mes][2] = taxcalc::textoLeao(v.reais[mes - 1]);
    m.CALC_MENS[mes][3] = taxcalc::textoLeao(v.segunda[mes - 1]);
    reais += v.reais[mes - 1];
    segunda += v.segunda[mes - 1];
  }
  m.CALC_MENS[13][1] = nomeMes(13);
  m.CALC_MENS[13][2] = taxcalc::textoLeao(reais);
  m.CALC_MENS[13][3] = taxcalc::textoLeao(segunda);
}

void tiraMeses(const Matrizes& m, MesesValor& v) {
  for (std::size_t mes = 1; mes <= 12; ++mes) {
    v.reais[mes - 1] = console::CAR_TO_VAL(rt::text::alltrim(m.CALC_MENS[mes][2]));
    v.segunda[mes - 1] = console::CAR_TO_VAL(rt::text::alltrim(m.CALC_MENS[mes][3]));
  }
}

MatrizRef MATATU(Matrizes& m, store::EspelhoDeclaracao& d, std::string_view nome) {
  const std::string n = rt::text::upper(rt::text::alltrim(nome));
  if (n == "REC_MENSAL") return meses(n, d.REC_MENSAL, 8);
  if (n == "CALC_MENS") return meses(n, m.CALC_MENS, 3);
  if (n == "REC_GANHO") return meses(n, m.REC_GANHO, m.REC_GANHO_COLUNAS);
  if (n == "MRENVAR") {
    return MatrizRef{n, static_cast<int>(m.MRENVAR.size()), 13, [&m](int l, int c) -> std::string* {
                       if (l < 1 || l > static_cast<int>(m.MRENVAR.size()) || c < 1 || c > 13) return nullptr;
                       return &m.MRENVAR[static_cast<std::size_t>(l - 1)][static_cast<std::size_t>(c)];
                     }};
  }
  if (n == "REND_RURAL") {
    // Twelve months in the mirror and the totals row for display.
    return MatrizRef{n, 13, 2, [&m, &d](int l, int c) -> std::string* {
                       if (l < 1 || l > 13 || c < 1 || c > 2) return nullptr;
                       if (l == 13) return &m.TOT_RURAL[static_cast<std::size_t>(c)];
                       return &d.REND_RURAL[static_cast<std::size_t>(l)][static_cast<std::size_t>(c)];
                     }};
  }
  return {};
}

}  // namespace grid

#include "grid/matriz_dados.h"

#include "console/documentos.h"
#include "rt/text/strings.h"

namespace grid {

using rt::text::doisDigitos;
using rt::text::Decimal;

namespace {

CelulaRef deValor(Decimal& v) {
  CelulaRef r;
  r.valor = &v;
  return r;
}

// A matrix of amounts whose column 1 is the month's caption `rotulo`.
template <std::size_t N>
MatrizRef meses(std::string nome, std::array<std::array<Decimal, N>, 14>& m, std::string (*rotulo)(int)) {
  constexpr int colunas = static_cast<int>(N) - 1;
  return MatrizRef{std::move(nome), 13, colunas, [&m, rotulo](int l, int c) -> CelulaRef {
                     if (l < 1 || l > 13 || c < 1 || c > colunas) return {};
                     CelulaRef r;
                     if (c == 1) {
                       r.rotulo = rotulo(l);
                       return r;
                     }
                     return deValor(m[static_cast<std::size_t>(l)][static_cast<std::size_t>(c)]);
                   }};
}

CelulaRef deCelula(Celula& c) {
  CelulaRef r;
  r.valor = std::get_if<Decimal>(&c);
  r.texto = std::get_if<std::string>(&c);
  return r;
}

}  // namespace

Matrizes::Matrizes() {
  for (int m = 1; m <= 13; ++m)
    REC_GANHO[static_cast<std::size_t>(m)][3] =
        m == 13 ? std::string("<- Totais ->") : doisDigitos(m) + "-" + console::TRAZ_MES(m);
}

std::string nomeMes(int linha) {
  static const char* const kMeses[] = {"Janeiro  ", "Fevereiro", "Marco    ", "Abril    ", "Maio     ", "Junho    ", "Julho    ",
                                       "Agosto   ", "Setembro ", "Outubro  ", "Novembro ", "Dezembro ", "Total    "};
  return linha >= 1 && linha <= 13 ? kMeses[linha - 1] : std::string();
}

std::string rotuloMes(int linha) {
  if (linha == 13) return "Totais";
  return linha >= 1 && linha <= 12 ? doisDigitos(linha) + "-" + console::TRAZ_MES(linha).substr(0, 3) : std::string();
}

void poeMeses(Matrizes& m, const MesesValor& v) {
  m.GPS = v.GPS;
  Decimal reais, segunda;
  for (std::size_t mes = 1; mes <= 12; ++mes) {
    m.CALC_MENS[mes][2] = v.reais[mes - 1];
    m.CALC_MENS[mes][3] = v.segunda[mes - 1];
    reais += v.reais[mes - 1];
    segunda += v.segunda[mes - 1];
  }
  m.CALC_MENS[13][2] = reais;
  m.CALC_MENS[13][3] = segunda;
}

void tiraMeses(const Matrizes& m, MesesValor& v) {
  for (std::size_t mes = 1; mes <= 12; ++mes) {
    v.reais[mes - 1] = m.CALC_MENS[mes][2];
    v.segunda[mes - 1] = m.CALC_MENS[mes][3];
  }
}

MatrizRef MATATU(Matrizes& m, store::EspelhoDeclaracao& d, std::string_view nome) {
  const std::string n = rt::text::upper(rt::text::alltrim(nome));
  if (n == "REC_MENSAL") return meses(n, d.REC_MENSAL, rotuloMes);
  if (n == "CALC_MENS") return meses(n, m.CALC_MENS, nomeMes);
  if (n == "REC_GANHO") {
    return MatrizRef{n, 13, m.REC_GANHO_COLUNAS, [&m](int l, int c) -> CelulaRef {
                       if (l < 1 || l > 13 || c < 1 || c > m.REC_GANHO_COLUNAS) return {};
                       return deCelula(m.REC_GANHO[static_cast<std::size_t>(l)][static_cast<std::size_t>(c)]);
                     }};
  }
  if (n == "MRENVAR") {
    return MatrizRef{n, static_cast<int>(m.MRENVAR.size()), 13, [&m](int l, int c) -> CelulaRef {
                       if (l < 1 || l > static_cast<int>(m.MRENVAR.size()) || c < 1 || c > 13) return {};
                       return deCelula(m.MRENVAR[static_cast<std::size_t>(l - 1)][static_cast<std::size_t>(c)]);
                     }};
  }
  if (n == "REND_RURAL") {
    // Twelve months in the mirror and the totals row for display.
    return MatrizRef{n, 13, 2, [&m, &d](int l, int c) -> CelulaRef {
                       if (l < 1 || l > 13 || c < 1 || c > 2) return {};
                       if (l == 13) return deValor(m.TOT_RURAL[static_cast<std::size_t>(c)]);
                       return deValor(d.REND_RURAL[static_cast<std::size_t>(l)][static_cast<std::size_t>(c)]);
                     }};
  }
  return {};
}

}  // namespace grid

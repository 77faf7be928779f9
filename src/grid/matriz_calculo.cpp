// What the matrix screens share: the totals rows, the rural months' marks and the carnê-leão
// modes' texts (each screen's own cells and recomputation are its record's, matriz_telas.cpp).
#include <algorithm>

#include "grid/edita.h"
#include "grid/matriz.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "taxcalc/carne_leao.h"
#include "taxcalc/rural.h"
#include "taxcalc/tax_year.h"

namespace grid {

using namespace rt::text::literals;
using rt::text::Decimal;

void ServicosMatriz::grade(store::Contexto& ctx, Grade& g, int opc, int modo) { EDITA(ctx, g, opc, modo); }

std::optional<std::string> FX_RT(AmbienteMatriz& a, std::string_view nome, int linha, int coluna) {
  const std::string n = rt::text::upper(nome);
  if (n == "REC_MENSAL") {
    taxcalc::FX_RT(a.calc, coluna);
  } else if (n == "CALC_MENS") {
    if (std::optional<std::string> recusa = taxcalc::FX_RT_MENS(a.calc, a.m.CALC_MENS, linha, coluna, a.m.GPS)) return recusa;
  } else if (n == "REND_RURAL") {
    a.m.TOT_RURAL = {};
    for (std::size_t mes = 1; mes <= 12; ++mes) {
      a.m.TOT_RURAL[1] += a.calc.d.REND_RURAL[mes][1];
      a.m.TOT_RURAL[2] += a.calc.d.REND_RURAL[mes][2];
    }
    taxcalc::totaisMensais(a.calc);
  }
  return std::nullopt;
}

bool MARCA_NEG(AmbienteMatriz& a) {
  bool algum = false;
  for (std::size_t mes = 1; mes <= 12; ++mes) {
    const bool neg = a.calc.d.REND_RURAL[mes][2] > a.calc.d.REND_RURAL[mes][1];
    a.m.MES_NEG[mes - 1] = neg ? '*' : ' ';
    algum = algum || neg;
  }
  // Inside the form's frame (its window row 1 is the frame's top line): the note on the last row
  // above the bottom line, each month's mark between its name and its cells.
  a.ctx.janelas.ESCRLCOL(console::Jan::kTela, 21, 2, algum ? std::string("* indica despesa maior que receita") : std::string(34, ' '));
  for (int mes = 1; mes <= 12; ++mes) a.ctx.janelas.ESCRLCOL(console::Jan::kTela, 3 + mes, 11, std::string(1, a.m.MES_NEG[static_cast<std::size_t>(mes - 1)]));
  return algum;
}

int SKIP_MATRIZ(int linhas, int linha, int n) {
  if (linhas <= 0) return 0;
  const int alvo = std::clamp(linha + n, 1, linhas);
  return alvo - linha;
}

void ZERADOR(Matrizes& m) {
  for (std::size_t l = 1; l <= 13; ++l) m.CALC_MENS[l][2] = m.CALC_MENS[l][3] = Decimal();
}

std::string tituloModo(int modo) {
  static const char* const kTitulos[] = {"1)INDIVIDUAL  ", "2)SO OS TOTAIS", "3)LIVRO CAIXA ", "4)CALC.INVERSO"};
  return modo >= 1 && modo <= 4 ? kTitulos[modo - 1] : std::string();
}

namespace {
std::vector<std::string> linhas(std::initializer_list<std::string_view> l) { return {l.begin(), l.end()}; }
}  // namespace

std::vector<std::string> explicacaoModo(int modo) {
  switch (modo) {
    case 1:
      return linhas({"Essa é a opção ideal para o preenchimento da    "_cp, "declaração. Deve ser usada principalmente quando "_cp,
              "houver mais de uma pessoa física como pagadora.  "_cp});
    case 2:
    {
      const std::string dependente = "usando R$ " + rt::text::str(taxcalc::NVALDEPEN, 7, 2) + " por dependente, o valor mensal da pensao quando ";
      return linhas({"Esse modo deve ser usado APENAS para um cálculo rápido do Carnê Leão. "_cp,
              "Digite os valores de cada mês; as deduções são calculadas "_cp,
              dependente,
              "houver e a previdência oficial paga no mês.                           "_cp,
              "Não ficam registrados os nomes das pessoas físicas pagadoras nem as   "_cp,
              "despesas do livro caixa. Para uma declaração completa use os modos    "_cp,
              "1)INDIVIDUAL ou 3)LIVRO CAIXA.                                        "});
    }
    case 3:
      return linhas({"Essa é a opção ideal para o preenchimento de declarações de "_cp,
              "profisionais liberais . Deve ser usada principalmente quando ", "houver a necessidade de fazer um livro caixa de verdade.   "});
    case 4:
      return linhas({"Essa opção faz a conta ao inverso. Informado o valor do imposto "_cp,
              "Dependentes/Previd/Pensão e/ou livro caixa é calculado o valor  "_cp, "do rendimento. Uma vêz calculado recomenda-se mudar a opção    "_cp,
              "para 2)SO OS TOTAIS e conferir os valores de cada mês.          "_cp});
    default:
      return {};
  }
}

}  // namespace grid

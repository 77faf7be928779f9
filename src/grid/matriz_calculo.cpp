// What a matrix cell change sets off: which cells may be edited, the recomputation after a
// change, the totals rows, the rural months' marks and the carnê-leão modes' texts.
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

namespace {

// The amount of a cell (0 for a text cell).
Decimal valor(const Celula& c) {
  const Decimal* v = std::get_if<Decimal>(&c);
  return v != nullptr ? *v : Decimal();
}

// The matrix line a row of MRENVAR stands for (the first two characters of its caption).
int linhaMercado(const Matrizes& m, int linha) {
  if (linha < 1 || linha > static_cast<int>(m.MRENVAR.size())) return 0;
  const auto* rotulo = std::get_if<std::string>(&m.MRENVAR[static_cast<std::size_t>(linha - 1)][1]);
  if (rotulo == nullptr) return 0;
  return static_cast<int>(Decimal::val(rt::text::alltrim(rt::text::substr(*rotulo, 1, 2))).wholePart());
}

// The cell of MRENVAR in `coluna` on the row of matrix line `linhaMatriz`, if shown.
const Celula* celulaMercado(const Matrizes& m, int linhaMatriz, int coluna) {
  for (std::size_t i = 0; i < m.MRENVAR.size(); ++i)
    if (linhaMercado(m, static_cast<int>(i) + 1) == linhaMatriz) return &m.MRENVAR[i][static_cast<std::size_t>(coluna)];
  return nullptr;
}

}  // namespace

void ServicosMatriz::grade(store::Contexto& ctx, Grade& g, int opc, int modo) { EDITA(ctx, g, opc, modo); }

bool celulaEditavel(const AmbienteMatriz& a, int opc, int linha, int coluna, std::string* motivo) {
  const auto diz = [motivo](std::string_view t) {
    if (motivo != nullptr) *motivo = std::string(t);
  };
  switch (opc) {
    case 7:
      // Column 1 is the month's name and row 13 the totals.
      return linha <= 12 && coluna >= 2;
    case 12:
      return linha <= 12;
    case 16: {
      if (linha > 12 || coluna < 2 || coluna > 6) return false;
      // In the individual and cash-book modes the months are the sums of their entries, written
      // again over the row when the screen is left: a value typed here would be thrown away.
      const int modo = a.calc.calAuto();
      if (modo == 1 || modo == 3) {
        diz("O valor do mês vem dos seus lançamentos: [Enter]=Preenche mensal"_cp);
        return false;
      }
      return true;
    }
    case 37:
      return linha <= 12 && coluna <= 2;
    case 14: {
      if (coluna < 2) return false;
      const int l = linhaMercado(a.m, linha);
      const int tipo = a.m.DAY_TRADE;
      const std::string_view proibido = "Não é permitido inserir valor nesse campo."_cp;
      if (tipo == 3) {
        if (l == 1 || l == 15 || l == 26) return true;
        diz(proibido);
        return false;
      }
      if (l >= 1 && l <= 13) return true;
      if (l == 24) {
        if (tipo == 2) {
          diz("Lance o valor do imposto pago na operaçao comum"_cp);
          return false;
        }
        const Celula* l20 = celulaMercado(a.m, 20, coluna);
        if (l20 != nullptr && valor(*l20).isNegative()) {
          diz("Não há imposto a pagar para lançar valor nesse campo."_cp);
          return false;
        }
        return true;
      }
      if (l == 26 && tipo == 2) {
        // The message is shown and the cell stays editable.
        diz("Lance o valor do imposto pago na operaçao comum"_cp);
        return true;
      }
      if (l >= 14 && l <= 26) return true;
      diz(proibido);
      return false;
    }
    default:
      return false;
  }
}

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

std::optional<std::string> recalculaCelula(AmbienteMatriz& a, int opc, int linha, int coluna, Decimal anterior) {
  switch (opc) {
    case 7:
      if (std::optional<std::string> recusa = FX_RT(a, "CALC_MENS", linha, coluna)) {
        a.m.CALC_MENS[static_cast<std::size_t>(linha)][static_cast<std::size_t>(coluna)] = anterior;
        return recusa;
      }
      break;
    case 12:
      a.srv.FX_GANHO(a.calc, a.m, linha);
      break;
    case 14:
      if (linha >= 1 && linha <= static_cast<int>(a.m.MRENVAR.size()))
        a.srv.SOMA_RENVAR(a.calc, a.m, coluna, valor(a.m.MRENVAR[static_cast<std::size_t>(linha - 1)][static_cast<std::size_t>(coluna)]));
      break;
    case 16: {
      // In the reverse mode a value beyond the deductions gives the month's income back.
      const bool inverso = a.calc.calAuto() == 4 && coluna > 3;
      // VE_LEAO has warned by itself when no bracket gives the tax back; only CALC_MENS's
      // totals refuse a value, and MARCA_NEG's answer is on the form.
      (void)taxcalc::VE_LEAO(a.calc, a.m.leao, linha, 1, inverso);
      // The totals row of this matrix: only the monthly matrix's totals refuse, and not here.
      (void)FX_RT(a, a.m.MATATU, linha, coluna);
      break;
    }
    case 37:
      // The rural totals never refuse a value.
      (void)FX_RT(a, "REND_RURAL", linha, coluna);
      MARCA_NEG(a);
      break;
    default:
      break;
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

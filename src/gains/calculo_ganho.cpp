#include <algorithm>

#include "gains/ganho.h"
#include "gains/reducao.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"

namespace gains {

using namespace rt::text::literals;
using rt::text::despreza;

namespace {

const Decimal kCem(100);

Decimal positivo(Decimal x) {
  return x > Decimal() ? x : Decimal();
}

// The real-estate chain: each cost row's share of the cost, its reductions and the sums.
void reducoesImovel(Ganho& g) {
  g.NREDUCAO = g.FATOR1 = g.FATOR2 = Decimal();
  for (CustoGanho& c : g.custos) {
    c.VALOR_REDU = c.RESUL_2 = c.RESUL_3 = Decimal();
    // An earlier year's sale had its reductions in the year of the sale: the taxable fraction
    // of its instalments already holds them.
    if (g.PEQ_VALOR || g.VENDAANT) continue;
    const Decimal r = despreza(c.PER_CUST / kCem * g.RESUL_I);
    c.VALOR_REDU = despreza(r * Decimal(c.PER_RED) / kCem);
    if (r > Decimal()) {
      Decimal fr1 = despreza(r * c.PER_RED1);
      Decimal fr2 = despreza((r - fr1) * c.PER_RED2);
      if (c.PER_RED > 0) {
        const Decimal resto = Decimal(100 - c.PER_RED) / kCem;
        fr1 = despreza(fr1 * resto);
        fr2 = despreza(fr2 * resto);
      }
      c.RESUL_2 = fr1;
      c.RESUL_3 = fr2;
    }
    g.NREDUCAO += c.VALOR_REDU;
    g.FATOR1 += c.RESUL_2;
    g.FATOR2 += c.RESUL_3;
  }
  // Decimal division by 0 gives 0: a 100% reduction has no factors left.
  g.PER_RED1 = despreza(g.FATOR1 / (g.RESUL_I - g.NREDUCAO), 6);
  g.PER_RED2 = despreza(g.FATOR2 / (g.RESUL_I - g.NREDUCAO - g.FATOR1), 6);
}

// Shareholdings: the movements in key order give the weighted average cost, stored as its
// field holds it (4 decimals) so that every reader computes with the same figure.
void custoAcoes(Ganho& g) {
  Decimal saldo, pool, media, vendido;
  for (CustoGanho& c : g.custos) {
    if (c.TIPO_OPER == Saldo || c.TIPO_OPER == Aquisicao) {
      saldo += c.MOV_ACAO;
      pool += c.VALOR_CUST;
      media = despreza(pool / saldo, 4);
    } else if (c.TIPO_OPER == Alienacao) {
      const Decimal custo = despreza(c.MOV_ACAO * media);
      vendido += custo;
      saldo -= c.MOV_ACAO;
      pool -= custo;
    }
    c.SALDO_ACAO = saldo;
    c.CM_PONDER = media;
  }
  g.custoTotal = g.VENDAANT ? despreza((Decimal(1) - g.PER_TRI) * g.VAL_RECOL) : vendido;
}

}  // namespace

bool Ganho::permutaComTorna() const {
  return rt::text::upper(rt::text::alltrim(NATUOPER)) == "PERMUTA COM TORNA";
}

Decimal Ganho::aliquota() const {
  return fundo() ? Decimal::fromRaw(Decimal::kScale / 5) : Decimal::fromRaw(Decimal::kScale * 15 / 100);
}

void FCUS_TOT(Ganho& g) {
  g.PER_RED = 0;
  if (g.TIPO_BEM == Participacao) {
    custoAcoes(g);
    g.RESUL_I = g.VAL_ALI - g.custoTotal;
    return;
  }
  if (!g.PARCOMPRA) {
    if (g.custos.empty()) g.custos.emplace_back();
    g.custos.front().VALOR_CUST = g.CUS_ATUAL;
    g.custos.front().DATA_CUST = g.DATA_ADQ;
  }
  Decimal total;
  for (CustoGanho& c : g.custos) {
    c.PER_RED = 0;
    c.PER_RED1 = c.PER_RED2 = Decimal();
    if (g.TIPO_BEM == Imovel) {
      c.PER_RED = FPER_RED(g.PARCOMPRA ? c.DATA_CUST : g.DATA_ADQ, g.VENDAANT);
      if (!g.VENDAANT) {
        const FatoresReducao f = CALC_RED(c.DATA_CUST, g.DATA_ALI);
        if (f.dataInvalida) g.avisos.push_back({"Data invalida. Posterior ao mes da venda"});
        c.PER_RED1 = f.PER_RED1;
        c.PER_RED2 = f.PER_RED2;
      }
    }
    total += c.VALOR_CUST;
  }
  if (g.TIPO_BEM == Imovel) g.PER_RED = FPER_RED(g.DATA_ADQ, g.VENDAANT);
  for (CustoGanho& c : g.custos) c.PER_CUST = despreza(c.VALOR_CUST / total * kCem, 6);
  g.custoTotal = total;
  if (g.permutaComTorna()) {
    const Decimal parte = despreza(g.VAL_ALI / (g.CUS_ATUAL + g.VAL_ALI), 4);
    g.custoTotal = despreza(g.CUS_ATUAL * parte);
    g.avisos.push_back(
        {std::string("Atençao! Ao informar o valor do Bem objeto dessa torna"_cp),
         "na coluna de 2009 o valor deve  ser R$ " +
             std::string(rt::text::alltrim(rt::text::transform(g.custoTotal, "@E 999,999,999.99")))});
  }
  g.RESUL_I = g.VAL_ALI - g.custoTotal;
  if (g.TIPO_BEM == Imovel) {
    reducoesImovel(g);
  } else {
    g.NREDUCAO = g.FATOR1 = g.FATOR2 = g.PER_RED1 = g.PER_RED2 = Decimal();
  }
}

void CALC_LUCRO(Ganho& g) {
  g.VAL_TRIBU = g.VAL_IMPOS = g.VAL_NAOTRI = g.reinvestido = Decimal();
  if (g.PEQ_VALOR) {
    g.VAL_NAOTRI = positivo(g.RESUL_I);
    return;
  }
  if (g.TIPO_BEM == Imovel && g.PER_RED == 100 && !g.PARCOMPRA) {
    g.VAL_NAOTRI = positivo(g.RESUL_I);
    return;
  }
  if (g.TIPO_BEM == Imovel && g.VENDAANT && g.PER_TRI > Decimal()) {
    g.VAL_ALI = g.VAL_RECOL;
    g.custoTotal = despreza((Decimal(1) - g.PER_TRI) * g.VAL_ALI);
    g.VAL_TRIBU = g.VAL_ALI - g.custoTotal;
    g.VAL_IMPOS = despreza(positivo(g.VAL_TRIBU) * g.aliquota());
    return;
  }
  if (g.TIPO_BEM == Imovel) {
    Decimal ganho = g.RESUL_I > Decimal() ? g.RESUL_I - g.NREDUCAO - g.FATOR1 - g.FATOR2 : Decimal();
    if (g.PERART31 > Decimal()) {
      g.reinvestido = despreza(ganho * g.PERART31 / kCem);
      ganho -= g.reinvestido;
    }
    g.VAL_TRIBU = ganho;
    g.VAL_IMPOS = despreza(positivo(ganho) * g.aliquota());
    g.VAL_NAOTRI = positivo(g.NREDUCAO + g.FATOR1 + g.FATOR2 + g.reinvestido);
    return;
  }
  g.VAL_TRIBU = positivo(g.RESUL_I);
  g.VAL_IMPOS = despreza(g.VAL_TRIBU * g.aliquota());
}

void FPER_TRI(Ganho& g) {
  if (g.VENDAANT || g.DATA_ALI.year() != 2009) return;
  g.PER_TRI = despreza(g.VAL_TRIBU / g.VAL_ALI, 5);
}

void FX_GANHO(Ganho& g, int mes) {
  if (mes < 1 || mes > 12) return;
  const auto i = static_cast<std::size_t>(mes - 1);
  Decimal ganho, imposto;
  if (!g.PEQ_VALOR) {
    if (g.PERART31 > Decimal() || g.VENDAANT) {
      ganho = despreza(g.recebido[i] * g.PER_TRI);
      ganho -= despreza(ganho * g.PERART31 / kCem);
      imposto = despreza(ganho * Decimal::fromRaw(Decimal::kScale * 15 / 100));
    } else {
      ganho = despreza(g.recebido[i] * despreza(g.PER_TRI, 4));
      imposto = despreza(ganho * g.aliquota());
    }
  }
  g.ganhoMes[i] = ganho;
  g.impostoMes[i] = imposto;
}

void FCALGAN(Ganho& g) {
  g.avisos.clear();
  FCUS_TOT(g);
  CALC_LUCRO(g);
  FPER_TRI(g);
  if (!g.VEN_PRAZO) {
    g.ganhoMes = g.impostoMes = Meses{};
    return;
  }
  Decimal ano;
  for (int mes = 1; mes <= 12; ++mes) {
    FX_GANHO(g, mes);
    ano += g.ganhoMes[static_cast<std::size_t>(mes - 1)];
  }
  // Other kinds sold in instalments are taxed on the year's received gain.
  if (g.TIPO_BEM != Imovel && !g.PEQ_VALOR) {
    g.VAL_TRIBU = ano;
    g.VAL_IMPOS = despreza(ano * g.aliquota());
  }
}

}  // namespace gains

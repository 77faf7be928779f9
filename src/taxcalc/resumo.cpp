#include "taxcalc/resumo.h"

#include <algorithm>
#include <string>

#include "rt/text/cp860.h"
#include "rt/text/transform.h"
#include "taxcalc/imposto.h"
#include "taxcalc/tax_year.h"

namespace taxcalc {

using rt::text::despreza;
using namespace rt::text::literals;

namespace {

Decimal menor(Decimal a, Decimal b) {
  return std::min(a, b);
}
Decimal positivo(Decimal a) {
  return std::max(a, Decimal());
}

Decimal soma(const Contexto& c, std::initializer_list<const char*> campos) {
  Decimal s;
  for (const char* n : campos) s += c.num(n);
  return s;
}

// The simplified discount: 20% of the taxable income, no more than NDESCPRAD.
Decimal descontoPadrao(const Contexto& c) {
  return menor(despreza(c.num("I13_07") * 0.2_d), NDESCPRAD);
}

// I13_27 under the simplified model: no domestic employer's social security and no tax paid
// abroad, as the simplified summary counts it.
Decimal pagoSimplificado(Contexto& c) {
  c.poe("I13_20", Decimal());
  return soma(c, {"I13_21", "I13_22", "I13_23", "I13_24", "I13_26"});
}

void semParcelas(Contexto& c) {
  c.poe("I13_29", Decimal());
  c.poe("I13_30", Decimal());
  c.d.registro.txt("DEBITAUT", " ");
}

// The quotas of I13_28: the most is one per 50.00, between 1 and 8; an empty or too large
// I13_29 takes the most. An estate's final declaration is never split.
void parcelas(Contexto& c) {
  const Decimal aPagar = c.num("I13_28");
  if (aPagar <= Decimal()) return semParcelas(c);
  std::int64_t n = std::clamp<std::int64_t>(rt::text::truncate(aPagar / 50, 0).wholePart(), 1, 8);
  const std::int64_t pedidas = c.num("I13_29").wholePart();
  if (pedidas < 1 || pedidas > n) {
    if (n == 1) c.d.registro.txt("DEBITAUT", " ");
  } else {
    n = pedidas;
  }
  if (c.declaracaoFinal() && n > 1) {
    const std::string linhas[] = {std::string("  ATENÇAO! Não é permitido o"_cp),
                                  std::string("parcelamento em declaração final"_cp)};
    c.saida.aviso(linhas);
    n = 1;
    c.d.registro.txt("DEBITAUT", " ");
  }
  c.poe("I13_29", Decimal::fromInt(n));
  c.poe("I13_30", despreza(aPagar / Decimal::fromInt(n)));
}

}  // namespace

Decimal FI13_07(Contexto& c) {
  Decimal v = soma(c, {"I13_01", "I13_02", "I13_03", "I13_04", "I13_05", "I13_06"});
  c.poe("I13_07", v);
  return v;
}

Decimal FI13_09(Contexto& c) {
  Decimal v = menor(c.v.I13_09T, despreza(c.num("I13_07") * 0.12_d));
  c.poe("I13_09", v);
  return v;
}

Decimal FI13_10(Contexto& c) {
  Decimal v = c.v.N_DEPEN * NVALDEPEN * 12;
  c.poe("I13_10", v);
  return v;
}

Decimal FI13_15(Contexto& c) {
  Decimal v = soma(c, {"I13_08", "I13_09", "I13_10", "I13_11", "I13_12", "I13_13", "I13_14"});
  c.poe("I13_15", v);
  c.v.LIMMAX = positivo(c.num("I13_07") - v);
  return v;
}

ModeloCompleto modeloCompleto(Contexto& c) {
  ModeloCompleto m;
  m.imposto = CALC_IMPOS(c, 1, c.num("I13_07") - c.num("I13_15"));
  m.incentivos = menor(menor(c.v.I13_18T, despreza(m.imposto * 0.06_d)), m.imposto);
  m.devido = m.imposto - m.incentivos;
  m.domestico = menor(menor(c.v.I13_20T, m.devido), NMAXINSS);
  return m;
}

void FI13_16(Contexto& c, int modo) {
  const Decimal renda = c.num("I13_07");
  c.poe("DESPADRAO", descontoPadrao(c));
  FI13_15(c);
  // Both taxes from this run's figures: the complete model's incentives and domestic
  // employer's share are those its own tax allows.
  ModeloCompleto m = modeloCompleto(c);
  c.v.NCOMPL = m.imposto - m.incentivos - m.domestico;
  c.v.NSIMPL = CALC_IMPOS(c, 1, renda - c.num("DESPADRAO"));

  if (c.completo()) {
    if (c.v.NSIMPL < c.v.NCOMPL && !c.declaracaoFinal()) {
      // A rural loss can be carried only under the complete model: the hint is not given while
      // one is being compensated or the rural result is not a profit.
      const bool rural = c.d.registro.txt("TEMRURAL") == "S";
      if (!rural || (c.d.rural.num("I4R_04").isZero() && c.d.rural.num("I4R_07") > Decimal()))
        c.saida.rodape("ATENCAO! E'mais vantajoso usar o formulário simples"_cp);
    }
    c.v.DESCON = c.num("I13_15");
  } else {
    c.v.DESCON = c.num("DESPADRAO");
    if (c.v.NSIMPL > c.v.NCOMPL && renda > Decimal()) {
      if (modo == 1) c.saida.alerta(" Não é vantajoso utilizar o desconto padrão."_cp);
      if (modo == 1 || modo == 2) c.saida.rodape("ATENCAO! E'mais vantajoso usar o formulário completo"_cp);
    }
    if (renda <= Decimal()) c.v.DESCON = Decimal();
  }
  c.poe("I13_16", positivo(renda - c.v.DESCON));
}

Decimal FI13_17(Contexto& c) {
  Decimal v = CALC_IMPOS(c, 1, c.num("I13_16"));
  c.poe("I13_17", v);
  return v;
}

Decimal FI13_18(Contexto& c) {
  Decimal v;
  if (!c.simplificado()) {
    const Decimal imposto = c.num("I13_17");
    v = menor(menor(c.v.I13_18T, despreza(imposto * 0.06_d)), imposto);
  }
  c.poe("I13_18", v);
  return v;
}

Decimal FI13_19(Contexto& c) {
  Decimal v = c.simplificado() ? c.num("I13_17") : c.num("I13_17") - c.num("I13_18");
  c.poe("I13_19", v);
  return v;
}

Decimal FI13_20(Contexto& c) {
  Decimal v;
  if (!c.simplificado()) v = menor(menor(c.v.I13_20T, c.num("I13_19")), NMAXINSS);
  c.poe("I13_20", v);
  return v;
}

Decimal FI13_25(Contexto& c, Decimal valor) {
  // The tax with the foreign income, less the incentives already granted ...
  const Decimal com = CALC_IMPOS(c, 1, c.num("I13_16")) - c.num("I13_18");
  // ... and the tax the declaration would owe without it, with the private pension's limit
  // and the incentives taken again for that income.
  const Decimal renda = c.num("I13_07") - c.num("I13_05");
  const Decimal deducoes = c.num("I13_08") + menor(c.v.I13_09T, despreza(renda * 0.12_d)) +
                           soma(c, {"I13_10", "I13_11", "I13_12", "I13_13", "I13_14"});
  const Decimal imposto = CALC_IMPOS(c, 1, renda - deducoes);
  const Decimal sem = imposto - menor(c.v.I13_18T, despreza(imposto * 0.06_d));
  const Decimal limite = com - sem;

  Decimal v = valor;
  if (limite <= Decimal()) {
    v = Decimal();
  } else if (valor > limite) {
    const std::string linhas[] = {std::string("O imposto pago no exterior não pode execeder a diferença"_cp),
                                  std::string("entre o imposto devido com esses rendimentos e sem eles."),
                                  std::string("Esse limite é de R$"_cp) +
                                      rt::text::transform(limite, "@EZ 999,999.99") +
                                      std::string(". O TAVREN irá assumí-lo."_cp)};
    c.saida.aviso(linhas);
    v = limite;
  }
  c.poe("I13_25", v);
  FI13_27(c);
  FI13_3126(c);
  FI13_29(c, 0);
  return v;
}

Decimal FI13_27(Contexto& c) {
  Decimal v = c.simplificado()
                  ? pagoSimplificado(c)
                  : soma(c, {"I13_20", "I13_21", "I13_22", "I13_23", "I13_24", "I13_25", "I13_26"});
  c.poe("I13_27", v);
  return v;
}

void FI13_3126(Contexto& c) {
  const Decimal saldo = c.num("I13_19") - c.num("I13_27");
  c.d.registro.num("IMPPGRE", saldo);
  c.poe("I13_28", positivo(saldo));
  c.poe("I13_31", positivo(-saldo));
}

void FI13_29(Contexto& c, int show) {
  parcelas(c);
  if (show == 1) c.saida.mostra(Quadro::Parcelas);
}

void FPARCELA(Contexto& c, int show) {
  parcelas(c);
  if (show == 1) c.saida.mostra(Quadro::Parcelas);
}

void SOMA_TRIBENAO(Contexto& c, int show) {
  c.poe("I13_37", soma(c, {"I3_01", "I3_02", "I3_03", "I3_04", "I3_05", "I3_06", "I3_07", "I3_08", "I3_09",
                           "I3_10", "I3_11", "I3_12", "I3_13", "I3_14"}));
  c.poe("I13_38", soma(c, {"I4_01", "I4_02", "I4_03", "I4_04", "I4_05", "I4_06"}));
  if (show == 1) c.saida.mostra(Quadro::Isentos);
}

void CSIMPLES(Contexto& c, int modo, int show) {
  if (modo == 1) {
    c.poe("DESPADRAO", descontoPadrao(c));
    c.poe("I13_16", positivo(c.num("I13_07") - c.num("DESPADRAO")));
    const Decimal imposto = CALC_IMPOS(c, 1, c.num("I13_16"));
    c.poe("I13_17", imposto);
    c.poe("I13_18", Decimal());
    c.poe("I13_19", imposto);
    c.poe("I13_27", pagoSimplificado(c));
    FI13_3126(c);
  }
  FPARCELA(c, show);
  if (modo == 1) FI13_16(c, 2);
}

Decimal FI13_39(Contexto& c) {
  return c.num("I13_39");
}

}  // namespace taxcalc

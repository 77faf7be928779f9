#include "taxcalc/gravacoes.h"
#include "taxcalc/balanco.h"

#include <algorithm>
#include <string>

#include "rt/text/cp860.h"
#include "rt/text/muldiv.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"
#include "taxcalc/imposto.h"
#include "taxcalc/resumo.h"
#include "taxcalc/tax_year.h"

namespace taxcalc {

using rt::text::despreza;
using namespace rt::text::literals;

namespace {

Decimal soma(const Contexto& c, std::initializer_list<const char*> campos) {
  Decimal s;
  for (const char* n : campos) s += c.num(n);
  return s;
}

// The tax of the simplified model on an income: the discount is 20%, at most NDESCPRAD.
Decimal impostoSimplificado(Decimal renda) {
  const Decimal desconto = std::min(despreza(renda * 0.2_d), NDESCPRAD);
  return tabelaProgressiva(renda - desconto);
}

}  // namespace

Decimal percentualBalanco(Decimal parte, Decimal todo) {
  return despreza(rt::text::mulDiv(parte, Decimal(100), todo, -99.99_d, 999.99_d));
}

Decimal VE_SALDO(Contexto& c) {
  FI13_07(c);
  const Variaveis& v = c.v;
  c.v.RECEITA = c.d.registro.num("I9_3") + v.I10_2 + c.num("EMPREST") + c.num("EMPRUR") + c.num("OUTREC") +
                c.num("ENTRADGP") - c.num("ISENTNAO") + v.NEXIGI + c.num("I13_07") + c.num("I13_37") +
                c.num("I13_38") + c.num("I13_39") - c.num("I4_03") + c.num("LUCRRVA");
  Decimal despesa =
      c.num("IMPOANTER") + (c.num("I13_27") - c.num("I13_20")) + c.num("I13_39") + c.num("I13_40") +
      c.num("I13_41") + v.I10_1 +
      soma(c, {"AMORUR", "PREJRVA", "PREJVEN1", "PREJRUR", "DESPNAO", "OUTRDES", "CUSTOANO", "CUSTOANT"});
  if (c.simplificado())
    despesa += c.num("DESPADRAO") + v.DESPSIMP;
  else
    despesa += c.num("DESPDECLA") + c.num("I13_08") + c.num("I13_10") + c.num("I13_14");
  c.v.DESPESA = despesa;
  const Decimal saldo = c.v.RECEITA - despesa;
  c.d.registro.num("SALDO", saldo);
  return saldo;
}

Decimal POERESTO(Contexto& c, int primeiro) {
  struct Linha {
    const char* texto;
    Decimal valor;
  };
  const Variaveis& v = c.v;
  const Linha linhas[] = {
      {"Despesas com instrucao", v.I13_11T},
      {"Despesas medicas e/ou hospitalares", c.num("I13_12")},
      {"Pensao alimenticia", c.num("I13_13")},
      {"Doacoes e incentivos a cultura", v.I13_18T},
      {"Salario Anual do Empregado+INSS", v.NTOTEMPREG},
      {"Doacoes a Partidos/Candidatos Politicos", v.NPARTIDO},
      {"Advogados, Engenheiros etc", v.NADVOGADO},
      {"Alugueis e Arrendamentos rurais", v.NALUGUEL},
      {"Outros", v.NOUTROS},
      {"Doacoes em especie ou Bens", v.NDOABENS},
      {"Valor usado para ajustes no caixa", v.NAJUSTE},
  };
  rt::db::Table* t = c.areas.table(68);
  Gravacoes grava(c.saida);
  Decimal total;
  for (std::size_t i = primeiro == 1 ? 0 : 5; i < std::size(linhas); ++i) {
    const Linha& l = linhas[i];
    if (l.valor <= Decimal()) continue;
    total += l.valor;
    if (t == nullptr || !grava.confere(t->appendBlank(), "a análise do caixa"_cp)) continue;
    grava.put(*t, "DESCRICAO", std::string(l.texto));
    grava.put(*t, "VALORDOC", l.valor);
    grava.put(*t, "PERCDESP", percentualBalanco(l.valor, c.v.DESPESA));
    grava.put(*t, "PERCRECE", percentualBalanco(l.valor, c.v.RECEITA));
  }
  return total;
}

Decimal limiarDescontoPadrao() {
  return tabelaProgressiva(NDESCPRAD * 4);
}

bool SIMUL(Contexto& c, Simulacao& s, int modo) {
  switch (modo) {
    case 1: {
      if (s.NSDEDUCAO <= Decimal()) return true;
      const Decimal t = CALC_IMPOS(c, 1, c.num("I13_16") - s.NSDEDUCAO);
      const Decimal incentivo = despreza(std::min(c.v.I13_18T, despreza(t * 0.06_d)) * 1.06_d);
      s.NSIMPOSTO = t - incentivo - c.num("I13_27");
      return true;
    }
    case 2: {
      const Decimal pago = c.num("I13_27");
      if (s.NSIMPOSTO < Decimal() && -s.NSIMPOSTO > pago) {
        c.saida.alerta(std::string("O valor máximo de restituiçao de imposto é R$"_cp) +
                       rt::text::transform(pago, "@Ez 99,999,999.99"));
        return false;
      }
      const Decimal imposto = s.NSIMPOSTO;
      if (imposto >= limiarDescontoPadrao()) {
        // The discount is at its cap: income = (tax + deduction + cap x rate) / rate.
        s.NSRECEITA = despreza((imposto + NDEDUAN4 + NDESCPRAD * 0.275_d) / 0.275_d);
        return true;
      }
      struct Faixa {
        Decimal aliquota, deducao;
      };
      const Faixa faixas[] = {
          {0.275_d, NDEDUAN4}, {0.225_d, NDEDUAN3}, {0.15_d, NDEDUAN2}, {0.075_d, NDEDUAN1}};
      Decimal renda;
      for (const Faixa& f : faixas) {
        renda = despreza((imposto + f.deducao) / (f.aliquota * 0.8_d));
        if (rt::text::str(impostoSimplificado(renda), 12, 2) == rt::text::str(imposto, 12, 2)) break;
      }
      s.NSRECEITA = renda;
      return true;
    }
    case 3: {
      // The complete model: the balance typed plus the tax paid is the tax due wanted; the
      // tax before the incentives is found first (the incentive is 6% of it while I13_18T
      // covers that, else all of I13_18T), then the base that the table taxes so, then the
      // income: the base plus the deductions, the private pension taken again as 12% of the
      // income (no more than was paid) until it no longer changes.
      const Decimal devido = s.NSIMPOSTO + c.num("I13_27");
      Decimal t = despreza(devido / 0.94_d);
      if (despreza(t * 0.06_d) > c.v.I13_18T) t = devido + c.v.I13_18T;
      struct Faixa {
        Decimal aliquota, deducao;
      };
      const Faixa faixas[] = {
          {0.275_d, NDEDUAN4}, {0.225_d, NDEDUAN3}, {0.15_d, NDEDUAN2}, {0.075_d, NDEDUAN1}};
      Decimal base;
      for (const Faixa& f : faixas) {
        base = despreza((t + f.deducao) / f.aliquota);
        if (rt::text::str(CALC_IMPOS(c, 1, base), 12, 2) == rt::text::str(t, 12, 2)) break;
      }
      const Decimal outras = c.num("I13_15") - c.num("I13_09");
      Decimal renda = base + c.num("I13_15");
      for (int volta = 0; volta < 50; ++volta) {
        const Decimal nova = base + outras + std::min(c.v.I13_09T, despreza(renda * 0.12_d));
        if (nova == renda) break;
        renda = nova;
      }
      s.NSRECEITA = renda;
      return true;
    }
    case 4:
      s.NSIMPOSTO = impostoSimplificado(s.NSRECEITA);
      return true;
    default:
      return true;
  }
}

}  // namespace taxcalc

#include "taxcalc/gravacoes.h"
#include "taxcalc/calc.h"

#include <string>

#include "rt/text/cp860.h"
#include "rt/text/muldiv.h"
#include "rt/text/strings.h"
#include "taxcalc/imposto.h"
#include "taxcalc/pagamentos.h"
#include "taxcalc/patrimonio.h"
#include "taxcalc/rendimentos.h"
#include "taxcalc/resumo.h"

namespace taxcalc {

using namespace rt::text::literals;

namespace {

// The monthly self-assessed tax on the other side first (the current income row's I1_11
// inverted), then on its own side again.
void leaoDosDoisLados(Contexto& c, int show) {
  rt::db::Table* t = c.areas.table(22);
  const bool temLinha = t != nullptr && !t->eof() && t->recNo() > 0;
  std::string lado;
  Gravacoes grava(c.saida);
  if (temLinha) {
    lado = t->getText("I1_11");
    grava.put(*t, "I1_11", std::string(lado == "S" ? "N" : "S"));
  }
  c.d.LEAO_CAL = false;
  c.vizinhos.FDE_LEAO(c, show);
  if (temLinha) grava.put(*t, "I1_11", lado);
  c.d.LEAO_CAL = false;
  c.vizinhos.FDE_LEAO(c, show);
}

void ganhosIsentos(Contexto& c, int show) {
  c.v.I3_04D = c.num("I3_04GCPV") + c.num("I3_04UNIC") + c.num("I3_04REDU") + c.num("I3_04EXTR");
  c.v.I3_04C = c.num("I3_04GCPVC") + c.num("I3_04UNICC") + c.num("I3_04REDUC");
  c.poe("I3_04", c.v.I3_04D + c.v.I3_04C);
  if (show == 1) c.saida.mostra(Quadro::GanhosIsentos);
}

// INDGAS, the balance as a percent of the resources, kept within what its N6.2 field holds:
// below -99.99 it is -99.99, above 999.99 it is 999.
void indiceDeGastos(Contexto& c) {
  Decimal ind = rt::text::despreza(rt::text::mulDiv(c.d.registro.num("SALDO"), 100, c.v.RECEITA, -1000, 1000));
  if (ind < -99.99_d) ind = -99.99_d;
  if (ind > 999.99_d) ind = Decimal(999);
  c.d.registro.num("INDGAS", ind);
}

// The deduction lines as the rows stand now. Both models need them: the complete one to
// compute its tax, the simplified one to compare itself with it.
void deducoes(Contexto& c) {
  NRODP(c);
  FI13_09(c);
  FI13_10(c);
  FI13_11(c);
}

void resumoSimplificado(Contexto& c, int show) {
  c.v.LTEMPRAD = true;
  deducoes(c);
  FI13_16(c, show);
  FI13_17(c);
  FI13_18(c);
  FI13_19(c);
  FI13_20(c);
  FI13_27(c);
  FI13_3126(c);
  FI13_29(c, show);
  SOMA_TRIBENAO(c, 0);
  if (show == 1) c.saida.mostra(Quadro::ResumoSimplificado);
}

void resumoCompleto(Contexto& c, int show) {
  c.v.LTEMPRAD = false;
  deducoes(c);
  FI13_15(c);
  FI13_16(c, 1);
  FI13_17(c);
  FI13_18(c);
  FI13_19(c);
  FI13_20(c);
  FI13_25(c, c.num("I13_25"));
  FI13_27(c);
  FI13_3126(c);
  FI13_29(c, show);
  SOMA_TRIBENAO(c, 0);
  if (show == 1) {
    c.poe("DESPADRAO", Decimal());
    c.saida.mostra(Quadro::ResumoCompleto);
  }
}

void resumo(Contexto& c, int show) {
  // Automatic debit of a single quota is possible only up to the quota's due date.
  if (c.num("I13_29") == Decimal(1) && c.hoje() > rt::text::Date::fromYmd(2010, 4, 1))
    c.d.registro.txt("DEBITAUT", " ");
  // The tax is computed on the taxable income as the lines stand now.
  FI13_07(c);
  const bool simplificado = c.simplificado();
  if (simplificado)
    resumoSimplificado(c, show);
  else
    resumoCompleto(c, show);

  c.vizinhos.VE_SALDO(c);
  indiceDeGastos(c);
  if (show == 1) {
    const bool problema =
        c.d.registro.num("SALDO") <= Decimal() || c.d.registro.num("INDGAS") < c.num("INDALERTA");
    if (problema)
      c.saida.caixa(simplificado ? "ATENÇAO!! PROBLEMAS NO CAIXA"_cp : "ATENÇAO!! PROB. CAIXA"_cp, true);
    else
      c.saida.caixa(rt::text::replicate("─"_cp, simplificado ? 27 : 21), false);
  }
}

}  // namespace

bool CALC(Contexto& c, int n, int show) {
  switch (n) {
    case 1:
      leaoDosDoisLados(c, show);
      break;
    case 2:
      c.vizinhos.FDE_LEAO(c, show);
      break;
    case 3:
      SOMA_TRIBENAO(c, show);
      break;
    case 4:
      FDE_TUDO(c, show);
      break;
    case 5:
      ganhosIsentos(c, show);
      break;
    case 6:
      c.poe("I13_08", c.num("CARNEINSS") + c.num("CARNEDEPEN") + c.num("PREVIDENC"));
      break;
    case 7:
      resumo(c, show);
      break;
    default:
      break;
  }
  return true;
}

EscolhaModelo CONF_PADR(Contexto& c) {
  std::string_view modelo = rt::text::alltrim(c.d.registro.txt("USAPADRAO"));
  if (modelo.empty()) {
    c.d.registro.txt("USAPADRAO", "S");
    return {true, true};
  }
  if (modelo == "N") {
    FI13_16(c, 3);
    return {true, false};
  }
  if (modelo == "S") {
    if (c.d.rural.num("I4R_03") < Decimal()) {
      const std::string linhas[] = {
          std::string("Atençao! Esse contribuinte esta com prejuízo na Atividade Rural"_cp),
          std::string("e se optar pela declaraçao simplificada NAO podera compensar."_cp),
          std::string("esse prejuizo no proximo ano. Muda mesmo assim para o simples?")};
      if (!c.saida.pergunta(linhas, false)) {
        c.d.registro.txt("USAPADRAO", "N");
        return {false, false};
      }
    }
    // PREJ_RUR: an earlier rural loss can be compensated only under the complete model.
    if (c.d.rural.num("I4R_04") > Decimal()) {
      const std::string linhas[] = {
          std::string("Atençao! Esse contribuinte esta compensando prejuízo na Atividade Rural"_cp),
          std::string("e nao pode optar pela declaraçao simplificada se desejar compensar."_cp),
          std::string("Se mudar para simplificada o programa ira zerar o prejuizo anterior"),
          std::string("  Muda mesmo assim para o simples?")};
      if (!c.saida.pergunta(linhas, false)) {
        c.d.registro.txt("USAPADRAO", "N");
        return {true, false};
      }
      c.d.rural.num("I4R_04", Decimal());
      c.vizinhos.recalculaRural(c);
    }
    return {true, true};
  }
  FI13_16(c, 3);
  CALC(c, 7, 1);
  return {true, false};
}

void BALANCO(Contexto& c) {
  NRODP(c);
  CALC(c, 1, 2);
  // The income totals, whether or not the monthly tax's own pass has run them.
  FI1_T(c, 0);
  CALC(c, 3, 0);
  CALC(c, 4, 2);
  FI7_T(c, 0);
  FI8_T(c, 0);
  TOTALDESP(c);
  c.vizinhos.conferenciaLeao(c);
  CALC(c, 7, 0);
  c.vizinhos.dadosConjuge(c);
}

}  // namespace taxcalc

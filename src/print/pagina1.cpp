// Sheet 1: the identification or page header, the legal-entity incomes of the titular and of
// the dependants, and the monthly tables of income from individuals and from abroad.
#include <array>

#include "print/folha.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"

namespace print {

using rt::text::transform;

namespace {

constexpr store::Area kRendas = store::Area::TMP_02;
constexpr store::Area kLeao = store::Area::TMP_12;

bool suspensa(const rt::db::Table& t) { return t.getNumber("I1_19") > Decimal() || t.getNumber("I1_20") > Decimal(); }

// SOMAREN: the row's nine amounts onto the carried subtotals.
void SOMAREN(Folha& f, const rt::db::Table& t) {
  f.I1_4 += t.getNumber("I1_4");
  f.I1_6 += t.getNumber("I1_6");
  f.I1_5 += t.getNumber("I1_5");
  f.I1_7 += t.getNumber("I1_7");
  f.I1_9 += t.getNumber("I1_9");
  f.I1_10 += t.getNumber("I1_10");
  f.I1_12 += t.getNumber("I1_12");
  f.I1_13 += t.getNumber("I1_13");
  f.I1_15 += t.getNumber("I1_15");
}

void totaisDaRenda(Folha& f) {
  Pagina& p = f.pag;
  p.valor(64, f.I1_4);
  p.valor(81, f.I1_6);
  p.valor(102, f.I1_5);
  p.valor(117, f.I1_7);
  p.avanca();
}

// TRIBUPJ(k): the legal-entity incomes of the titular (k 1) or of the dependants (k 2).
void TRIBUPJ(Folha& f, int k) {
  Pagina& p = f.pag;
  const std::string tipo = k == 1 ? "J" : "D";
  f.I1_4 = f.I1_5 = f.I1_6 = f.I1_7 = f.I1_9 = f.I1_10 = f.I1_12 = f.I1_13 = f.I1_15 = Decimal();
  f.tipoRenda = tipo;
  const std::string pelo = k == 1 ? " TITULAR" : "S DEPENDENTES";
  p.normal();
  p.linha(0, "RENDIMENTOS TRIBUTAVEIS RECEBIDOS DE PESSOAS JURIDICAS PELO" + pelo);
  p.linha(0, f.imp.LIN_DIV1);
  // The rows with a suspended amount belong to sheet 2: without another row of the kind the
  // form says there is nothing.
  bool temLinha = false;
  paraCadaLinha(f.ctx, kRendas, [&](rt::db::Table& t) {
    if (t.getText("I1_1") == tipo && !suspensa(t)) temLinha = true;
  });
  if (!temLinha && f.QUEIMP == 1) {
    p.linha(0, "Sem informacoes");
    p.linha(0, f.imp.LIN_DIV1);
    return;
  }
  p.condensado();
  if (k == 1) {
    p.diz(0, "CNPJ/CPF da principal fonte pagadora:");
    p.linha(38, f.m.txt("CGCPAGADOR"));
    p.linha(0, f.imp.LIN_DIV2);
  }
  p.linha(0,
          "       NOME DA FONTE PAGADORA               CNPJ/CPF          RENDIM ou LUCRO    CONTR.PREVID.    "
          "IMPOSTO NA FONTE    13ro SALARIO");
  p.linha(0, f.imp.LIN_DIV2);
  int impressas = 0;
  std::string grupo;
  paraCadaLinha(f.ctx, kRendas, [&](rt::db::Table& t) {
    if (t.getText("I1_1") != tipo || suspensa(t)) return;
    // The dependants' rows come in runs of one CPF, in table order.
    if (k == 2 && (impressas == 0 || t.getText("I1_8") != grupo)) {
      grupo = t.getText("I1_8");
      p.diz(0, "CPF do dependente:");
      p.linha(19, transform(grupo, kCpf));
    }
    p.diz(0, rt::text::left(t.getText("I1_2"), 40));
    p.diz(42, t.getText("I1_3"));
    const bool lucro = t.getNumber("I1_4").isZero() && t.getNumber("I1_15") > Decimal();
    p.diz(62, lucro ? "L" : "R");
    p.valor(64, lucro ? t.getNumber("I1_15") : t.getNumber("I1_4"));
    p.valor(81, t.getNumber("I1_6"));
    p.valor(102, t.getNumber("I1_5"));
    p.valor(117, t.getNumber("I1_7"));
    p.avanca();
    SOMAREN(f, t);
    ++impressas;
    if (p.passou(3)) CABEC_PAG(f, 1);
  });
  if (impressas == 0 && f.QUEIMP == 2)
    for (int i = 0; i < 3; ++i) p.avanca();
  p.linha(0, f.imp.LIN_DIV2);
  p.diz(0, "TOTAL");
  totaisDaRenda(f);
  if (f.I1_15 > Decimal()) {
    p.diz(0, "TOTAL LUCRO DISTRIBUIDO");
    p.valor(64, f.I1_15);
    p.avanca();
  }
  p.normal();
  p.linha(0, f.imp.LIN_DIV1);
}

constexpr std::array<std::string_view, 12> kMeses{"Jan", "Fev", "Mar", "Abr", "Mai", "Jun",
                                                   "Jul", "Ago", "Set", "Out", "Nov", "Dez"};

std::string doisDigitos(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// QUADRO2(k): the monthly incomes from individuals and from abroad of the titular (k 1) or of
// one dependant (k 2) from the carnê-leão row `t` (none: an empty table).
void QUADRO2(Folha& f, int k, const rt::db::Table* t) {
  Pagina& p = f.pag;
  auto valor = [&](int coluna, int mes) {
    return t != nullptr ? t->getNumber("I2_" + std::to_string(coluna) + doisDigitos(mes)) : Decimal();
  };
  p.PULA_PAG(19);
  p.normal();
  p.linha(0, std::string("RENDIMENTOS TRIBUTAVEIS RECEBIDO DE P. FISICAS E EXTERIOR PELO") +
                 (k == 1 ? " TITULAR" : "S DEPENDENTES"));
  if (k == 2) p.linha(0, "Rendimentos do dependente CPF " + transform(t->getText("CPFdepen"), kCpf));
  p.linha(0, f.imp.LIN_DIV1);
  Decimal soma;
  for (int c = 1; c <= 6; ++c)
    for (int mes = 1; mes <= 12; ++mes) soma += valor(c, mes);
  if (soma.isZero() && f.QUEIMP == 1) {
    p.linha(0, "Sem Informacoes");
    return;
  }
  const bool soRec = f.m.logico("SO_REC");
  p.linha(0, std::string("  MES  PES. FISICA  EXTERIOR   LIVRO CAIXA ") + (k == 2 ? "PREVIDENCIA" : "DEP+PRE+PEN") +
                 "   LEAO PAGO" + (soRec ? "*" : " ") + " LEAO DEV." + (soRec ? " " : "*") + "  ");
  std::array<Decimal, 6> totais{};
  for (int mes = 1; mes <= 12; ++mes) {
    p.diz(0, doisDigitos(mes) + "-" + std::string(kMeses[static_cast<std::size_t>(mes - 1)]));
    for (int c = 1; c <= 6; ++c) {
      p.valor(7 + (c - 1) * 12, valor(c, mes), "@Ez 9999,999.99");
      totais[static_cast<std::size_t>(c - 1)] += valor(c, mes);
    }
    p.avanca();
  }
  p.linha(0, f.imp.LIN_DIV1);
  p.diz(0, "TOTAIS");
  for (int c = 1; c <= 6; ++c)
    if (c != 4) p.valor(7 + (c - 1) * 12, totais[static_cast<std::size_t>(c - 1)], "@Ez 9999,999.99");
  p.avanca();
  p.linha(0, f.imp.LIN_DIV1);
}

}  // namespace

void PAGINA1(Folha& f) {
  if (f.QUEIMP == 1) {
    f.ARELDEP.clear();
    IDENTIFICA(f);
  } else {
    CABEC_PAG(f, 0);
  }
  TRIBUPJ(f, 1);
  TRIBUPJ(f, 2);
  bool algum = false;
  paraCadaLinha(f.ctx, kLeao, [&](rt::db::Table& t) {
    algum = true;
    QUADRO2(f, rt::text::alltrim(t.getText("CPFdepen")).empty() ? 1 : 2, &t);
  });
  if (!algum) QUADRO2(f, 1, nullptr);
  if (f.QUEPAG != 1) f.pag.quebra();
}

}  // namespace print

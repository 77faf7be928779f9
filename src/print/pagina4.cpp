// Sheet 4: the summary of the declaration in the layout that fits it (simplified; complete in
// two columns of numbered boxes; complete in groups with long labels), then the balance block.
#include <algorithm>
#include <array>
#include <vector>

#include "print/folha.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"

namespace print {

using rt::text::transform;
using rt::text::trim;

namespace {

std::string caixa(int n) { return "I13_" + std::string(n < 10 ? "0" : "") + std::to_string(n); }

void rotulado(Pagina& p, int col, std::string_view rotulo, Decimal valor, int colValor, std::string_view pic = kValor) {
  p.diz(col, rotulo);
  p.valor(colValor, valor, pic);
}

// Bank lines: automatic debit (when there is tax to pay), bank, branch and account.
void bancarias(Folha& f, int col, int colValor) {
  Pagina& p = f.pag;
  const Memvars& m = f.m;
  const bool aPagar = m.num("I13_28") > Decimal();
  if (aPagar) {
    p.diz(col, "Debito Automatico:");
    p.linha(colValor, trim(m.txt("DEBITAUT")) == "S" ? "SIM" : "NAO");
  }
  p.diz(col, "Banco");
  p.linha(colValor, transform(m.txt("BANCO"), "@R ###"));
  p.diz(col, "Agencia");
  p.linha(colValor, transform(m.txt("AGENCIA"), "@R #####-#"));
  p.diz(col, std::string("Conta para ") + (aPagar ? "debito" : "credito"));
  p.linha(colValor, transform(m.txt("CONTACO"), "@R !!!!!!!!!!!!!-!!"));
}

void patrimonio(Folha& f, int col, int colValor) {
  Pagina& p = f.pag;
  const Memvars& m = f.m;
  const std::array<std::pair<std::string_view, int>, 4> linhas{{{"Bens e Direitos em 31/12/2008", 32},
                                                                {"Bens e Direitos em 31/12/2009", 33},
                                                                {"Dividas e Onus em 31/12/2008", 34},
                                                                {"Dividas e Onus em 31/12/2009", 35}}};
  for (const auto& [rotulo, n] : linhas) {
    rotulado(p, col, rotulo, m.num(caixa(n)), colValor);
    p.avanca();
  }
}

void simplificada(Folha& f) {
  Pagina& p = f.pag;
  const Memvars& m = f.m;
  constexpr int v = 75;
  auto l = [&](std::string_view rotulo, Decimal valor) {
    rotulado(p, 0, rotulo, valor, v);
    p.avanca();
  };
  p.condensado();
  l("Rendimentos tributaveis recebidos de pessoa juridica pelo titular", m.num("I13_01"));
  l("Rendimentos tributaveis recebidos de pessoa juridica pelos dependentes", m.num("I13_02"));
  l("Rendimentos tributaveis recebidos de pessoa fisica/exterior", m.num("I13_03") + m.num("I13_04") + m.num("I13_05"));
  l("Resultado tributavel da Atividade Rural", m.num("I13_06"));
  l("TOTAL DE RENDIMENTOS TRIBUTAVEIS", m.num("I13_07"));
  l("Desconto simplificado", m.num("DESPADRAO"));
  l("Base de calculo do imposto", m.num("I13_16"));
  l("IMPOSTO DEVIDO", m.num("I13_19"));
  l("Imposto retido na fonte do titular", m.num("I13_21"));
  l("Imposto retido na fonte dos dependentes", m.num("I13_22"));
  l("Carne-leao e imposto complementar", m.num("I13_23") + m.num("I13_24") + m.num("I13_25"));
  l("Imposto Retido (Operacao em bolsa - Lei 11.033 de 2004)", m.num("I13_26"));
  l("IMPOSTO A RESTITUIR", m.num("I13_31"));
  l("SALDO DO IMPOSTO A PAGAR", m.num("I13_28"));
  p.linha(0, "PARCELAMENTO");
  rotulado(p, 2, "Numero de quotas", m.num("I13_29"), v + 13, "@z 9");
  p.avanca();
  rotulado(p, 2, "Valor da quota", m.num("I13_30"), v);
  p.avanca();
  p.linha(0, "INFORMACOES BANCARIAS");
  bancarias(f, 2, v);
  p.linha(0, "OUTRAS INFORMACOES");
  l("Rendimentos isentos e nao-tributaveis", m.num("I13_37"));
  l("Rendimentos com tributacao exclusiva", m.num("I13_38"));
  patrimonio(f, 0, v);
  p.normal();
}

void duasColunas(Folha& f) {
  static constexpr std::array<std::pair<std::string_view, std::string_view>, 20> kCaixas{{
      {"Rec.P.Jurid. Titular  01", "Imp.Retido Titular    21"},
      {"Rec.P.Jurid. Depende. 02", "Imp.Retido Dependent  22"},
      {"Rec.P.Fisica Titular  03", "Carne Leao            23"},
      {"Rec.P.Fisica Depende. 04", "Imposto complementar  24"},
      {"Recebido do Exterior  05", "Imposto pg. exterior  25"},
      {"Resul.Trib.Ativ.Rural 06", "Imp. Lei 11.033/2004  26"},
      {"TOTAL...............  07", "TOTAL .............   27"},
      {"Contri.Previd.Oficial 08", "SALD.IMPOSTO A PAGAR  28"},
      {"Contri.P.Privada/FAPI 09", "Nro de quotas         29"},
      {"Dependentes           10", "Valor da quota        30"},
      {"Despesas c/ Instrucao 11", "IMPOSTO A RESTITUIR   31"},
      {"Despesas medicas      12", "Bens e Direitos 2008  32"},
      {"Pensao alimenticia    13", "Bens e Direitos 2009  33"},
      {"Livro Caixa           14", "Dividas e Onus 2008   34"},
      {"TOTAL................ 15", "Dividas e Onus 2009   35"},
      {"Base de calculo       16", "Informacoes Conjuge   36"},
      {"Imposto               17", "Rend.isent. nao trib  37"},
      {"Deducoes de Incentivo 18", "Rend.trib.excl.fonte  38"},
      {"IMPOSTO DEVIDO....... 19", "Imposto s/gan. capit  39"},
      {"INSS Emprg. Domestico 20", "Imposto s/Rend.Varia  40"},
  }};
  Pagina& p = f.pag;
  p.normal();
  p.linha(0, "RENDIMENTOS TRIBUTAVEIS                 IMPOSTOS PAGOS");
  for (int n = 1; n <= 20; ++n) {
    const auto& [esquerda, direita] = kCaixas[static_cast<std::size_t>(n - 1)];
    rotulado(p, 0, esquerda, f.m.num(caixa(n)), 25);
    rotulado(p, 40, direita, f.m.num(caixa(n + 20)), 65);
    p.avanca();
  }
}

// Two columns side by side, printed row by row: the tax due and the tax paid on the left,
// the refund or tax to pay and the bank lines on the right.
struct Celula {
  std::string rotulo;
  Decimal valor;
  bool temValor;
  std::string_view picture;
  std::string texto;  // a text in the value's place
};

Celula titulo(std::string r) { return Celula{std::move(r), Decimal(), false, kValor, ""}; }
Celula valor(std::string r, Decimal x, std::string_view pic = kValor) {
  return Celula{std::move(r), x, true, pic, ""};
}
Celula texto(std::string r, std::string t) { return Celula{std::move(r), Decimal(), false, kValor, std::move(t)}; }

std::vector<Celula> impostoDevidoEPago(const Memvars& m) {
  return {
      titulo("IMPOSTO DEVIDO"),
      valor("  Base de calculo", m.num("I13_16")),
      valor("  Imposto", m.num("I13_17")),
      valor("  Deducao de incentivo", m.num("I13_18")),
      valor("  Imposto devido I", m.num("I13_19")),
      valor("  Contribicao Prev. Empregador Domestico", m.num("I13_20")),
      valor("  Imposto devido II", m.num("I13_19") - m.num("I13_20")),
      titulo("IMPOSTO PAGO"),
      valor("  Imposto retido na fonte do titular", m.num("I13_21")),
      valor("  Imposto retido na fonte dos dependentes", m.num("I13_22")),
      valor("  Carne Leao", m.num("I13_23")),
      valor("  Imposto complementar", m.num("I13_24")),
      valor("  Imposto pago no exterior", m.num("I13_25")),
      valor("  Imposto retido Lei 11.033/2004", m.num("I13_26")),
      valor("  TOTAL", m.num("I13_27")),
  };
}

std::vector<Celula> saldoEBanco(const Memvars& m) {
  const bool aPagar = m.num("I13_28") > Decimal();
  std::vector<Celula> direita{
      valor("IMPOSTO A RESTITUIR", m.num("I13_31")),
      valor("SALDO DO IMPOSTO A PAGAR", m.num("I13_28")),
      titulo("PARCELAMENTO"),
      valor("  Valor da quota", m.num("I13_30")),
      valor("  Numero de quotas", m.num("I13_29"), "@z 9"),
      titulo(""),
      titulo(""),
      titulo("INFORMACOES BANCARIAS"),
  };
  if (aPagar) direita.push_back(texto("  Debito Automatico:", trim(m.txt("DEBITAUT")) == "S" ? "SIM" : "NAO"));
  direita.push_back(texto("  Banco", transform(m.txt("BANCO"), "@R ###")));
  direita.push_back(texto("  Agencia(Sem DV)", transform(rt::text::left(m.txt("AGENCIA"), 5), "@R #####")));
  direita.push_back(texto(std::string("  Conta para ") + (aPagar ? "debito" : "credito"),
                          transform(m.txt("CONTACO"), "@R !!!!!!!!!!!!!-!!")));
  return direita;
}

// The left column's labels at 0 and values at v, the right column's at d and dv.
void ladoALado(Pagina& p, const std::vector<Celula>& esquerda, const std::vector<Celula>& direita, int v, int d,
               int dv) {
  auto celula = [&](const Celula& c, int col, int colValor) {
    p.diz(col, c.rotulo);
    if (c.temValor) p.valor(c.picture == kValor ? colValor : colValor + 13, c.valor, c.picture);
    if (!c.texto.empty()) p.diz(colValor, c.texto);
  };
  for (std::size_t i = 0; i < std::max(esquerda.size(), direita.size()); ++i) {
    if (i < esquerda.size()) celula(esquerda[i], 0, v);
    if (i < direita.size()) celula(direita[i], d, dv);
    p.avanca();
  }
}

void gruposLongos(Folha& f) {
  Pagina& p = f.pag;
  const Memvars& m = f.m;
  constexpr int v = 50, d = 68, dv = 118;
  auto l = [&](std::string_view rotulo, Decimal valor) {
    rotulado(p, 2, rotulo, valor, v);
    p.avanca();
  };
  p.condensado();
  p.linha(0, "RENDIMENTOS TRIBUTAVEIS");
  l("Recebidos de pessoas juridicas pelo titular", m.num("I13_01"));
  l("Recebidos de pessoas juridicas pelos dependentes", m.num("I13_02"));
  l("Recebidos de pessoa fisica pelo titular", m.num("I13_03"));
  l("Recebidos de pessoa fisica pelos dependentes", m.num("I13_04"));
  l("Recebidos do exterior", m.num("I13_05"));
  l("Resultado tributavel da Atividade Rural", m.num("I13_06"));
  l("TOTAL", m.num("I13_07"));
  p.linha(0, "DEDUCOES");
  l("Contribuicoes a previdencia oficial", m.num("I13_08"));
  l("Contribuicoes a previdencia privada e FAPI", m.num("I13_09"));
  l("Dependentes", m.num("I13_10"));
  l("Despesas com instrucao", m.num("I13_11"));
  l("Despesas medicas", m.num("I13_12"));
  l("Pensao alimenticia judicial", m.num("I13_13"));
  l("Livro caixa", m.num("I13_14"));
  l("TOTAL", m.num("I13_15"));
  ladoALado(p, impostoDevidoEPago(m), saldoEBanco(m), v, d, dv);
  p.linha(0, "EVOLUCAO PATRIMONIAL");
  patrimonio(f, 2, v);
  l("Informacoes do conjuge", m.num("I9_2"));
  p.linha(0, "OUTRAS INFORMACOES");
  l("Rendimentos isentos e nao-tributaveis", m.num("I13_37"));
  l("Rendimentos sujeitos a tributacao exclusiva", m.num("I13_38"));
  l("Imposto pago sobre ganho de capital", m.num("I13_39"));
  l("Imposto pago sobre Renda Variavel", m.num("I13_40"));
  p.normal();
}

}  // namespace

void PAGINA4(Folha& f) {
  Pagina& p = f.pag;
  f.imp.dispositivo.setPrc(0, 0);
  f.imp.QLIN = 0;
  if (f.QUEIMP == 2) {
    IDENTIFICA(f);
  } else {
    CABEC_PAG(f, 0);
    p.linha(0, "RESUMO");
  }
  f.LDUPLACOL = f.QUEPAG == 1 || f.QUEPAG == 4 || f.QUEPAG == 8 || f.QUEIMP == 2;
  if (f.m.simplificada())
    simplificada(f);
  else if (f.LDUPLACOL)
    duasColunas(f);
  else
    gruposLongos(f);
  if (f.LIMPBAL) {
    MOSBALAN(f);
  } else {
    p.condensado();
    p.linha(0, f.imp.LIN_DIV2);
    p.normal();
  }
  p.quebra();
}

void MOSBALAN(Folha& f) {
  Pagina& p = f.pag;
  const Memvars& m = f.m;
  const Balanco& b = f.bal;
  const Decimal despesasDeclaradas = m.simplificada()
                                         ? m.num("DESPADRAO") + b.DESPSIMP
                                         : m.num("DESPDECLA") + m.num("I13_08") + m.num("I13_10") + m.num("I13_14");
  const Decimal saldo = b.SALDO();
  struct Par {
    std::string_view receita;
    Decimal rv;
    std::string despesa;
    Decimal dv;
    bool temDespesa = true;
  };
  const std::array<Par, 16> pares{{
      {"Rendimentos tributaveis ", m.num("I13_07"), "Impostos pagos no ano",
       m.num("I13_27") - m.num("I13_20") + m.num("I13_39") + m.num("I13_40") + m.num("I13_41")},
      {"Rendimentos isentos", m.num("I13_37"), "Imposto de anos anteri.", m.num("IMPOANTER")},
      {"Rend.tributado na fonte ", m.num("I13_38") + m.num("I13_39") - m.num("I4_03"), "Despesas declaradas",
       despesasDeclaradas},
      {"Ganho na Renda Variavel", m.num("LUCRRVA"), "Perda na Renda Variavel", m.num("PREJRVA")},
      {"Renda oficial do Conjuge", m.num("I9_2"), "Custo p/manter os Bens", m.num("DESPNAO")},
      {"Outras rendas Conjuge", b.NREC, "Perdas na venda de Bens", m.num("PREJVEN1")},
      {"Emprestimos", m.num("EMPREST"), "Prejuizo na Ativ. Rural", m.num("PREJRUR")},
      {"Emprestimos Ativ.Rural", m.num("EMPRUR"), "Amortiz. Dividas Rural ", m.num("AMORUR")},
      {"Entradas no G.de Capital", m.num("ENTRADGP"), "Custo dos Bens vendidos", m.num("CUSTOANT")},
      {"Abat.Isento e Trib. GC", -m.num("ISENTNAO"), "Custo ano Bens vendidos", m.num("CUSTOANO")},
      {"Diminuicao patrimonial", b.I10_2, "Aumento  Patrimonial", b.I10_1},
      {"Exigibilidade suspensa", b.NEXIGI, "Gastos pessoais  ", m.num("OUTRDES")},
      {"Outras receitas         ", m.num("OUTREC"), "", Decimal(), false},
      {"Total das RECEITAS......", b.RECEITA, "Total das DESPESAS.....", b.DESPESA},
      {"A receber(prox.Exerci.) ", m.num("VALFUTUR"), std::string(saldo > Decimal() ? "Saldo  " : "Deficit") + ".......",
       saldo},
      {"Renda media mensal", b.RECEITA / Decimal(12), "Saldo mensal medio", saldo / Decimal(12)},
  }};
  p.normal();
  p.linha(0, "                           B A L A N C O");
  for (const Par& par : pares) {
    rotulado(p, 0, par.receita, par.rv, 24);
    if (par.temDespesa) rotulado(p, 40, par.despesa, par.dv, 64);
    p.avanca();
  }
  p.linha(0, f.imp.LIN_DIV1);
  if (saldo < Decimal()) {
    p.linha(0, "*  MUITA ATENCAO!!  DECLARACAO COM PROBLEMAS DE CAIXA *");
    p.linha(0, f.imp.LIN_DIV1);
  }
}

}  // namespace print

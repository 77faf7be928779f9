// Sheet 5: the audit-risk analysis. Every receipt and expense of the year with its share, the
// reserve or deficit left, and the advice lines for the preparer.
#include "print/folha.h"
#include "rt/text/muldiv.h"
#include "rt/text/transform.h"

namespace print {

namespace {

constexpr std::string_view kParte = "@Z 999.99";
constexpr int kColValor = 44, kColParte = 59, kColParteRec = 68;

void receita(Folha& f, std::string_view rotulo, Decimal valor) {
  f.pag.diz(0, rotulo);
  f.pag.valor(kColValor, valor);
  f.pag.valor(kColParte, percentual(valor, f.bal.RECEITA), kParte);
  f.pag.avanca();
}

void despesa(Folha& f, std::string_view rotulo, Decimal valor) {
  f.pag.diz(0, rotulo);
  f.pag.valor(kColValor, valor);
  f.pag.valor(kColParte, percentual(valor, f.bal.DESPESA), kParte);
  f.pag.valor(kColParteRec, percentual(valor, f.bal.RECEITA), kParte);
  f.pag.avanca();
}

// Assets of codes 1 to 28 (real estate and the like) in the asset copy.
int bensMantidos(Folha& f) {
  int n = 0;
  paraCadaLinha(f.ctx, store::Area::TMP_04, [&](rt::db::Table& t) {
    const auto codigo = t.getNumber("I7_5").wholePart();
    if (codigo >= 1 && codigo <= 28) ++n;
  });
  return n;
}

void conselhos(Folha& f, Decimal saldo, Decimal NINDGAS) {
  Pagina& p = f.pag;
  const Memvars& m = f.m;
  const Decimal INDALERTA = m.num("INDALERTA");
  if (NINDGAS < INDALERTA) {
    if (saldo > Decimal()) {
      p.linha(0, "Atencao. O valor esta inferior aos " + rt::text::transform(INDALERTA, "@z 99.99") + "% ,estabelecido.");
    } else {
      p.linha(0, "ATENCAO!  ESSA DECLARACAO ESTA COM PROBLEMAS DE CAIXA. VERIFIQUE O MOTIVO");
      p.linha(0, "ENTREGA-LA NESSAS CONDICOES PODE CAUSAR-LHE PROBLEMAS FUTUROS.");
    }
    return;
  }
  if (!(NINDGAS * Decimal(2) > INDALERTA)) return;
  p.linha(0, "O valor da reserva de " + rt::text::transform(NINDGAS, "999.99") + "% da receita esta alto.");
  const bool manutencao = !m.num("DESPNAO").isZero(), pessoais = !m.num("OUTRDES").isZero();
  if (manutencao && pessoais) {
    p.linha(0, "Confira gastos pessoais e caso estejam corretos pode-se aumentar");
    p.linha(0, "o dinheiro em poder do contribuinte para uso nas proximas declaracoes");
  }
  if (!manutencao) {
    if (bensMantidos(f) > 0) p.linha(0, "Recomenda-se lancar as despesas para a manutencao do patrimonio.");
    if (!pessoais) p.linha(0, "Recomenda-se lancar despesas nao declaradas nos gastos pessoais.");
  }
  if (manutencao && !pessoais) p.linha(0, "Recomenda-se lancar despesas nao declaradas nos gastos para viver.");
  if (m.num("I13_12") > rt::text::mulDiv(f.bal.RECEITA, Decimal(25), Decimal(100)))
    p.linha(0, "Despesas medicas c/ % alto. A Receita pode chamar p/mostrar os recibos.");
}

// Every receipt of the year with its share of the total, then what is still to be received.
void receitas(Folha& f) {
  Pagina& p = f.pag;
  const Memvars& m = f.m;
  const Balanco& b = f.bal;
  p.linha(0, "      RECEITAS                              SITUACAO ATUAL % total      ");
  receita(f, "Rendimentos tributaveis ...................", m.num("I13_07"));
  receita(f, "Rendimentos Isentos e nao tributados ......", m.num("I13_37"));
  receita(f, "Rendimentos Tributacao exclusiva...........", m.num("I13_38") + m.num("I13_39") - m.num("I4_03"));
  receita(f, "Ganhos na Renda Variavel...................", m.num("LUCRRVA"));
  receita(f, "Diminuicao Patrimonial ....................", b.I10_2);
  receita(f, "Rendimento do conjuge .....................", m.num("I9_2"));
  receita(f, "Outras Rendas ou Despesas do conjuge ......", b.NREC);
  receita(f, "Emprestimos................................", m.num("EMPREST"));
  receita(f, "Emprestimos na atividade Rural.............", m.num("EMPRUR"));
  receita(f, "Entradas no Ganho de Capital ..............", m.num("ENTRADGP"));
  receita(f, "Abatimento de Isentos/Tributados G.Capital.", -m.num("ISENTNAO"));
  receita(f, "Exigibilidade suspensa.....................", b.NEXIGI);
  receita(f, "Outras receitas ...........................", m.num("OUTREC"));
  p.diz(0, "      TOTAL DAS RECEITAS ..................");
  p.valor(kColValor, b.RECEITA);
  p.valor(kColParte, b.RECEITA > Decimal() ? Decimal(100) : Decimal(), kParte);
  p.avanca();
  p.diz(0, "Valor a receber no proximo exercicio ......");
  p.valor(kColValor, m.num("VALFUTUR"));
  p.avanca();
}

// Every expense of the year with its share of the expenses and of the receipts: the
// deductions (the standard discount of the simplified declaration, or each one declared), the
// taxes paid and what went into assets, debts and living.
void despesas(Folha& f) {
  Pagina& p = f.pag;
  const Memvars& m = f.m;
  const Balanco& b = f.bal;
  p.linha(0, "     DESPESAS                              SITUACAO ATUAL  % Desp.  %Rec.");
  auto anteriores = [&] {
    if (m.num("IMPOANTER") > Decimal()) despesa(f, "    Ref.anos anteriores pago em 2009.......", m.num("IMPOANTER"));
  };
  if (m.simplificada()) {
    despesa(f, "Total do abatimento .......................", m.num("DESPADRAO"));
    p.linha(0, "Impostos pagos");
    anteriores();
    despesa(f, "    Retido na fonte titular e dependente...", m.num("I13_21") + m.num("I13_22"));
    despesa(f, "    Carne leao /Mensalao/Exterior..........", m.num("I13_23") + m.num("I13_24") + m.num("I13_25"));
  } else {
    p.linha(0, "Pagamentos Declarados ");
    despesa(f, "    Contribuicoes previdenciarias..........", m.num("I13_08") + b.I13_09T);
    despesa(f, "    Abatimento com Dependentes.............", m.num("I13_10"));
    despesa(f, "    Despesas com instrucao.................", b.I13_11T);
    despesa(f, "    Despesas medicas e/ou hospitalares.....", m.num("I13_12"));
    despesa(f, "    Pensao alimenticia.....................", m.num("I13_13"));
    despesa(f, "    Livro Caixa............................", m.num("I13_14"));
    despesa(f, "    Doacoes e incentivos a cultura.........", b.I13_18T);
    despesa(f, "    Salario Anual do Empr.Domestico+INSS...", b.NTOTEMPREG);
    despesa(f, "    Doacoes em dinheiro ou bens............", b.NDOABENS);
    despesa(f, "    Doacoes a Partidos/Candidatos Politicos", b.NPARTIDO);
    despesa(f, "    Advogados, Engenheiros etc.............", b.NADVOGADO);
    despesa(f, "    Alugueis e Arrendamentos rurais........", b.NALUGUEL);
    despesa(f, "    Outros ................................", b.NOUTROS);
    despesa(f, "    Valor usado para ajustes no caixa......", b.NAJUSTE);
    p.linha(0, "Impostos pagos");
    anteriores();
    despesa(f, "    Retido na fonte titular e dependente...", m.num("I13_21") + m.num("I13_22"));
    despesa(f, "    Carne leao.............................", m.num("I13_23"));
    despesa(f, "    Mensalao...............................", m.num("I13_24"));
    despesa(f, "    Pagos no exterior e lei 11.033/2004....", m.num("I13_25") + m.num("I13_26") + m.num("I13_41"));
    despesa(f, "    Sobre Ganho de Capital.................", m.num("I13_39"));
    despesa(f, "    Sobre a Renda Variavel.................", m.num("I13_40"));
  }
  despesa(f, "Custo Anterior dos Bens Baixados ..........", m.num("CUSTOANT"));
  despesa(f, "Custo no Ano dos Bens Vendidos.............", m.num("CUSTOANO"));
  despesa(f, "Aumento do patrimonio......................", b.I10_1);
  despesa(f, "Amortizacao de dividas na Atividade Rural..", m.num("AMORUR"));
  despesa(f, "Prejuizo na renda Variavel ................", m.num("PREJRVA"));
  despesa(f, "Prejuizo na venda bens de pequeno valor....", m.num("PREJVEN1"));
  despesa(f, "Prejuizo na atividade Rural................", m.num("PREJRUR"));
  despesa(f, "Gastos para manutencao do patrimonio ......", m.num("DESPNAO"));
  despesa(f, "Gastos pessoais ...........................", m.num("OUTRDES"));
  p.diz(0, "     TOTAL DOS GASTOS .....................");
  p.valor(kColValor, b.DESPESA);
  p.valor(kColParte, b.DESPESA > Decimal() ? Decimal(100) : Decimal(), kParte);
  p.valor(kColParteRec, percentual(b.DESPESA, b.RECEITA), kParte);
  p.avanca();
}

}  // namespace

void PAGINA5(Folha& f) {
  Pagina& p = f.pag;
  const Balanco& b = f.bal;
  f.imp.QLIN = 0;
  CABEC_PAG(f, 0);
  p.linha(0, "CALCULO DA MALHA FINA IR PESSOA FISICA 2010/2009 ");
  receitas(f);
  p.linha(0, f.imp.LIN_DIV1);
  despesas(f);
  const Decimal saldo = b.SALDO();
  const Decimal NINDGAS = percentual(saldo, b.RECEITA);
  p.diz(0, saldo > Decimal() ? "RESERVA ........." : "DEFICIT .........");
  p.valor(kColValor, saldo);
  p.valor(kColParte, NINDGAS, kParte);
  p.avanca();
  conselhos(f, saldo, NINDGAS);
  p.quebra();
}

}  // namespace print

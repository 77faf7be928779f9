// Incomes: from legal entities, with suspended liability, from persons and abroad by month,
// exempt and exclusively taxed, and the tax paid.
#include <array>

#include "export/secoes.h"
#include "rt/text/strings.h"

namespace exporta {

namespace {

using rt::text::alltrim;

std::string mm(int mes) {
  return (mes < 10 ? "0" : "") + std::to_string(mes);
}

bool vazio(std::string_view s) {
  return alltrim(s).empty();
}

bool tipo(const store::RegistroEspelho& r, std::string_view t) {
  return alltrim(r.txt("I1_1")) == t;
}

// A row of the legal-entity collections: not one without payer, nor one without any amount.
bool escreveRendaPJ(const store::RegistroEspelho& r) {
  if (vazio(r.txt("I1_2")) && vazio(r.txt("I1_3"))) return false;
  return !(r.num("I1_4").isZero() && r.num("I1_5").isZero() && r.num("I1_6").isZero() && r.num("I1_7").isZero());
}

void colecaoPJ(const Secao& s, bool titular, const Confirma& confirma) {
  const TotaisRendaPJ& t = titular ? s.t.titular : s.t.dependente;
  const char* nome = titular ? "colecaoRendPJTitular" : "colecaoRendPJDependente";
  TextoXml& x = s.x;
  x.abre(nome)
      .texto("niMaiorFontePagadora", t.maiorFonte)
      .texto("tipoItens", titular ? "serpro.ppgd.irpf.rendpj.RendPJTitular" : "serpro.ppgd.irpf.rendpj.RendPJDependente")
      .dinheiro("totaisContribuicaoPrevOficial", t.previdencia)
      .dinheiro("totaisDecimoTerceiro", t.decimoTerceiro)
      .dinheiro("totaisImpostoRetidoFonte", t.retido)
      .dinheiro("totaisRendRecebidoPJ", t.rendimento)
      .fim();
  for (const auto& r : s.dados.rendimentos) {
    if (!tipo(r, titular ? "J" : "D") || !escreveRendaPJ(r)) continue;
    if (titular && vazio(r.txt("I1_2")) &&
        !confirma("Há uma PJ do titular sem o Nome preenchido.Transfere mesmo assim?"))
      continue;
    if (titular && vazio(r.txt("I1_3")) &&
        !confirma("Há uma PJ do titular sem o CNPJ preenchido.Transfere mesmo assim?"))
      continue;
    x.abre("item")
        .texto("NIFontePagadora", r.txt("I1_3"))
        .dinheiro("contribuicaoPrevOficial", r.num("I1_6"));
    if (!titular) x.a("cpfDependente", comCpf(r.txt("I1_8")));
    x.dinheiro("decimoTerceiro", r.num("I1_7"))
        .dinheiro("impostoRetidoFonte", r.num("I1_5"))
        .mapeado("nomeFontePagadora", r.txt("I1_2"))
        .dinheiro("rendRecebidoPJ", r.num("I1_4"))
        .vazio();
  }
  x.fecha(nome);
}

void colecaoExigibilidade(const Secao& s, bool titular) {
  const TotaisRendaPJ& t = titular ? s.t.titular : s.t.dependente;
  const char* nome =
      titular ? "colecaoRendPJComExigibilidadeTitular" : "colecaoRendPJComExigibilidadeDependente";
  TextoXml& x = s.x;
  x.abre(nome)
      .texto("tipoItens", titular ? "serpro.ppgd.irpf.rendpjexigibilidade.RendPJComExigibilidadeTitular"
                                  : "serpro.ppgd.irpf.rendpjexigibilidade.RendPJComExigibilidadeDependente")
      .dinheiro("totaisDepositoJudicial", t.depositoJudicial)
      .dinheiro("totaisRendPJExigSuspensa", t.exigSuspensa)
      .fim();
  for (const auto& r : s.dados.rendimentos) {
    if (!tipo(r, titular ? "J" : "D")) continue;
    if (!(r.num("I1_19") > Decimal() || r.num("I1_20") > Decimal())) continue;
    x.abre("item").texto("NIFontePagadora", r.txt("I1_3"));
    if (!titular) x.a("cpfDependente", comCpf(r.txt("I1_8")));
    x.dinheiro("depositoJudicial", r.num("I1_20"))
        .mapeado("nomeFontePagadora", r.txt("I1_2"))
        .dinheiro("rendExigSuspensa", r.num("I1_19"))
        .vazio();
  }
  x.fecha(nome);
}

// One month of a person's income table. Columns: 2 person, 3 abroad, 4 cash book,
// 5 dependants, 6 social security, 7 alimony, 8 DARF paid.
using Mensal = std::array<std::array<Decimal, 9>, 14>;

void anual(Mensal& m) {
  for (int c = 2; c <= 8; ++c) {
    Decimal soma;
    for (int mes = 1; mes <= 12; ++mes) soma += m[static_cast<std::size_t>(mes)][static_cast<std::size_t>(c)];
    m[13][static_cast<std::size_t>(c)] = soma;
  }
}

Decimal darf(const store::RegistroEspelho& leao, const std::string& mes, bool soRecolhido) {
  const Decimal pago = leao.num("I2_5" + mes);
  if (soRecolhido) return pago;
  return std::max(pago, leao.num("I2_6" + mes));
}

void meses(TextoXml& x, const Mensal& m) {
  for (int mes = 1; mes <= 12; ++mes) {
    const auto& l = m[static_cast<std::size_t>(mes)];
    x.abre(kMesesMinusculos[static_cast<std::size_t>(mes - 1)])
        .dinheiro("carneLeao", Decimal())
        .dinheiro("darfPago", l[8])
        .dinheiro("dependentes", l[5])
        .dinheiro("exterior", l[3])
        .dinheiro("livroCaixa", l[4])
        .inteiro("mes", Decimal())
        .dinheiro("pensao", l[7])
        .dinheiro("pessoaFisica", l[2])
        .dinheiro("previdencia", l[6])
        .vazio();
  }
}

// The seven year totals, alphabetically: DARF, dependants, abroad, cash book, alimony,
// person, social security.
TextoXml& totaisPF(TextoXml& x, const std::array<Decimal, 9>& a) {
  return x.dinheiro("totalDarfPago", a[8])
      .dinheiro("totalDependentes", a[5])
      .dinheiro("totalExterior", a[3])
      .dinheiro("totalLivroCaixa", a[4])
      .dinheiro("totalPensao", a[7])
      .dinheiro("totalPessoaFisica", a[2])
      .dinheiro("totalPrevidencia", a[6]);
}

void quadro(TextoXml& x, const char* nome, const char* tipoItens, Decimal totais) {
  x.abre(nome).texto("tipoItens", tipoItens).dinheiro("totais", totais).fim();
}

void itemQuadro(TextoXml& x, std::string_view especificacao, Decimal valor) {
  x.abre("item").mapeado("especificacao", especificacao).dinheiro("valor", valor).vazio();
}

// A table of the savings and profit lines: items only when its total is above zero, and
// then only the rows above zero.
void quadroAplicacoes(const Secao& s, const char* nome, const char* campo, Decimal total) {
  quadro(s.x, nome, "serpro.ppgd.irpf.ItemQuadroAuxiliar", total);
  if (total > Decimal())
    for (const auto& r : s.dados.aplicacoes)
      if (r.num(campo) > Decimal()) itemQuadro(s.x, r.txt("DESCRICAO"), r.num(campo));
  s.x.fecha(nome);
}

}  // namespace

void rendPJ(const Secao& s, const Confirma& confirma) {
  s.x.abre("rendPJ").dinheiro("totalRendRecebPessoaJuridica", s.t.NTOTJUR).fim();
  colecaoPJ(s, true, confirma);
  colecaoPJ(s, false, confirma);
  s.x.fecha("rendPJ");
}

void rendPJComExigibilidade(const Secao& s) {
  s.x.abre("rendPJComExigibilidade").fim();
  colecaoExigibilidade(s, true);
  colecaoExigibilidade(s, false);
  s.x.fecha("rendPJComExigibilidade");
}

void rendPF(const Secao& s) {
  TextoXml& x = s.x;
  const bool soRecolhido = s.t01().logico("SO_REC");
  Mensal m{};
  for (const auto& r : s.dados.rendimentos) {
    if (!tipo(r, "P") || alltrim(r.txt("I1_11")) == "N") continue;
    for (int mes = 1; mes <= 12; ++mes) m[static_cast<std::size_t>(mes)][6] += r.num("I1_4" + mm(mes));
  }
  for (const auto& r : s.dados.pagamentos) {
    const auto codigo = r.num("I6_3").wholePart();
    if (codigo < 30 || codigo > 34) continue;
    for (int mes = 1; mes <= 12; ++mes) m[static_cast<std::size_t>(mes)][7] += r.num("I6_4" + mm(mes));
  }
  for (const auto& leao : s.dados.carneLeao) {
    if (!vazio(leao.txt("CPFDEPEN"))) continue;
    for (int mes = 1; mes <= 12; ++mes) {
      auto& l = m[static_cast<std::size_t>(mes)];
      l[2] = leao.num("I2_1" + mm(mes));
      l[3] = leao.num("I2_2" + mm(mes));
      l[4] = leao.num("I2_3" + mm(mes));
      if (l[2] > Decimal() || l[3] > Decimal())
        l[5] = Decimal::fromInt(s.t.NQT_DEPEND) * s.dados.NVALDEPEN;
      l[8] = darf(leao, mm(mes), soRecolhido);
    }
    break;
  }
  anual(m);
  totaisPF(x.abre("rendPFTitular"), m[13]).fim();
  meses(x, m);
  x.fecha("rendPFTitular");

  const Totais& t = s.t;
  x.abre("rendPFDependente").texto("tipoItens", "serpro.ppgd.irpf.rendpf.ItemRendPFDependente");
  x.dinheiro("totalDarfPago", t.NTOTIMD)
      .dinheiro("totalDependentes", Decimal())
      .dinheiro("totalExterior", t.NTOTEXD)
      .dinheiro("totalLivroCaixa", t.NTOTLCD)
      .dinheiro("totalPensao", Decimal())
      .dinheiro("totalPessoaFisica", t.NTOTPFD)
      .dinheiro("totalPrevidencia", t.NTOTPRD)
      .fim();
  if (t.NTOTPFD + t.NTOTEXD + t.NTOTLCD + t.NTOTPRD + t.NTOTIMD > Decimal()) {
    for (const auto& leao : s.dados.carneLeao) {
      if (vazio(leao.txt("CPFDEPEN"))) continue;
      // Dependants have no dependants nor alimony of their own: columns 5 and 7 stay 0.
      Mensal d{};
      for (int mes = 1; mes <= 12; ++mes) {
        auto& l = d[static_cast<std::size_t>(mes)];
        l[2] = leao.num("I2_1" + mm(mes));
        l[3] = leao.num("I2_2" + mm(mes));
        l[4] = leao.num("I2_3" + mm(mes));
        l[6] = leao.num("I2_4" + mm(mes));
        l[8] = darf(leao, mm(mes), soRecolhido);
      }
      anual(d);
      x.abre("item").a("cpf", comCpf(leao.txt("CPFDEPEN"))).fim();
      totaisPF(x.abre("rendimentos"), d[13]).fim();
      meses(x, d);
      x.fecha("rendimentos").fecha("item");
    }
  }
  x.fecha("rendPFDependente");
}

void rendIsentos(const Secao& s) {
  TextoXml& x = s.x;
  const auto n = [&s](std::string_view c) { return s.n(c); };
  x.abre("rendIsentos")
      .dinheiro("bensPequenoValorInformado", n("I3_04GCPV"))
      .dinheiro("bensPequenoValorTransportado", n("I3_04GCPVC"))
      .dinheiro("bolsaEstudos", n("I3_01"))
      .dinheiro("capitalApolices", n("I3_02"))
      .mapeado("descOutros", s.t01().txt("I3_12D"))
      .dinheiro("indenizacoes", n("I3_03"))
      .dinheiro("lucroAlienacao", n("I3_04"))
      .dinheiro("lucroRecebido", n("I3_05"))
      .dinheiro("moedaEstrangeiraEspecieInformado", n("I3_04EXTR"))
      .dinheiro("outros", n("I3_12"))
      .dinheiro("outrosBensImoveisGCAPTransportado", n("I3_04REDUC"))
      .dinheiro("outrosBensImoveisInformado", n("I3_04REDU"))
      .dinheiro("outrosBensImoveisMETransportado", Decimal())
      .dinheiro("outrosBensImoveisTransportado", n("I3_04REDUC"))
      .dinheiro("parcIsentaAposentadoria", n("I3_06"))
      .dinheiro("parcIsentaAtivRural", n("I3_11"))
      .dinheiro("pensao", n("I3_07"))
      .dinheiro("poupanca", n("I3_08"))
      .dinheiro("rendDependentes", n("I3_13"))
      .dinheiro("rendSocio", n("I3_09"))
      .dinheiro("total", n("I13_37"))
      .dinheiro("totalInformado", n("I3_04GCPV") + n("I3_04UNIC") + n("I3_04REDU") + n("I3_04EXTR"))
      .dinheiro("totalTransportado", n("I3_04"))
      .dinheiro("transferencias", n("I3_10"))
      .dinheiro("unicoImovelInformado", n("I3_04UNIC"))
      .dinheiro("unicoImovelTransportado", n("I3_04UNICC"))
      .fim();

  quadro(x, "lucroRecebidoQuadroAuxiliar", "serpro.ppgd.irpf.ItemQuadroLucrosDividendos", n("I3_05"));
  for (const auto& r : s.dados.rendimentos) {
    const bool titular = tipo(r, "J");
    if (!(titular || tipo(r, "D")) || !(r.num("I1_15") > Decimal())) continue;
    x.abre("item")
        .texto("cnpjEmpresa", r.txt("I1_3"))
        .mapeado("nomeFonte", r.txt("I1_2"))
        // The format keeps the blanks of "Titular   ": it is not trimmed.
        .a("tipo", titular ? "Titular   " : "Dependente")
        .dinheiro("valor", r.num("I1_15"))
        .vazio();
  }
  x.fecha("lucroRecebidoQuadroAuxiliar");
  quadroAplicacoes(s, "poupancaQuadroAuxiliar", "POUPANCA", s.t.NPOUP);
  quadroAplicacoes(s, "outrosQuadroAuxiliar", "LUCROEPP", s.t.NOUTNT);
  quadro(x, "rendDependentesQuadroAuxiliar", "serpro.ppgd.irpf.ItemQuadroAuxiliar", Decimal());
  if (n("I3_13") > Decimal())
    for (const auto& r : s.dados.rendimentos)
      if (tipo(r, "D") && r.num("I1_9") > Decimal()) itemQuadro(x, r.txt("I1_2"), r.num("I1_9"));
  x.fecha("rendDependentesQuadroAuxiliar");
  x.fecha("rendIsentos");
}

void rendTributacaoExclusiva(const Secao& s) {
  TextoXml& x = s.x;
  const auto n = [&s](std::string_view c) { return s.n(c); };
  const Decimal decimoDependentes = s.t.dependente.decimoTerceiro;
  const Decimal excetoDecimo = n("I4_06") - decimoDependentes;
  x.abre("rendTributacaoExclusiva")
      .dinheiro("decimoTerceiro", n("I4_01"))
      .dinheiro("decimoTerceiroDependentes", decimoDependentes)
      .mapeado("descTotal", s.t01().txt("I4_05D"))
      .dinheiro("ganhosCapital", n("I4_02"))
      .dinheiro("ganhosCapitalEmEspecie", Decimal())
      .dinheiro("ganhosCapitalEstrangeira", Decimal())
      .dinheiro("ganhosRendaVariavel", n("I4_03"))
      .dinheiro("outros", n("I4_05"))
      .dinheiro("rendAplicacoes", n("I4_04"))
      .dinheiro("rendExcetoDecimoTerceiro", excetoDecimo)
      .dinheiro("total", n("I13_38"))
      .fim();
  quadroAplicacoes(s, "rendAplicacoesQuadroAuxiliar", "APLICACAO", s.t.NAPLIC);
  // Its total is that of its own items, the profit lines.
  quadroAplicacoes(s, "outrosQuadroAuxiliar", "LUCROREAL", s.t.NLUCROREAL);
  quadro(x, "rendExcetoDecimoTerceiroQuadroAuxiliar", "serpro.ppgd.irpf.ItemQuadroAuxiliar", excetoDecimo);
  if (excetoDecimo > Decimal())
    for (const auto& r : s.dados.rendimentos)
      if (tipo(r, "D") && r.num("I1_10") > Decimal()) itemQuadro(x, r.txt("I1_2"), r.num("I1_10"));
  x.fecha("rendExcetoDecimoTerceiroQuadroAuxiliar");
  x.fecha("rendTributacaoExclusiva");
}

void impostoPago(const Secao& s) {
  s.x.abre("impostoPago")
      .dinheiro("impostoComplementar", s.n("I13_24"))
      .dinheiro("impostoDevidoComRendExterior", Decimal())
      .dinheiro("impostoDevidoSemRendExterior", Decimal())
      .dinheiro("impostoPagoExterior", s.n("I13_25"))
      .dinheiro("impostoRetidoFonte", s.n("I13_26"))
      .vazio();
}

}  // namespace exporta

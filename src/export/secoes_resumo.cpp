// The summary: other information, the tax computation with the payment choice, the taxable
// incomes and deductions, and the comparison of the two models.
#include "export/secoes.h"
#include "rt/text/strings.h"
#include "taxcalc/tax_year.h"

namespace exporta {

namespace {

using rt::text::alltrim;

// The bank agency without its check digit ("!!!!!-!"): its first five characters trimmed,
// a leading zero dropped from five digits.
std::string agencia(std::string_view agencia) {
  std::string a(alltrim(rt::text::left(agencia, 5)));
  if (a.size() == 5 && a.front() == '0') a.erase(0, 1);
  return a;
}

void banco(TextoXml& x, const store::RegistroEspelho& r, bool comDados) {
  if (!comDados) {
    for (const char* nome : {"banco", "agencia", "dvAgencia", "contaCredito", "dvContaCredito"}) x.a(nome, "");
    return;
  }
  x.texto("banco", r.txt("BANCO"))
      .texto("agencia", agencia(r.txt("AGENCIA")))
      .texto("dvAgencia", rt::text::substr(r.txt("AGENCIA"), 6, 1))
      .texto("contaCredito", SEMPONTO(rt::text::left(r.txt("CONTACO"), 13)))
      .texto("dvContaCredito", rt::text::substr(r.txt("CONTACO"), 14, 2));
}

}  // namespace

Decimal descontoPadrao(const store::RegistroEspelho& tabela01) {
  return std::min(rt::text::despreza(tabela01.num("I13_07") * Decimal::fromRaw(20000000)), taxcalc::NDESCPRAD);
}

void resumo(const Secao& s) {
  TextoXml& x = s.x;
  const auto n = [&s](std::string_view c) { return s.n(c); };
  x.abre("resumo").fim();
  x.abre("outrasInformacoes")
      .dinheiro("bensDireitosExercicioAnterior", n("I13_32"))
      .dinheiro("bensDireitosExercicioAtual", n("I13_33"))
      .dinheiro("dividasOnusReaisExercicioAnterior", n("I13_34"))
      .dinheiro("dividasOnusReaisExercicioAtual", n("I13_35"))
      .dinheiro("impostoPagoGCAP", n("I13_39"))
      .dinheiro("impostoPagoME", Decimal())
      .dinheiro("impostoPagoSobreRendaVariavel", n("I13_40"))
      .dinheiro("informacoesConjuge", n("I13_36"))
      .dinheiro("rendIsentosNaoTributaveis", n("I13_37"))
      .dinheiro("rendIsentosTributacaoExclusiva", n("I13_38"))
      .dinheiro("totalDoacoesCampanhasEleitorais", s.t.NELEICAO)
      // The tax withheld from the titular and from the dependants.
      .dinheiro("totalImpostoRetidoNaFonte", n("I13_21") + n("I13_22"))
      .vazio();

  const auto& r = s.reg();
  const bool debito = alltrim(r.txt("DEBITAUT")) == "S";
  const bool quotas = n("I13_29") > Decimal();
  // The first quota by automatic debit can still be debited on time only before April.
  std::string primeiraQuota = "0";
  if (debito) primeiraQuota = quotas && s.dados.hoje < rt::text::Date::fromYmd(2010, 4, 1) ? "1" : "2";
  x.abre("calculoImposto")
      .dinheiro("baseCalculo", n("I13_16"))
      .dinheiro("imposto", n("I13_17"))
      .dinheiro("deducaoIncentivo", n("I13_18"))
      .dinheiro("totalContribEmpregadoDomestico", n("I13_20"))
      .dinheiro("impostoDevido", n("I13_19"))
      .dinheiro("impostoDevidoII", n("I13_19") - n("I13_20"))
      .dinheiro("impostoRetidoFonteTitular", n("I13_21"))
      .dinheiro("impostoRetidoFonteDependentes", n("I13_22"))
      .dinheiro("carneLeao", n("I13_23"))
      .dinheiro("impostoComplementar", n("I13_24"))
      .dinheiro("impostoPagoExterior", n("I13_25"))
      .dinheiro("impostoRetidoFonteLei11033", n("I13_26"))
      .dinheiro("totalImpostoPago", n("I13_27"))
      .dinheiro("impostoRestituir", n("I13_31"))
      .a("debitoAutomatico", debito ? "autorizado" : "N");
  // The bank is where the quotas are debited, or where the refund is credited: without
  // automatic debit and with quotas to pay there is none.
  banco(x, r, debito || !quotas);
  x.dinheiro("saldoImpostoPagar", n("I13_28"))
      .a("indicadorPrimeiraQuota", primeiraQuota)
      .inteiro("numQuotas", n("I13_29"))
      .dinheiro("valorQuota", n("I13_30"))
      .dinheiro("impostoEspecie", Decimal())
      .dinheiro("rendRecebidoPJTitular", n("I13_01"))
      .dinheiro("rendRecebidoPJDependentes", n("I13_02"))
      .dinheiro("rendRecebidoPFEXTTitular", n("I13_05"))
      .dinheiro("rendRecebidoPFEXTDependentes", Decimal())
      .dinheiro("rendTributavelAR", n("I13_06"))
      .dinheiro("totalResultadosTributaveis", n("I13_07"))
      .dinheiro("descontoSimplificado", descontoPadrao(s.t01()))
      .vazio();
  x.abre("rendimentosTributaveisDeducoes")
      .dinheiro("dependentes", n("I13_10"))
      .dinheiro("despesasInstrucao", n("I13_11"))
      .dinheiro("despesasMedicas", n("I13_12"))
      .dinheiro("livroCaixa", n("I13_14"))
      .dinheiro("pensaoAlimenticia", n("I13_13"))
      .dinheiro("previdenciaFAPI", n("I13_09"))
      .dinheiro("previdenciaOficial", n("I13_08"))
      .dinheiro("rendRecebidoPFEXTTitular", n("I13_05"))
      .dinheiro("rendRecebidoPFEXTDependentes", Decimal())
      .dinheiro("rendRecebidoPJDependentes", n("I13_02"))
      .dinheiro("rendRecebidoPJTitular", n("I13_01"))
      .dinheiro("totalDeducoes", n("I13_15"))
      .dinheiro("totalRendimentos", n("I13_07"))
      .vazio();
  x.fecha("resumo");
}

void comparativo(const Secao& s) {
  // The tax authority's program computes the comparison itself; the format carries the
  // complementary tax in its six amounts.
  const Decimal complementar = s.n("I13_24");
  s.x.abre("comparativo")
      .dinheiro("baseCalcCompleta", s.n("I13_16"))
      .dinheiro("baseCalcSimplificada", s.n("I13_07") - descontoPadrao(s.t01()))
      .dinheiro("impRestituirCompleta", complementar)
      .dinheiro("impRestituirSimplificada", complementar)
      .dinheiro("saldoPagarCompleta", complementar)
      .dinheiro("saldoPagarSimplificada", complementar)
      .dinheiro("totalRendTribCompleta", complementar)
      .dinheiro("totalRendTribSimplificada", complementar)
      .vazio();
}

}  // namespace exporta

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "export/secoes_complementos.h"
#include "gains/reducao.h"
#include "rt/text/strings.h"

namespace exporta {

namespace {

using store::RegistroEspelho;

constexpr int kImovel = 1, kMovel = 2, kParticipacao = 3;

bool sim(const RegistroEspelho& r, std::string_view campo) {
  return rt::text::alltrim(r.txt(campo)) == "S";
}

std::string mm(int mes) {
  return doisDigitos(mes);
}

// One gain operation with the figures the file derives from its stored fields and its cost
// rows; the same figures the gains screen stored, summed or divided as the format asks.
struct Apuracao {
  explicit Apuracao(const RegistroEspelho& operacao) : op(operacao) {}
  const RegistroEspelho& op;
  std::vector<const RegistroEspelho*> custos;  // its rows of copy 28, in their order
  std::string cpf;                             // the declaration's, with its picture
  int numero = 0;                              // the item's number among its kind
  Decimal VR_GANHO, FR1, FR2, NREDUCAO, RESULTADO2, RESULTADO3, RESULTADO4;
  Decimal NVALTRI, NVALIMP, NVALPAG, NVALLEI;
  bool INDREFOR = false;
  // "S" when the disposal is of the base year, whose sheets of calculation are filled.
  std::string_view fichas() const { return op.data("DATA_ALI").year() < 2009 ? "N" : "S"; }
};

bool ePermutaComTorna(const RegistroEspelho& op) {
  return rt::text::upper(rt::text::alltrim(op.txt("NATUOPER"))) == "PERMUTA COM TORNA";
}

Apuracao apura(const DadosDeclaracao& dados, const RegistroEspelho& op, int numero) {
  Apuracao g{op};
  g.cpf = comCpf(cpfAberto(dados.d));
  g.numero = numero;
  const auto nro = op.num("BEM_NRO");
  const std::string_view cpf = rt::text::alltrim(op.txt("CPF"));
  for (const RegistroEspelho& c : dados.custosGanhos)
    if (c.num("BEM_NRO") == nro && rt::text::alltrim(c.txt("CPF")) == cpf) g.custos.push_back(&c);

  const Decimal venda = op.num("VAL_ALI");
  Decimal custo = op.num("CUS_ATUAL");
  if (ePermutaComTorna(op))
    custo = rt::text::despreza(custo * rt::text::truncate(venda / (custo + venda), 4));
  const Decimal RESUL_I = venda - custo;
  g.VR_GANHO = std::max(RESUL_I, Decimal());

  const Date inicioFatores = Date::fromYmd(gains::kAnoInicioFatores, 1, 1);
  for (const RegistroEspelho* c : g.custos) {
    g.FR1 += c->num("RESUL_2");
    g.FR2 += c->num("RESUL_3");
    g.NREDUCAO += c->num("VALOR_REDU");
    if (c->data("DATA_CUST") > inicioFatores) g.INDREFOR = true;
  }
  g.RESULTADO2 = RESUL_I - g.NREDUCAO;
  g.RESULTADO3 = rt::text::despreza(g.RESULTADO2 - g.FR1);
  g.RESULTADO4 = rt::text::despreza(g.RESULTADO3 - g.FR2);

  for (int m = 1; m <= 12; ++m) {
    g.NVALTRI += op.num("VAL_TRI" + mm(m));
    g.NVALIMP += op.num("IMP_DEV" + mm(m));
    g.NVALPAG += op.num("IMP_PAG" + mm(m));
    g.NVALLEI += op.num("IMP_LEI" + mm(m));
  }
  return g;
}

// A factor in percent: a zero total (no gain left to reduce) gives 0, as Decimal's division
// does, never an infinite or undefined number.
Decimal percentual(Decimal parte, Decimal total) {
  return parte / total * Decimal(100);
}

// What the monthly items of a kind write where the kinds differ.
struct ItemMensal {
  std::string_view codNatureza;
  Decimal aplicado{}, percentAplica{};
  bool ganhoAposAplica = false;  // the month's gain again, after the reinvestment
  bool acoes = false;            // the item's cpf, and the tax withheld set against the tax due
  bool mesEmTexto = false;       // the month as two digits rather than a number
};

// The monthly items: one for each month with a receipt.
void colCPGC(TextoXml& x, const Apuracao& g, const ItemMensal& k) {
  const RegistroEspelho& r = g.op;
  x.abre("colCPGC").texto("tipoItens", "serpro.ppgd.irpf.ganhosdecapital.ItemDadosCPGC").fim();
  for (int m = 1; m <= 12; ++m) {
    const Decimal recebido = r.num("REC_MES" + mm(m));
    if (recebido <= Decimal()) continue;
    const Decimal ganho = r.num("VAL_TRI" + mm(m)), devido = r.num("IMP_DEV" + mm(m));
    const Decimal retido = k.acoes ? r.num("IMP_LEI" + mm(m)) : Decimal();
    x.abre("item").dinheiro("aplicado", k.aplicado).a("codNatureza", k.codNatureza);
    if (k.acoes) x.a("cpf", g.cpf);
    x.dinheiro("ganhoAposAplica", k.ganhoAposAplica ? ganho : Decimal())
        .dinheiro("ganhoCapital", ganho)
        .dinheiro("impDevAplica", Decimal())
        .dinheiro("impostoAposComp", k.acoes ? devido - retido : Decimal())
        .dinheiro("impostoDevido", devido)
        .dinheiro("impostoPago", r.num("IMP_PAG" + mm(m)))
        .dinheiro("impostoRendaFonte", retido);
    if (k.mesEmTexto)
      x.a("mesRecebimento", mm(m));
    else
      x.inteiro("mesRecebimento", m);
    x.inteiro("numeroItem", g.numero)
        .dinheiro("percentAplica", k.percentAplica)
        .dinheiro("percentDiferimento", r.num("PER_TRI") * Decimal(100))
        .dinheiro("recebido", recebido)
        .vazio();
  }
  x.fecha("colCPGC");
}

void dadosApuracao(TextoXml& x, const Apuracao& g) {
  x.abre("dadosApuracao")
      .dinheiro("alienacao", g.op.num("VAL_ALI"))
      .a("codNatureza", "2")
      .a("cpf", g.cpf)
      .dinheiro("custoPermuta", Decimal())
      .a("dataAlienacao", dataTexto(g.op.data("DATA_ALI")))
      .a("dataAquisicao", dataTexto(g.op.data("DATA_ADQ")))
      .dinheiro("impostoPago", g.op.num("IMPPAGO"))
      .inteiro("numeroItem", g.numero)
      .dinheiro("valorAplicado", Decimal())
      .vazio();
}

std::string_view indMP252(Decimal PERART31) {
  if (PERART31.isZero()) return "N";
  return PERART31 == Decimal(100) ? "I" : "P";
}

// Property acquired before 1989 has the old-property reduction, one item per cost row.
void colReducao(TextoXml& x, const Apuracao& g) {
  x.abre("colReducao")
      .texto("tipoItens", "serpro.ppgd.irpf.ganhosdecapital.ItemDadosReducaoPercentual")
      .fim();
  const Date aquisicao = g.op.data("DATA_ADQ");
  if (!aquisicao.isEmpty() && aquisicao < Date::fromYmd(1988, 12, 31))
    for (const RegistroEspelho* c : g.custos)
      x.abre("item")
          .a("ano", std::to_string(c->data("DATA_CUST").year()))
          .dinheiro("coeficienteCusto", c->num("PER_CUST"))
          .a("cpf", g.cpf)
          .inteiro("numeroItem", g.numero)
          .dinheiro("parcela", c->num("VALOR_CUST"))
          // The amount open to the reduction is not stored apart from the cost row's value.
          .dinheiro("passivelReducao", Decimal())
          .dinheiro("percentualReducao", c->num("PER_RED"))
          .dinheiro("reducao", g.NREDUCAO)
          .vazio();
  x.fecha("colReducao");
}

// The renovation items: one per cost row, when a cost came after the factors began.
void colReforma(TextoXml& x, const Apuracao& g) {
  x.abre("colReforma").texto("tipoItens", "serpro.ppgd.irpf.ganhosdecapital.ItemDadosReforma").fim();
  if (g.INDREFOR)
    for (const RegistroEspelho* c : g.custos) {
      const Date quando = c->data("DATA_CUST");
      x.abre("item")
          .a("ano", std::to_string(quando.year()))
          .dinheiro("coeficienteCusto", c->num("PER_CUST"))
          .a("cpf", g.cpf)
          .a("mes", doisDigitos(quando.month()))
          .inteiro("numeroItem", g.numero)
          .dinheiro("parcela", c->num("VALOR_CUST"))
          .dinheiro("percentualReducao35", c->num("PER_RED2") * Decimal(100))
          .dinheiro("percentualReducao60", c->num("PER_RED1") * Decimal(100))
          .dinheiro("valorReducao35", c->num("RESUL_3"))
          .dinheiro("valorReducao60", c->num("RESUL_2"))
          .vazio();
    }
  x.fecha("colReforma");
}

void bemImovel(TextoXml& x, const Apuracao& g) {
  const RegistroEspelho& r = g.op;
  const Decimal PERART31 = r.num("PERART31");
  const int PER_RED = gains::FPER_RED(r.data("DATA_ADQ"), sim(r, "VENDAANT"));
  const std::string_view fichas = g.fichas();
  x.abre("item")
      .texto("CGCCPFAdquirente", r.txt("CPFADQ"))
      .texto("IndFichaPrazo", r.txt("VEN_PRAZO"))
      .a("cpf", g.cpf)
      .dinheiro("custo", r.num("CUS_ATUAL"))
      .mapeado("descricaoBem", r.txt("ESPC_BEM1") + r.txt("ESPC_BEM2"))
      .mapeado("descricaoOperacao", r.txt("NATUOPER"))
      .mapeado("enderecoBairro", r.txt("BAIRIMO"))
      .texto("enderecoCEP", r.txt("CEPIMO"))
      .mapeado("enderecoComplemento", r.txt("COMPIMO"))
      .mapeado("enderecoLogradouro", r.txt("ENDEIMO"))
      .mapeado("enderecoMunicipio", r.txt("MUNICIMO"))
      .mapeado("enderecoNumero", r.txt("NUMIMO"))
      .texto("enderecoUF", r.txt("UFIMO"))
      .dinheiro("exclusivo", g.NVALTRI - g.NVALPAG)
      .dinheiro("fatorReducao35", percentual(g.FR2, g.RESULTADO3))
      .dinheiro("fatorReducao60", percentual(g.FR1, g.RESULTADO2))
      .dinheiro("ganhoCapital", std::max(g.RESULTADO4, Decimal()))
      .dinheiro("impostoDevido", g.NVALIMP)
      .dinheiro("impostoPago", g.NVALPAG)
      .texto("indAlienacaoPrazo", r.txt("VEN_PRAZO"))
      .texto("indBemIsentoPeqValor", r.txt("PEQ_VALOR"))
      .a("indConjuntoBensBaixoVlr", "S")
      .a("indFichaApuracao", fichas)
      .a("indFichaCalculo", fichas)
      .a("indFichaIdentif", "S")
      // No stored field says whether the reduction sheets were filled: empty, as an unset
      // text is written.
      .a("indFichaReducao", "")
      .a("indMP252", indMP252(PERART31))
      .a("indOutraAlienacao", "S")
      .a("indPropriedadeOutroImov", "S")
      .a("indRedAmpliacaoReforma", "")
      .a("indRedAquisParcelada", "N")
      .a("indReducaoUnica", "")
      .a("indReforma", g.INDREFOR ? "S" : "N")
      .a("indUnicoImovel", "N")
      .dinheiro("isento", r.num("VAL_NAOTRI"))
      .mapeado("nomeAdquirente", r.txt("NOME_ADQ"))
      .inteiro("numeroItem", g.numero)
      .dinheiro("percentualAplicado", PERART31)
      .inteiro("percentualReducao", PER_RED)
      .dinheiro("resultado1", g.VR_GANHO)
      .dinheiro("resultado2", g.RESULTADO2)
      .dinheiro("resultado3", g.RESULTADO3)
      .dinheiro("totalReducaoDiferida", g.NREDUCAO)
      .dinheiro("valorAplicado", r.num("VAL_PARTE"))
      .dinheiro("valorGanhoAposValorAplicado", g.NVALTRI)
      .dinheiro("valorImpostoDevidoAposReAplicado", g.NVALTRI * Decimal::fromRaw(15000000))
      .dinheiro("valorReducao35", g.FR2)
      .dinheiro("valorReducao60", g.FR1)
      .dinheiro("valorResultadoAposReduc35", g.RESULTADO4)
      .dinheiro("valorResultadoAposReduc60", g.RESULTADO3)
      .fim();

  colCPGC(x, g,
          {.codNatureza = "1",
           .aplicado = r.num("VAL_PARTE"),
           .percentAplica = PERART31,
           .ganhoAposAplica = true});

  colReducao(x, g);
  colReforma(x, g);
  dadosApuracao(x, g);
  x.fecha("item");
}

void bemMovel(TextoXml& x, const Apuracao& g) {
  const RegistroEspelho& r = g.op;
  // Every kind marks the sheets of an earlier year's disposal "N"; so do movable goods.
  const std::string_view fichas = g.fichas();
  x.abre("item")
      .texto("CGCCPFAdquirente", r.txt("CPFADQ"))
      .a("cpf", g.cpf)
      .dinheiro("custo", r.num("CUS_ATUAL"))
      .mapeado("descricaoBem",
               r.txt("ESPC_BEM1") + r.txt("ESPC_BEM2") + rt::text::substr(r.txt("ESPC_BEM3"), 1, 46))
      .mapeado("descricaoOperacao", r.txt("NATUOPER"))
      .dinheiro("exclusivo", r.num("VAL_TRIBU"))
      .dinheiro("ganhoCapital", g.NVALTRI)
      .dinheiro("impostoDevido", g.NVALIMP)
      // What was paid, not the tax due again.
      .dinheiro("impostoPago", g.NVALPAG)
      .texto("indAlienacaoPrazo", r.txt("VEN_PRAZO"))
      .texto("indBemIsentoPeqValor", r.txt("PEQ_VALOR"))
      .a("indConjuntoBensBaixoVlr", "S")
      .a("indFichaApuracao", fichas)
      .a("IndFichaCalculo", fichas)
      .a("indFichaIdentif", "S")
      .texto("indFichaPrazo", r.txt("VEN_PRAZO"))
      .dinheiro("isento", r.num("VAL_NAOTRI"))
      .mapeado("nomeAdquirente", r.txt("NOME_ADQ"))
      .inteiro("numeroItem", g.numero)
      .dinheiro("resultado1", g.VR_GANHO)
      .dinheiro("Resultado2", g.VR_GANHO)
      .fim();
  colCPGC(x, g, {.codNatureza = "2", .mesEmTexto = true});
  dadosApuracao(x, g);
  x.fecha("item");
}

void participacao(TextoXml& x, const Apuracao& g) {
  const RegistroEspelho& r = g.op;
  const std::string_view fichas = g.fichas();
  x.abre("item")
      .texto("CGCCPFAdquirente", r.txt("CPFADQ"))
      .texto("CNPJSociedade", r.txt("CGC_SOCIE"))
      .dinheiro("alienacao", r.num("VAL_ALI"))
      .mapeado("cidadeSociedade", r.txt("CID_SOCIE"))
      .a("cpf", g.cpf)
      .dinheiro("custo", r.num("CUS_ATUAL"))
      .a("dataAlienacao", dataTexto(r.data("DATA_ALI")))
      // The kind of share is not stored with the operation.
      .a("especie", "")
      .dinheiro("exclusivo", r.num("VAL_TRIBU"))
      .dinheiro("ganhoCapital", g.NVALTRI)
      .dinheiro("impostoAposComp", g.NVALIMP - g.NVALLEI)
      .dinheiro("impostoDevido", g.NVALIMP)
      .dinheiro("impostoPago", g.NVALIMP - g.NVALLEI)
      .dinheiro("impostoRendaFonte", g.NVALLEI)
      .texto("indFichaPrazo", r.txt("VEN_PRAZO"))
      .texto("indBemIsentoPeqValor", r.txt("PEQ_VALOR"))
      .texto("indConjuntoBensBaixoVlr", r.txt("PEQ_VALOR"))
      .a("indFichaApuracao", fichas)
      .a("indFichaCalculo", fichas)
      .a("indFichaCusto", fichas)
      .a("indFichaIdentif", "S")
      .texto("indAlienacaoPrazo", r.txt("VEN_PRAZO"))
      .dinheiro("isento", r.num("VAL_NAOTRI"))
      .mapeado("nomeAdquirente", r.txt("NOME_ADQ"))
      .mapeado("nomeSociedade", r.txt("ESPC_BEM1"))
      .inteiro("numeroItem", g.numero)
      .dinheiro("resultado1", g.VR_GANHO)
      .dinheiro("resultado2", g.VR_GANHO)
      .texto("siglaUF", r.txt("EST_SOCIE"))
      .fim();
  colCPGC(x, g, {.codNatureza = "3", .acoes = true});
  // The quantity of shares sold is not stored with the operation, so no quota item is
  // written (the format's rule for a quantity of 0).
  x.abre("colGCapQuota").texto("tipoItens", "serpro.ppgd.irpf.ganhosdecapital.ItemDadosGCapQuota").fim();
  x.fecha("colGCapQuota");
  x.fecha("item");
}

struct Tipo {
  int TIPO_BEM;
  std::string_view elemento, tipoItens;
  void (*item)(TextoXml&, const Apuracao&);
};

constexpr Tipo kTipos[] = {
    {kImovel, "bensImoveis", "serpro.ppgd.irpf.ganhosdecapital.bensimoveis.ItemDadosBemImovel", bemImovel},
    {kMovel, "bensMoveis", "serpro.ppgd.irpf.ganhosdecapital.bensmoveis.ItemDadosBemMovel", bemMovel},
    {kParticipacao, "participacoesSocietarias",
     "serpro.ppgd.irpf.ganhosdecapital.psocietarias.ItemDadosPSocietarias", participacao},
};

}  // namespace

bool temOperacoesDeGanho(const DadosDeclaracao& dados) {
  for (const RegistroEspelho& r : dados.ganhos)
    if (r.num("TIPO_BEM") != Decimal(4)) return true;
  return false;
}

void ganhosDeCapital(TextoXml& x, const DadosDeclaracao& dados) {
  if (!temOperacoesDeGanho(dados)) {
    semGanhos(x);
    return;
  }
  const auto n = [&dados](std::string_view campo) { return dados.d.tabela01.num(campo); };
  x.abre("ganhosDeCapital")
      .dinheiro("totalImpostoPagoSobreGanhosCapital", n("I13_39"))
      .dinheiro("totalImpostoRetidoFonteSobreGanhosCapital", Decimal())
      .fim();
  for (const Tipo& tipo : kTipos) {
    x.abre(tipo.elemento).texto("tipoItens", tipo.tipoItens).fim();
    int numero = 0;
    for (const RegistroEspelho& r : dados.ganhos)
      if (r.num("TIPO_BEM") == Decimal(tipo.TIPO_BEM)) tipo.item(x, apura(dados, r, ++numero));
    x.fecha(tipo.elemento);
  }
  x.abre("declarantes")
      .texto("tipoItens", "serpro.ppgd.irpf.ganhosdecapital.IdentificacaoDeclaranteGCAP")
      .fim();
  x.abre("item")
      .a("cpf", comCpf(cpfAberto(dados.d)))
      .mapeado("nome", dados.d.registro.txt("NOMECONTR"))
      .dinheiro("valorExclusivo", n("I4_02"))
      .dinheiro("valorImpostoPago", n("I13_39"))
      .dinheiro("valorPequeno", n("I3_04GCPVC"))
      .dinheiro("valorReducao", n("I3_04REDUC"))
      .dinheiro("valorUnicoImovel", n("I3_04UNICC"))
      .vazio();
  x.fecha("declarantes").fecha("ganhosDeCapital");
}

}  // namespace exporta

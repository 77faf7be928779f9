// The declaration file against the expected files kept beside the tests, checked by xmllint
// and read back with pugixml where the fields carry the rules most easily got wrong.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <pugixml.hpp>
#include <sstream>

#include "declaracoes.h"
#include "rt/text/cp860.h"
#include "export/secoes_complementos.h"
#include "support/scratch_dir.h"

namespace exporta::teste {
namespace {

using namespace rt::text::literals;

std::string le(const std::string& caminho) {
  std::ifstream f(caminho, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

// Compares with the expected file; TAVREN_ATUALIZA_ESPERADOS=1 writes it instead (to be read
// through before it is committed).
void confereEsperado(const std::string& texto, const std::string& nome) {
  const std::string caminho = std::string(TAVREN_EXPORT_ESPERADO) + "/" + nome;
  if (std::getenv("TAVREN_ATUALIZA_ESPERADOS") != nullptr) {
    std::ofstream(caminho, std::ios::binary) << texto;
    return;
  }
  EXPECT_EQ(texto, le(caminho)) << nome;
}

void confereXmllint(const std::string& texto) {
  const std::string pasta = support::makeScratchDir("xml");
  const std::string arquivo = pasta + "/DECLA.XML";
  std::ofstream(arquivo, std::ios::binary) << texto;
  EXPECT_EQ(std::system(("xmllint --noout " + arquivo + " 2>&1").c_str()), 0);
  support::removeScratchDir(pasta);
}

class DeclaracaoXml : public ::testing::Test {
 protected:
  pugi::xml_node no(const char* caminho) { return doc.select_node(caminho).node(); }
  std::string at(const char* caminho, const char* atributo) { return no(caminho).attribute(atributo).value(); }
  void carrega(const std::string& texto) {
    const auto r = doc.load_string(texto.c_str());
    ASSERT_TRUE(r) << r.description();
  }
  Declaracao x;
  pugi::xml_document doc;
};

TEST_F(DeclaracaoXml, SimplificadaDeResidenteNoExterior) {
  simplificada(x);
  const std::string texto = textoDe(x.dados);
  ASSERT_FALSE(texto.empty());
  confereEsperado(texto, "simplificada.xml");
  confereXmllint(texto);
  carrega(texto);
  // The address twice, "DF" and the country's code; an area code of one digit is left out.
  EXPECT_EQ(at("/classe/contribuinte", "logradouroExt"), "CHAMPS ELYSEES");
  EXPECT_EQ(at("/classe/contribuinte", "uf"), "DF");
  EXPECT_EQ(at("/classe/contribuinte", "pais"), "249");
  EXPECT_EQ(at("/classe/contribuinte", "exterior"), "1");
  EXPECT_EQ(at("/classe/contribuinte", "ddd"), "");
  // 20 % of 80,000.00 is above the year's cap.
  EXPECT_EQ(at("/classe/resumo/calculoImposto", "descontoSimplificado"), "12.743,63");
  EXPECT_EQ(at("/classe/comparativo", "baseCalcSimplificada"), "67.256,37");
  // No automatic debit and no quotas: the refund's bank with "N".
  EXPECT_EQ(at("/classe/resumo/calculoImposto", "debitoAutomatico"), "N");
  EXPECT_EQ(at("/classe/resumo/calculoImposto", "agencia"), "12345");
  EXPECT_EQ(at("/classe/resumo/calculoImposto", "dvAgencia"), "6");
  EXPECT_EQ(at("/classe/resumo/calculoImposto", "indicadorPrimeiraQuota"), "0");
  // Zeros are written, never empty.
  EXPECT_EQ(at("/classe/resumo/calculoImposto", "numQuotas"), "0");
  EXPECT_EQ(at("/classe/impostoPago", "impostoRetidoFonte"), "0,00");
}

TEST_F(DeclaracaoXml, CompletaComTodasAsSecoes) {
  completa(x);
  const std::string texto = textoDe(x.dados);
  ASSERT_FALSE(texto.empty());
  confereEsperado(texto, "completa.xml");
  confereXmllint(texto);
  carrega(texto);

  // Withheld tax is the titular's plus the dependants', not last year's assets.
  EXPECT_EQ(at("/classe/resumo/outrasInformacoes", "totalImpostoRetidoNaFonte"), "4.500,00");
  // The balance to pay is the tax, not the number of quotas.
  EXPECT_EQ(at("/classe/resumo/calculoImposto", "saldoImpostoPagar"), "1.899,88");
  EXPECT_EQ(at("/classe/resumo/calculoImposto", "numQuotas"), "3");
  // Automatic debit with quotas still names the bank.
  EXPECT_EQ(at("/classe/resumo/calculoImposto", "debitoAutomatico"), "autorizado");
  EXPECT_EQ(at("/classe/resumo/calculoImposto", "banco"), "001");
  EXPECT_EQ(at("/classe/resumo/calculoImposto", "agencia"), "1234");
  EXPECT_EQ(at("/classe/resumo/calculoImposto", "contaCredito"), "12 345 678-9");
  EXPECT_EQ(at("/classe/resumo/calculoImposto", "dvContaCredito"), "07");
  EXPECT_EQ(at("/classe/resumo/calculoImposto", "indicadorPrimeiraQuota"), "1");

  // Code 97 is a dependant only; 98 and 99 are alimony beneficiaries; only the two named
  // dependants count for the monthly deduction (2 x 144.20 in the months with income).
  EXPECT_EQ(doc.select_nodes("/classe/dependentes/item").size(), 2u);
  EXPECT_EQ(doc.select_nodes("/classe/alimentandos/item").size(), 2u);
  EXPECT_EQ(at("/classe/alimentandos/item[1]", "residente"), "1");
  EXPECT_EQ(at("/classe/alimentandos/item[2]", "residente"), "0");
  EXPECT_EQ(at("/classe/rendPFTitular/janeiro", "dependentes"), "288,40");
  EXPECT_EQ(at("/classe/rendPFTitular/abril", "dependentes"), "0,00");
  EXPECT_EQ(at("/classe/rendPFTitular/janeiro", "darfPago"), "160,00");
  EXPECT_EQ(at("/classe/rendPFTitular", "totalPensao"), "6.000,00");

  // The titular's row without a name was confirmed, the one without CNPJ was not.
  EXPECT_EQ(doc.select_nodes("/classe/rendPJ/colecaoRendPJTitular/item").size(), 2u);
  EXPECT_EQ(at("/classe/rendPJ/colecaoRendPJTitular", "niMaiorFontePagadora"), "11.222.333/0001-81");
  EXPECT_EQ(at("/classe/rendPJ", "totalRendRecebPessoaJuridica"), "62.100,00");

  // Mapped text: accents and "&", "<", ">" become ASCII; unmapped text keeps its quote.
  EXPECT_EQ(at("/classe/contribuinte", "logradouro"), "DAS FLORES e CIA -A-");
  EXPECT_EQ(at("/classe/contribuinte", "cidade"), "SAO PAULO");
  EXPECT_EQ(at("/classe/contribuinte", "bairro"), "CENTRO HISTORICO DA");
  EXPECT_EQ(at("/classe/espolio", "numProcessoJudicial"), "0001/2009-\"A\"");
  EXPECT_EQ(at("/classe/espolio", "tipoJudicial"), "1");
  // An empty CNPJ is empty, not the picture's punctuation.
  EXPECT_EQ(at("/classe/espolio/escrituracaoPublica", "cnpjCartorio"), "");
  // Amounts are cut, not rounded.
  EXPECT_EQ(at("/classe/rendIsentos", "outros"), "123,45");

  // The assets' run: its earlier rows keep no code, its last gets 99; the row without a
  // description is not written.
  auto bens = doc.select_nodes("/classe/bens/item");
  ASSERT_EQ(bens.size(), 5u);
  EXPECT_STREQ(bens[1].node().attribute("codigo").value(), "00");
  EXPECT_STREQ(bens[3].node().attribute("codigo").value(), "99");
  EXPECT_STREQ(bens[4].node().attribute("pais").value(), "607");
  EXPECT_STREQ(bens[4].node().attribute("nomePais").value(), "");
  EXPECT_EQ(at("/classe/dividas/item", "codigo"), "16");

  // Payment codes 91 and 97 are the program's 60 and 99; the domestic employee's NIT; the
  // alimony beneficiary's payment is of kind "A".
  auto pagos = doc.select_nodes("/classe/pagamentos/item");
  ASSERT_EQ(pagos.size(), 7u);
  EXPECT_EQ(at("/classe/pagamentos", "ultimoIndiceGerado"), "7");
  EXPECT_STREQ(pagos[2].node().attribute("tipo").value(), "A");
  EXPECT_STREQ(pagos[3].node().attribute("nitEmpregadoDomestico").value(), "1234567890");
  EXPECT_STREQ(pagos[3].node().attribute("niBeneficiario").value(), "33344455566");
  EXPECT_STREQ(pagos[5].node().attribute("codigo").value(), "60");
  EXPECT_STREQ(pagos[6].node().attribute("codigo").value(), "99");
  EXPECT_EQ(at("/classe/doacoes", "totalDoacoes"), "200,00");

  // The profit lines' table states its own total.
  EXPECT_EQ(at("/classe/rendTributacaoExclusiva/outrosQuadroAuxiliar", "totais"), "400,00");
}

TEST_F(DeclaracaoXml, SecoesAposDoacoes) {
  completa(x);
  comRendaVariavel(x);
  comRural(x);
  const std::string texto = textoDe(x.dados, "SN", complementosDaDeclaracao());
  ASSERT_FALSE(texto.empty());
  confereEsperado(texto, "complementos.xml");
  confereXmllint(texto);
  carrega(texto);

  // Month names padded to nine characters in both tags; every month is written.
  EXPECT_NE(texto.find("<maio      impostoApagar=\"1.500,00\""), std::string::npos);
  EXPECT_NE(texto.find("</maio     ><junho    "), std::string::npos);
  EXPECT_EQ(doc.select_nodes("/classe/rendaVariavel/*").size(), 13u);
  // The later row of a line replaces the earlier one; day trade in its own column.
  EXPECT_EQ(at("/classe/rendaVariavel/maio/operacoesComuns", "mercadoVistaAcoes"), "10.000,00");
  EXPECT_EQ(at("/classe/rendaVariavel/maio/operacoesDayTrade", "mercadoVistaAcoes"), "3.000,00");
  EXPECT_EQ(at("/classe/rendaVariavel/maio/operacoesDayTrade", "mercadoFuturoDolar"), "400,00");
  EXPECT_EQ(at("/classe/rendaVariavel/maio/operacoesDayTrade", "impostoDevido"), "680,00");
  EXPECT_EQ(at("/classe/rendaVariavel/maio", "irFonteDayTradeMesAtual"), "34,00");
  // Losses carried are written negative.
  EXPECT_EQ(at("/classe/rendaVariavel/junho/operacoesComuns", "mercadoVistaAcoes"), "-2.500,50");
  EXPECT_EQ(at("/classe/rendaVariavel/junho/operacoesComuns", "prejuizoCompensar"), "-2.500,50");
  EXPECT_EQ(at("/classe/rendaVariavel/junho/operacoesComuns", "resultadoNegativoMesAnterior"), "-1.200,00");
  // The tax to pay has its item only in the month that has one.
  EXPECT_EQ(at("/classe/rendaVariavel/maio/colecaoItemImpostoPagar/item", "valor"), "2.146,00");
  EXPECT_EQ(at("/classe/rendaVariavel/maio/colecaoItemImpostoPagar/item", "cpf"), "123.456.789-09");
  EXPECT_EQ(doc.select_nodes("/classe/rendaVariavel/*/colecaoItemImpostoPagar/item").size(), 1u);
  EXPECT_EQ(at("/classe/rendaVariavel/junho/colecaoItemImpostoPagar", "total"), "0,00");
  // Funds: three-letter months, their own rows only.
  EXPECT_EQ(doc.select_nodes("/classe/rendaVariavel/fundInvest/*").size(), 12u);
  EXPECT_EQ(at("/classe/rendaVariavel/fundInvest/mar", "resultLiquidoMes"), "800,00");
  EXPECT_EQ(at("/classe/rendaVariavel/fundInvest/mar", "impostoDevido"), "160,00");
  EXPECT_EQ(at("/classe/rendaVariavel/fundInvest/mai", "resultLiquidoMes"), "0,00");

  // Rural activity: one wrapper per side; only named properties are identified.
  EXPECT_EQ(doc.select_nodes("/classe/atividadeRural/*").size(), 2u);
  EXPECT_EQ(doc.select_nodes("/classe/atividadeRural/brasil/identificacaoImovel/item").size(), 1u);
  EXPECT_EQ(at("/classe/atividadeRural/brasil/identificacaoImovel/item", "nome"), "FAZENDA SAO JOSE");
  EXPECT_EQ(at("/classe/atividadeRural/brasil/identificacaoImovel/item", "area"), "1.234,5");
  EXPECT_EQ(at("/classe/atividadeRural/brasil/receitasDespesas/dezembro", "despesaCusteioInvestimento"), "70.000,00");
  EXPECT_EQ(at("/classe/atividadeRural/brasil/apuracaoResultado", "resultadoTributavel"), "10.000,00");
  // The final stock is lines 1 + 2 + 3 - 4 - 5 of each kind, written as money.
  EXPECT_EQ(at("/classe/atividadeRural/brasil/movimentacaoRebanho/bovinos", "estoqueFinal"), "130,00");
  EXPECT_EQ(at("/classe/atividadeRural/brasil/movimentacaoRebanho/outros", "estoqueFinal"), "12,00");
  EXPECT_EQ(at("/classe/atividadeRural/exterior/movimentacaoRebanho/suinos", "estoqueFinal"), "5,00");
  EXPECT_EQ(at("/classe/atividadeRural/brasil/dividas/item", "discriminacao"), "FINANCIAMENTO RURAL e CIA");
  // Abroad: the revenue total of every row, the result in dollars from line 01, the countries
  // named from their codes.
  EXPECT_EQ(at("/classe/atividadeRural/exterior/receitasDespesas", "totais"), "9.000,00");
  EXPECT_EQ(at("/classe/atividadeRural/exterior/receitasDespesas/item[2]", "resultadoIMoedaOriginal"), "2.500,00");
  EXPECT_EQ(at("/classe/atividadeRural/exterior/receitasDespesas/item[1]", "descricaoPais"), "ARGENTINA");
  EXPECT_EQ(at("/classe/atividadeRural/exterior/apuracaoResultado", "resultadoI_EmDolar"), "3.000,00");
  EXPECT_EQ(at("/classe/atividadeRural/exterior/apuracaoResultado", "resultadoI_EmReais"), "5.250,00");
  EXPECT_EQ(at("/classe/atividadeRural/exterior/bens/item", "descricaoPais"), "PORTUGAL");
  EXPECT_EQ(at("/classe/atividadeRural/exterior/bens/item", "codigo"), "12");

  // The gains and foreign-currency sections of a declaration without gain operations are
  // their empty forms; the identifier copy closes the file.
  EXPECT_EQ(at("/classe/ganhosDeCapital", "totalImpostoPagoSobreGanhosCapital"), "0,00");
  EXPECT_EQ(doc.select_nodes("/classe/moedaEstrangeira/*").size(), 5u);
  EXPECT_EQ(at("/classe/copiaIdentificador", "cpf"), "123.456.789-09");
  EXPECT_EQ(std::string(doc.child("classe").last_child().name()), "copiaIdentificador");
}

TEST_F(DeclaracaoXml, GanhosDeCapitalDeCadaTipo) {
  simplificada(x);
  comGanhos(x);
  const std::string texto = textoDe(x.dados, "SN", complementosDaDeclaracao());
  ASSERT_FALSE(texto.empty());
  confereEsperado(texto, "ganhos.xml");
  confereXmllint(texto);
  carrega(texto);
  const char* imovel = "/classe/ganhosDeCapital/bensImoveis/item[1]";
  const char* semReducao = "/classe/ganhosDeCapital/bensImoveis/item[2]";
  const char* movel = "/classe/ganhosDeCapital/bensMoveis/item";
  const char* acoes = "/classe/ganhosDeCapital/participacoesSocietarias/item";

  EXPECT_EQ(at("/classe/ganhosDeCapital", "totalImpostoPagoSobreGanhosCapital"), "53.250,00");
  // Property: the old-property reduction, then the two factors on what is left, each as a
  // percentage of its own base; only this taxpayer's cost rows count.
  EXPECT_EQ(at(imovel, "resultado1"), "400.000,00");
  EXPECT_EQ(at(imovel, "totalReducaoDiferida"), "16.000,00");
  EXPECT_EQ(at(imovel, "resultado2"), "384.000,00");
  EXPECT_EQ(at(imovel, "valorReducao60"), "50.000,00");
  EXPECT_EQ(at(imovel, "fatorReducao60"), "13,02");
  EXPECT_EQ(at(imovel, "valorResultadoAposReduc60"), "334.000,00");
  EXPECT_EQ(at(imovel, "fatorReducao35"), "4,49");
  EXPECT_EQ(at(imovel, "valorResultadoAposReduc35"), "319.000,00");
  EXPECT_EQ(at(imovel, "ganhoCapital"), "319.000,00");
  EXPECT_EQ(at(imovel, "exclusivo"), "271.150,00");
  EXPECT_EQ(at(imovel, "percentualReducao"), "20");
  EXPECT_EQ(at(imovel, "indReforma"), "S");
  EXPECT_EQ(at(imovel, "indMP252"), "N");
  EXPECT_EQ(at(imovel, "indFichaApuracao"), "S");
  EXPECT_EQ(at(imovel, "descricaoBem"), "CASA NA PRAIA");
  EXPECT_EQ(doc.select_nodes("/classe/ganhosDeCapital/bensImoveis/item[1]/colReducao/item").size(), 2u);
  EXPECT_EQ(doc.select_nodes("/classe/ganhosDeCapital/bensImoveis/item[1]/colReforma/item").size(), 2u);
  EXPECT_EQ(at("/classe/ganhosDeCapital/bensImoveis/item[1]/colReforma/item[2]", "mes"), "06");
  EXPECT_EQ(at("/classe/ganhosDeCapital/bensImoveis/item[1]/colReforma/item[2]", "percentualReducao60"), "8,00");
  EXPECT_EQ(at("/classe/ganhosDeCapital/bensImoveis/item[1]/colCPGC/item", "mesRecebimento"), "3");
  EXPECT_EQ(at("/classe/ganhosDeCapital/bensImoveis/item[1]/colCPGC/item", "percentDiferimento"), "63,80");
  EXPECT_EQ(at("/classe/ganhosDeCapital/bensImoveis/item[1]/dadosApuracao", "dataAquisicao"), "10/05/1985");

  // Nothing to reduce: a zero base gives factors of 0, not an infinite number.
  EXPECT_EQ(at(semReducao, "numeroItem"), "2");
  EXPECT_EQ(at(semReducao, "fatorReducao60"), "0,00");
  EXPECT_EQ(at(semReducao, "fatorReducao35"), "0,00");
  EXPECT_EQ(at(semReducao, "indMP252"), "I");
  EXPECT_EQ(at(semReducao, "indFichaCalculo"), "N");
  EXPECT_EQ(doc.select_nodes("/classe/ganhosDeCapital/bensImoveis/item[2]/colCPGC/item").size(), 2u);
  EXPECT_EQ(at("/classe/ganhosDeCapital/bensImoveis/item[2]/colCPGC/item[2]", "mesRecebimento"), "8");
  EXPECT_EQ(doc.select_nodes("/classe/ganhosDeCapital/bensImoveis/item[2]/colReducao/item").size(), 0u);
  EXPECT_EQ(doc.select_nodes("/classe/ganhosDeCapital/bensImoveis/item[2]/colReforma/item").size(), 0u);

  // Movable goods: the exchange with a balance costs only the share the sale bears; what was
  // paid is the tax paid, not the tax due; the month in two digits.
  EXPECT_EQ(at(movel, "numeroItem"), "1");
  EXPECT_EQ(at(movel, "resultado1"), "36.000,00");
  EXPECT_EQ(at(movel, "impostoDevido"), "3.000,00");
  EXPECT_EQ(at(movel, "impostoPago"), "2.500,00");
  EXPECT_EQ(at(movel, "indFichaApuracao"), "S");
  EXPECT_EQ(at(movel, "IndFichaCalculo"), "S");
  EXPECT_EQ(at(movel, "descricaoBem"), "VEICULO IMPORTADO MARCA X MODELO Y ANO 2007 COR PRATA PLACA ABC1");
  EXPECT_EQ(at("/classe/ganhosDeCapital/bensMoveis/item/colCPGC/item", "mesRecebimento"), "07");

  // Shares: the tax withheld is set against the tax due.
  EXPECT_EQ(at(acoes, "nomeSociedade"), "CONSTRUTORA AGUA LTDA");
  EXPECT_EQ(at(acoes, "impostoRendaFonte"), "100,00");
  EXPECT_EQ(at(acoes, "impostoPago"), "2.900,00");
  const char* mesDasAcoes = "/classe/ganhosDeCapital/participacoesSocietarias/item/colCPGC/item";
  EXPECT_EQ(at(mesDasAcoes, "impostoAposComp"), "2.900,00");
  EXPECT_EQ(at(mesDasAcoes, "cpf"), "123.456.789-09");
  EXPECT_TRUE(no("/classe/ganhosDeCapital/participacoesSocietarias/item/colGCapQuota"));

  EXPECT_EQ(at("/classe/ganhosDeCapital/declarantes/item", "valorExclusivo"), "339.000,00");
  EXPECT_EQ(at("/classe/ganhosDeCapital/declarantes/item", "valorReducao"), "65.000,00");
  EXPECT_EQ(std::string(no("/classe/ganhosDeCapital").next_sibling().name()), "moedaEstrangeira");
}

TEST_F(DeclaracaoXml, AtividadeRuralVazia) {
  // No rural activity, or a side without its summary: the empty blocks, each in one wrapper.
  simplificada(x);
  TextoXml semRural;
  atividadeRural(semRural, x.dados);
  comRural(x);
  x.dados.ruralExterior.resumo.reset();
  // Brazil with its summary but no property: the warning, and the empty block.
  x.dados.ruralBrasil.imoveis.clear();
  std::vector<std::string> avisos;
  x.dados.aviso = [&](std::string_view t) { avisos.emplace_back(t); };
  TextoXml semImovel;
  atividadeRural(semImovel, x.dados);
  EXPECT_EQ(semImovel.str(), semRural.str());
  EXPECT_EQ(avisos, std::vector<std::string>{std::string("Sem um imovel rural nao é possível fazer a Atividade Rural"_cp)});
  carrega(semRural.str());
  EXPECT_EQ(doc.select_nodes("/atividadeRural/brasil").size(), 1u);
  EXPECT_EQ(doc.select_nodes("/atividadeRural/brasil/*").size(), 6u);
  EXPECT_EQ(doc.select_nodes("/atividadeRural/exterior/*").size(), 6u);
  EXPECT_EQ(doc.select_nodes("/atividadeRural/brasil/receitasDespesas/*").size(), 12u);
  EXPECT_EQ(at("/atividadeRural/exterior/apuracaoResultado", "resultadoI_EmDolar"), "0,00");
}

}  // namespace
}  // namespace exporta::teste

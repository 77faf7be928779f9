// Capital-gains records in both layouts: the capital-gains program's own files and the gains
// inside a declaration of this year.
#include "converter/receita/ganhos.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "converter/receita_arquivo.h"
#include "receita_fixture.h"
#include "rt/text/cp860.h"
#include "support/dbfread.h"

namespace converter::teste {
namespace {

using namespace rt::text::literals;

const std::string kCpf = "11144477735";

class GanhosArquivoTest : public ReceitaFixture, public ::testing::Test {
 protected:
  void SetUp() override {
    if (!support::temDbfread()) GTEST_SKIP() << "no dbfread";
  }
  std::string ganhos(std::string_view nome, const std::vector<std::string>& registros) {
    std::vector<std::string> linhas = {cabecalho("GCAP", "2010"), identificacao(kCpf, "MARIA")};
    linhas.insert(linhas.end(), registros.begin(), registros.end());
    return arquivo(nome, linhas);
  }
};

// Layout 1: an immovable with two instalments, a movable, shares with a lot of three
// records; the variable-income rows of the taxpayer stay, and a second import replaces the
// items and cost rows instead of adding to them.
TEST_F(GanhosArquivoTest, GainsFileReplacesItemsAndKeepsVariableIncome) {
  // A variable-income row already there (from a declaration), and the taxpayer registered.
  ASSERT_TRUE(FAZCONV(ctx, Modo::Declaracao,
                      arquivo("D.DEC", {cabecalho("DECL", "2010"), identificacao(kCpf, "MARIA"),
                                        Reg("42").t(12, "01").v(14, 5000)})));
  const std::vector<std::string> registros = {
      Reg("60").t(12, "01").t(14, "12345678901").t(28, "COMPRADOR").t(88, "TERRENO").t(283, "RUA A").t(458, "S")
          .v(613, 777).t(627, "01500"),
      Reg("61").t(12, "02").t(88, "CARRO").t(286, "N"),
      // The buyer's name fills 28-87, where no amount of this record lies.
      Reg("62").t(12, "03").t(14, "98765432100").t(28, "COMPRADOR DAS ACOES LTDA").t(88, "12345678000190").t(102, "ACOES XYZ").v(192, 99900).t(356, "Q"),
      Reg("63").t(12, "1").t(13, "01").t(15, "10012001").t(23, "15062009").v(31, 10000000).v(44, 4000000).v(57, 150000),
      Reg("63").t(12, "3").t(13, "03").t(15, "01012005").t(23, "20072009").v(31, 500000).v(44, 300000).v(57, 0),
      Reg("64").t(12, "1").t(13, "01").t(15, "06").v(17, 10000000).t(30, "12500").v(35, 6000000).v(48, 900000)
          .v(61, 1000).v(87, 800000),
      Reg("65").t(12, "03").t(14, "1").t(15, "0000000100").t(25, "0000000012345").v(38, 1000),
      Reg("65").t(12, "03").t(14, "1").t(15, "0000000200").t(25, "0000000012345").v(38, 2000),
      Reg("65").t(12, "03").t(14, "1").t(15, "0000000300").t(25, "0000000023456").v(38, 3000),
      Reg("68").t(12, "01").t(14, "2001").t(18, "03").v(20, 2500000).t(34, "5000"),
      Reg("68").t(12, "01").t(14, "2001").t(18, "09").v(20, 1500000).t(34, "5000")};
  for (int vez = 0; vez < 2; ++vez) {
    fala.respostas = {true};  // "Todos os ganhos ... serao excluidos! Continua?"
    ASSERT_TRUE(FAZCONV(ctx, Modo::Ganhos, ganhos("G.GB9", registros))) << ::testing::PrintToString(fala.ditos);
    EXPECT_TRUE(fala.disse("Todos os ganhos de capital feitos anteriormente serao excluidos!"));
  }
  const Linhas t7 = tabela("IMP0710", kCpf);
  ASSERT_EQ(t7.size(), 4u);
  EXPECT_EQ(t7[0].at("TIPO_BEM"), "4");  // variable income stays
  EXPECT_EQ(t7[0].at("REC_MES01"), "50.00");
  const auto& imovel = t7[1];
  EXPECT_EQ(imovel.at("TIPO_BEM"), "1");
  EXPECT_EQ(imovel.at("BEM_NRO"), "1");
  EXPECT_EQ(imovel.at("CPFADQ"), "123.456.789-01");
  EXPECT_EQ(imovel.at("NOME_ADQ"), "COMPRADOR");
  EXPECT_EQ(imovel.at("ESPC_BEM1"), "TERRENO");
  EXPECT_EQ(imovel.at("VAL_PARTE"), "7.77");
  EXPECT_EQ(imovel.at("PERART31"), "15.00");
  EXPECT_EQ(imovel.at("DATA_ADQ"), "20010110");
  EXPECT_EQ(imovel.at("DATA_ALI"), "20090615");
  EXPECT_EQ(imovel.at("VAL_ALI"), "100000.00");
  EXPECT_EQ(imovel.at("CUS_ATUAL"), "40000.00");
  EXPECT_EQ(imovel.at("PARCOMPRA"), "S");  // it had instalments
  EXPECT_EQ(imovel.at("REC_MES06"), "100000.00");
  EXPECT_EQ(imovel.at("PER_TRI"), "1.25000");
  EXPECT_EQ(imovel.at("IMP_PAG06"), "8000.00");
  EXPECT_EQ(t7[2].at("TIPO_BEM"), "2");
  EXPECT_EQ(t7[2].at("ESPC_BEM1"), "CARRO");
  EXPECT_EQ(t7[3].at("TIPO_BEM"), "3");
  EXPECT_EQ(t7[3].at("TIPOPART"), "2");
  EXPECT_EQ(t7[3].at("CGC_SOCIE"), "12345678000190");
  EXPECT_EQ(t7[3].at("VAL_ALI"), "5000.00");  // the sale's value, after the item's own
  EXPECT_EQ(t7[3].at("NOME_ADQ"), "COMPRADOR DAS ACOES LTDA");
  EXPECT_EQ(t7[3].at("CUS_ATUAL"), "3000.00");

  const Linhas t8 = tabela("IMP0810", kCpf);
  std::vector<std::string> v;
  for (const auto& l : t8)
    v.push_back(l.at("BEM_NRO") + " " + l.at("TIPO_OPER") + " " + l.at("VALOR_CUST") + " " + l.at("DATA_CUST") + " " +
                l.at("SALDO_ACAO"));
  EXPECT_EQ(v, (std::vector<std::string>{
                   "1 0 25000.00 20010301 0",  // the sale's cost row, rewritten by the first instalment
                   "3 0 3000.00 20050101 0",   // the shares' cost at their acquisition
                   "3 1 10.00 20081231 100", "3 1 20.00 20081231 200", "3 1 30.00 20081231 300",
                   "3 3 0.00 20090720 600",    // the lot closed with the sum, at the last sale's date
                   "1 0 15000.00 20010901 0"}));
  EXPECT_EQ(t8[5].at("CM_PONDER"), "2.3456");
  EXPECT_EQ(t8[0].at("PER_CUST"), "50.000000");
}

// Layout 0: the gains of a declaration of this year, the acquisition of the sale fixed at
// the end of 2005 and the monthly results from record 66.
TEST_F(GanhosArquivoTest, GainsInsideADeclarationOfThisYear) {
  ASSERT_TRUE(FAZCONV(
      ctx, Modo::Declaracao,
      arquivo("D.DEC", {cabecalho("DECL", "2010"), identificacao(kCpf, "MARIA"),
                        Reg("60").t(12, "01").t(14, "CASA NA PRAIA").t(217, "AV B").t(352, "SC").t(408, "N").v(477, 1),
                        Reg("63").t(12, "1").t(13, "01").t(15, "FULANO").t(75, "98765432100").t(89, "01032009")
                            .v(98, 2000000).v(111, 1500000).v(189, 75000).t(243, "N").t(245, "N").t(408, "N"),
                        Reg("66").t(12, "1").t(13, "01").t(15, "03").v(17, 2000000).v(131, 75000)})));
  const Linhas t7 = tabela("IMP0710", kCpf);
  ASSERT_EQ(t7.size(), 1u);
  EXPECT_EQ(t7[0].at("ESPC_BEM1"), "CASA NA PRAIA");
  EXPECT_EQ(t7[0].at("UFIMO"), "SC");
  EXPECT_EQ(t7[0].at("PEQ_VALOR"), "S");
  EXPECT_EQ(t7[0].at("NOME_ADQ"), "FULANO");
  EXPECT_EQ(t7[0].at("CPFADQ"), "987.654.321-00");
  EXPECT_EQ(t7[0].at("DATA_ADQ"), "20051231");
  EXPECT_EQ(t7[0].at("IMP_PAG03"), "750.00");
  const Linhas t8 = tabela("IMP0810", kCpf);
  ASSERT_EQ(t8.size(), 1u);
  EXPECT_EQ(t8[0].at("VALOR_CUST"), "15000.00");
  EXPECT_EQ(t8[0].at("DATA_CUST"), "20051231");
}

// A capital-gains file of a negative share quantity is refused whole with its line and
// record, and nothing of it reaches the folder.
TEST_F(GanhosArquivoTest, NegativeQuantityRefusesTheGainsFile) {
  ASSERT_TRUE(FAZCONV(ctx, Modo::Declaracao, arquivo("D.DEC", {cabecalho("DECL", "2010"), identificacao(kCpf, "MARIA")})));
  (void)ctx.areas.closeAll();
  const auto antes = bytes();
  fala.respostas = {true};
  EXPECT_EQ(FAZCONV(ctx, Modo::Ganhos,
                    ganhos("G.GB9", {Reg("62").t(12, "03").t(102, "ACOES"),
                                     Reg("65").t(12, "03").t(14, "1").t(15, "-000000100").t(25, "0000000012345")}))
                .tipo,
            Desfecho::Recusado);
  EXPECT_TRUE(fala.disse("Linha 4, registro 65: valor da posição 15 negativo"_cp)) << ::testing::PrintToString(fala.ditos);
  EXPECT_FALSE(fala.disse("serao excluidos"));  // refused before anything is asked
  (void)ctx.areas.closeAll();
  EXPECT_EQ(bytes(), antes);
}

}  // namespace
}  // namespace converter::teste

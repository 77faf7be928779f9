// Declaration files of this year and last year converted into a data folder, and read back
// as another program reads the tables.
#include "converter/receita_arquivo.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "receita_fixture.h"
#include "rt/text/cp860.h"
#include "support/dbfread.h"

namespace converter::teste {
namespace {

using namespace rt::text::literals;

const std::string kCpf = "11144477735";

class ReceitaArquivoTest : public ReceitaFixture, public ::testing::Test {
 protected:
  void SetUp() override {
    if (!support::temDbfread()) GTEST_SKIP() << "no dbfread";
  }
  // A 2010 declaration of kCpf with the records given after the identification.
  std::string declaracao(std::string_view ano, const std::vector<std::string>& registros,
                         std::string_view nome = "DECL.DEC", std::string_view tipo = "DECL") {
    std::vector<std::string> linhas = {cabecalho(tipo, ano), identificacao(kCpf, "JOS\xC9 DA CONCEI\xC7\xC3O")};
    linhas.insert(linhas.end(), registros.begin(), registros.end());
    return arquivo(nome, linhas);
  }
};

// Everything of a complete 2010 declaration: register, incomes, the self-assessed months,
// dependants under the age rules, payments tied to them, assets with their countries, debts,
// the spouse, dependants' payers, variable income, rural records and the suspended incomes.
TEST_F(ReceitaArquivoTest, WholeDeclarationOfThisYearFillsEveryTable) {
  const std::string nome(40, ' ');
  fala.respostas = {true, true};  // the first dependant, 22 years old, is taken off
  const std::string caminho = declaracao(
      "2010",
      {Reg("19").t(12, "12345678000190").v(26, 10000).v(39, 20000).v(52, 30000),
       Reg("21").t(12, "11222333000181").t(26, "EMPRESA ALFA").v(86, 5000000).v(99, 60000).v(112, 70000).v(125, 80000),
       Reg("22").t(12, "N").t(24, "01").v(26, 100000).v(65, 5000).v(91, 10000).v(117, 1500),
       Reg("22").t(12, "S").t(24, "02").v(26, 40000),
       Reg("23").v(12, 1000).v(90, 200).v(103, 300).t(168, "OUTROS ISENTOS").v(228, 400),
       Reg("24").v(12, 500).v(176, 600),
       Reg("25").t(12, "00001").t(17, "21").t(19, "FILHO VELHO").t(79, "01011980"),
       Reg("25").t(12, "00002").t(17, "11").t(19, "FILHA").t(79, "05052000").t(87, "22233344405"),
       Reg("25").t(12, "00003").t(17, "22").t(19, "ESTUDANTE").t(79, "01011980"),
       Reg("25").t(12, "00004").t(17, "41").t(19, "MENOR POBRE").t(79, "01011980"),
       Reg("25").t(12, "00005").t(17, "21").t(19, "SEM DATA"),
       Reg("26").t(12, "01").t(14, "00002").t(19, "12345678901").t(33, "CLINICA").v(104, 300000).v(117, 0),
       Reg("26").t(12, "50").t(14, "00000").t(19, "ABC123").t(33, "PREVIDENCIA").t(93, "98765432100").v(104, 1000),
       Reg("27").t(12, "11").t(14, "0").t(15, "000").t(18, "CASA").v(530, 100000).v(543, 200000),
       Reg("27").t(12, "41").t(14, "1").t(15, "249").t(18, "CONTA NO EXTERIOR").v(530, 0).v(543, 0),
       Reg("27").t(12, "12").t(14, "0").t(15, "000").t(18, "CONTINUACAO").v(530, 5000).v(543, 6000),
       Reg("28").t(12, "11").t(14, "EMPRESTIMO").v(264, 1000).v(277, 2000),
       Reg("29").t(12, "52998224725").v(23, 100).v(75, 700).t(88, "S"),
       Reg("31").t(12, "11222333000181").t(26, "EMPRESA BETA").v(86, 900).v(99, 800),
       Reg("32").t(12, "22233344405").t(23, "11222333000181").t(37, "EMPRESA DO DEPENDENTE").v(97, 111).v(110, 222)
           .v(123, 333).v(136, 444),
       Reg("42").t(12, "03").v(14, 12345),
       Reg("50").t(12, "0").t(13, "12345678").t(21, "FAZENDA").v(136, 1234, 10).v(146, 50, 5).t(151, "1").t(152, "02"),
       Reg("51").t(12, "0").t(13, "05").v(15, 700).v(28, 900),
       Reg("53").t(12, "0").t(13, "1").v(14, 1000, 10).v(24, 200, 10).v(34, 300, 10).v(44, 400, 10).v(54, 5000, 10),
       Reg("54").t(12, "0").t(13, "000").t(16, "01").t(18, "TRATOR").v(530, 50000),
       Reg("55").t(12, "0").t(13, "FINANCIAMENTO").v(263, 1000).v(276, 500).v(289, 300),
       Reg("80").t(12, "11222333000181").t(26, "SUSPENSA").v(86, 1234).v(99, 56),
       Reg("81").t(12, "22233344405").t(23, "11222333000181").t(37, "SUSPENSA DEP").v(97, 78).v(110, 9)});
  ASSERT_TRUE(FAZCONV(ctx, Modo::Declaracao, caminho)) << ::testing::PrintToString(fala.ditos);

  const Linhas reg = tabela("IMP0910", kCpf);
  ASSERT_EQ(reg.size(), 1u);
  const auto& r = reg[0];
  // Accented capitals but É lose their accent on the way to the console letters.
  EXPECT_EQ(r.at("NOMECONTR"), "JOSÉ DA CONCEIÇAO");
  EXPECT_EQ(r.at("ENDERECO"), "DAS FLORES");
  EXPECT_EQ(r.at("UF"), "SP");
  EXPECT_EQ(r.at("CODPAIS"), "105");
  EXPECT_EQ(r.at("DDDTEL"), "11");
  EXPECT_EQ(r.at("TELEFO"), "55556666");
  EXPECT_EQ(r.at("NASCIMENTO"), "19700315");
  EXPECT_EQ(r.at("SO_SIMPLES"), "N");
  EXPECT_EQ(r.at("NRORECIBO"), "112233445566");
  EXPECT_EQ(r.at("RECIBOATU").size(), 12u);
  EXPECT_EQ(r.at("RECIBOATU").substr(0, 10), "1234567890");
  EXPECT_EQ(r.at("CGCPAGADOR"), "12.345.678/0001-90");
  EXPECT_EQ(r.at("CPFCONJU"), "52998224725");
  EXPECT_EQ(r.at("CONJUNTA"), "S");
  EXPECT_EQ(r.at("I9_2"), "7.00");
  EXPECT_EQ(r.at("TEMRURAL"), "S");
  EXPECT_EQ(r.at("ESTATUS"), "1");
  EXPECT_EQ(r.at("BANCO"), "001");

  const Linhas t1 = tabela("IMP0110", kCpf);
  ASSERT_EQ(t1.size(), 1u);
  EXPECT_EQ(t1[0].at("I13_25"), "100.00");
  EXPECT_EQ(t1[0].at("I3_01"), "10.00");
  EXPECT_EQ(t1[0].at("I3_12D"), "OUTROS ISENTOS");
  EXPECT_EQ(t1[0].at("I4_01"), "5.00");
  EXPECT_EQ(t1[0].at("INDALERTA"), "10");

  // Payers: 21, the self-assessed kinds (titular "S", dependants "N"), 31, 32, then 80-81.
  const Linhas t2 = tabela("IMP0210", kCpf);
  std::vector<std::string> tipos;
  for (const auto& l : t2) tipos.push_back(l.at("I1_1") + ":" + l.at("I1_2"));
  EXPECT_EQ(tipos, (std::vector<std::string>{"J:EMPRESA ALFA", "F:Diversas fontes pagadoras", "P:INSS",
                                             "I:Receita Federal", "F:Diversas fontes pagadoras", "J:EMPRESA BETA",
                                             "D:EMPRESA DO DEPENDENTE", "J:SUSPENSA", "D:SUSPENSA DEP"}));
  EXPECT_EQ(t2[0].at("I1_3"), "11.222.333/0001-81");
  EXPECT_EQ(t2[0].at("I1_4"), "50000.00");
  EXPECT_EQ(t2[0].at("I1_5"), "800.00");
  EXPECT_EQ(t2[1].at("I1_401"), "1000.00");
  EXPECT_EQ(t2[1].at("I1_11"), "S");
  EXPECT_EQ(t2[4].at("I1_11"), "N");
  EXPECT_EQ(t2[4].at("I1_402"), "400.00");
  EXPECT_EQ(t2[5].at("I1_17"), "2.00");  // the titular's exempt amounts, once
  EXPECT_EQ(t2[5].at("I1_18"), "3.00");
  EXPECT_EQ(t2[6].at("I1_8"), "22233344405");
  EXPECT_EQ(t2[6].at("I1_6"), "2.22");
  EXPECT_EQ(t2[6].at("I1_9"), "4.00");  // the dependants' exempt and exclusive amounts
  EXPECT_EQ(t2[6].at("I1_10"), "6.00");
  EXPECT_EQ(t2[7].at("I1_19"), "12.34");
  EXPECT_EQ(t2[8].at("I1_20"), "0.09");

  // The age rules: asked for code 21 (taken off), told for 22 and 41; only the child stays.
  EXPECT_TRUE(fala.disse("O dependente completou 22 anos. A menos que ele seja"));
  EXPECT_TRUE(fala.disse("O dependente completou 25 anos e não pode ficar"_cp));
  EXPECT_TRUE(fala.disse("O menor pobre completou 22 anos"));
  // A dependant without a birth date has no age to lose him.
  const Linhas t3 = tabela("IMP0310", kCpf);
  ASSERT_EQ(t3.size(), 2u);
  EXPECT_EQ(t3[0].at("NOMEDEPEN"), "FILHA");
  EXPECT_EQ(t3[0].at("NRODEPEN"), "1");
  EXPECT_EQ(t3[0].at("DATADEPEN"), "20000505");
  EXPECT_EQ(t3[1].at("NOMEDEPEN"), "SEM DATA");
  EXPECT_EQ(t3[1].at("NRODEPEN"), "2");

  // The self-assessed months, with one kept dependant's deduction in the month of income.
  const Linhas t12 = tabela("IMP1210", kCpf);
  ASSERT_EQ(t12.size(), 1u);
  EXPECT_EQ(t12[0].at("I2_101"), "1000.00");
  EXPECT_EQ(t12[0].at("I2_501"), "15.00");
  EXPECT_EQ(t12[0].at("I2_401"), "438.40");  // 100.00 + 50.00 + 2 x 144.20
  EXPECT_EQ(t12[0].at("I2_402"), "0.00");

  // Payments: the doctor of the kept dependant (her place, code 3) and the code-50 plan.
  const Linhas t6 = tabela("IMP0610", kCpf);
  ASSERT_EQ(t6.size(), 2u);
  EXPECT_EQ(t6[0].at("I6_3"), "3");
  EXPECT_EQ(t6[0].at("I6_6"), "1");
  EXPECT_EQ(t6[0].at("I6_2"), "123.456.789-01");
  EXPECT_EQ(t6[0].at("I6_5"), "407.71");
  EXPECT_EQ(t6[1].at("I6_7"), "ABC123");
  EXPECT_EQ(t6[1].at("I6_2"), "987.654.321-00");

  // Assets: in Brazil ("000" no country), abroad, and a continuation row after one of zeros.
  const Linhas t4 = tabela("IMP0410", kCpf);
  ASSERT_EQ(t4.size(), 3u);
  EXPECT_EQ(t4[0].at("I7_8"), "");
  EXPECT_EQ(t4[0].at("I7_7"), "");
  EXPECT_EQ(t4[0].at("I7_3"), "1000.00");
  EXPECT_EQ(t4[0].at("I7_4"), "2000.00");
  EXPECT_EQ(t4[0].at("I7_0"), "1");
  EXPECT_EQ(t4[1].at("I7_8"), "249");
  EXPECT_EQ(t4[1].at("I7_7"), "S");
  EXPECT_EQ(t4[1].at("I7_1"), "2");
  EXPECT_EQ(t4[1].at("I7_0"), "11");
  EXPECT_EQ(t4[2].at("I7_1"), "0");
  EXPECT_EQ(t4[2].at("I7_5"), "0");
  EXPECT_EQ(t4[2].at("I7_0"), "21");

  const Linhas t5 = tabela("IMP0510", kCpf);
  ASSERT_EQ(t5.size(), 1u);
  EXPECT_EQ(t5[0].at("I8_3"), "10.00");
  EXPECT_EQ(t5[0].at("I8_4"), "20.00");
  EXPECT_EQ(t5[0].at("I8_6"), "10.00");

  const Linhas t7 = tabela("IMP0710", kCpf);
  ASSERT_EQ(t7.size(), 1u);
  EXPECT_EQ(t7[0].at("RVAR_NRO"), "1");
  EXPECT_EQ(t7[0].at("REC_MES03"), "123.45");

  const Linhas t16 = tabela("IMP1610", kCpf);
  ASSERT_EQ(t16.size(), 1u);
  EXPECT_EQ(t16[0].at("I2R_01"), "FAZENDA");
  EXPECT_EQ(t16[0].at("I2R_02"), "123.40");
  const Linhas t15 = tabela("IMP1510", kCpf);
  ASSERT_EQ(t15.size(), 1u);
  EXPECT_EQ(t15[0].at("I3_05OR"), "9.00");
  EXPECT_EQ(t15[0].at("I7_1B"), "10");
  EXPECT_EQ(t15[0].at("I7_5B"), "50");
  EXPECT_EQ(t15[0].at("SO_TOTAL"), "T");
  const Linhas t17 = tabela("IMP1710", kCpf);
  ASSERT_EQ(t17.size(), 1u);
  EXPECT_EQ(t17[0].at("I8R_2"), "500.00");
  EXPECT_EQ(t17[0].at("I8R_3"), "");
  const Linhas t18 = tabela("IMP1810", kCpf);
  ASSERT_EQ(t18.size(), 1u);
  EXPECT_EQ(t18[0].at("I9R_2"), "12.00");
}

// An estate's simplified declaration: the simplified totals go to the first payers, dividends
// come off the payer's exempt amount, an alimony beneficiary is numbered after the
// dependants, the estate's records fill table 1, variable income and the rural result abroad.
TEST_F(ReceitaArquivoTest, EstateSimplifiedDeclarationWithVariableIncomeAndRuralAbroad) {
  Reg id = identificacao(kCpf, "ESPOLIO");
  id.t(234, std::string(60, ' ')).t(240, "2008").t(279, "01012009");
  const std::string caminho = arquivo(
      "ESPL.DEC",
      {cabecalho("ESPL", "2010"), id,
       Reg("17").v(25, 500).v(38, 1000).v(64, 2000).v(90, 300),
       Reg("25").t(12, "00007").t(17, "11").t(19, "NETO").t(79, "01012001").t(87, "22233344405"),
       Reg("26").t(12, "02").t(14, "00007").t(19, "12345678000190").t(33, "ESCOLA").v(104, 1000),
       Reg("31").t(12, "11222333000181").t(26, "PAGADOR").v(86, 5000),
       Reg("32").t(12, "22233344405").t(23, "11222333000181").t(37, "PAGADOR DO NETO").v(97, 100),
       Reg("33").t(17, "T").t(18, "11222333000181").t(32, "PAGADOR").v(92, 400),
       Reg("35").t(12, "0").t(13, "00009").t(18, "ALIMENTANDA").t(78, "02022002"),
       Reg("36").t(12, "22233344405"),
       Reg("38").t(12, "2009").t(27, "52998224725").t(38, "INVENTARIANTE").t(168, "J").t(236, "10122009").t(374, "SP"),
       Reg("40").t(12, "01").v(14, 10000).v(183, 20000).v(391, 5000),
       Reg("50").t(12, "1").t(21, "FAZENDA NO EXTERIOR"),
       Reg("56").t(12, "249").v(15, 100000).v(28, 40000).v(41, 60000).v(54, 30000)});
  ASSERT_TRUE(FAZCONV(ctx, Modo::Declaracao, caminho)) << ::testing::PrintToString(fala.ditos);

  const Linhas t1 = tabela("IMP0110", kCpf);
  ASSERT_EQ(t1.size(), 1u);
  EXPECT_EQ(t1[0].at("ANOOBITO"), "2009");
  EXPECT_EQ(t1[0].at("DATADECIS"), "20091210");
  EXPECT_EQ(t1[0].at("CPFINVENT"), "52998224725");
  EXPECT_EQ(t1[0].at("DECJUDI"), "S");
  EXPECT_EQ(t1[0].at("DECFINAL"), "S");
  EXPECT_EQ(t1[0].at("DECSAIDA"), "N");
  EXPECT_EQ(t1[0].at("UFPROCES"), "SP");

  const Linhas t2 = tabela("IMP0210", kCpf);
  ASSERT_EQ(t2.size(), 2u);
  EXPECT_EQ(t2[0].at("I1_7"), "20.00");    // the titular's simplified totals on his first payer
  EXPECT_EQ(t2[0].at("I1_15"), "4.00");    // dividends of that payer
  EXPECT_EQ(t2[0].at("I1_9"), "11.00");    // 10.00 + 5.00 exempt, less the dividends
  EXPECT_EQ(t2[1].at("I1_7"), "3.00");     // the dependants' on the first payer of theirs
  EXPECT_EQ(t2[1].at("I1_8"), "22233344405");

  const Linhas t3 = tabela("IMP0310", kCpf);
  ASSERT_EQ(t3.size(), 2u);
  EXPECT_EQ(t3[1].at("NOMEDEPEN"), "ALIMENTANDA");
  EXPECT_EQ(t3[1].at("NRODEPEN"), "2");
  EXPECT_EQ(t3[1].at("CODIDEPEN"), "99");
  const Linhas t6 = tabela("IMP0610", kCpf);
  ASSERT_EQ(t6.size(), 1u);
  EXPECT_EQ(t6[0].at("I6_3"), "4");  // the school of the kept dependant
  EXPECT_EQ(t6[0].at("I6_6"), "1");
  const Linhas t12 = tabela("IMP1210", kCpf);
  ASSERT_EQ(t12.size(), 1u);
  EXPECT_EQ(t12[0].at("CPFDEPEN"), "22233344405");

  // Variable income: the common and day-trade matrices of January and the loss to carry.
  const Linhas t7 = tabela("IMP0710", kCpf);
  ASSERT_EQ(t7.size(), 29u);
  EXPECT_EQ(t7[0].at("DAY_TRADE") + t7[0].at("RVAR_NRO") + " " + t7[0].at("REC_MES01"), "11 100.00");
  EXPECT_EQ(t7[13].at("RVAR_NRO"), "26");
  EXPECT_EQ(t7[14].at("DAY_TRADE") + t7[14].at("RVAR_NRO") + " " + t7[14].at("REC_MES01"), "21 200.00");
  EXPECT_EQ(t7[27].at("RVAR_NRO"), "21");
  EXPECT_EQ(t7[28].at("DAY_TRADE") + t7[28].at("RVAR_NRO") + " " + t7[28].at("REC_MES01"), "115 50.00");

  // The rural result abroad on the property abroad.
  const Linhas t16 = tabela("IMP1610", kCpf);
  ASSERT_EQ(t16.size(), 1u);
  EXPECT_EQ(t16[0].at("ATV_BRASIL"), "N");
  EXPECT_EQ(t16[0].at("CODPAIS"), "249");
  EXPECT_EQ(t16[0].at("VALUSE"), "2.00");
  EXPECT_EQ(t16[0].at("OPC20US"), "60.00");
  EXPECT_EQ(t16[0].at("OPC20RS"), "353.25");
}

}  // namespace
}  // namespace converter::teste

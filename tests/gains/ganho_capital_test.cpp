// Capital gains computed on stored operations and read back from the fields the printed
// statement and the export read.
#include <gtest/gtest.h>

#include "gains/reducao.h"
#include "gains/servicos_matriz.h"
#include "gains/tabela_ganho.h"
#include "gains/totais_ganho.h"
#include "ganhos_fixture.h"
#include "rt/text/cp860.h"
#include "rt/text/date.h"

namespace gains::teste {

using rt::text::Date;
using rt::text::Decimal;
using namespace rt::text::literals;

class GanhoCapital : public DeclaracaoGanhos {
 protected:
  void imovel(int bem, Date aquisicao, Date alienacao, Decimal custo, Decimal valor, Campos outros = {}) {
    operacao(bem, {{"TIPO_BEM", Decimal(Imovel)},
                   {"NATUOPER", std::string("Venda")},
                   {"DATA_ADQ", aquisicao},
                   {"DATA_ALI", alienacao},
                   {"CUS_ATUAL", custo},
                   {"VAL_ALI", valor},
                   {"VAL_RECOL", valor}});
    for (const auto& [nome, dado] : outros) ASSERT_TRUE(tabela(store::Area::TMP_07).put(nome, dado)) << nome;
  }
  Ganho calcula() {
    std::optional<Ganho> g = calculaGanho(c);
    EXPECT_TRUE(g.has_value());
    return g.value_or(Ganho{});
  }
};

TEST(ReducaoGanho, OldPropertyReductionAndMonthsCountedFrom1996) {
  EXPECT_EQ(FPER_RED(Date::fromYmd(1975, 6, 1), false), 70);
  EXPECT_EQ(FPER_RED(Date::fromYmd(1969, 12, 31), false), 100);
  EXPECT_EQ(FPER_RED(Date::fromYmd(1989, 1, 1), false), 0);
  EXPECT_EQ(FPER_RED(Date::fromYmd(1975, 6, 1), true), 0);
  // Every date before 1996 counts from January 1996, the last day of 1995 included.
  EXPECT_EQ(DIF_MESES(Date::fromYmd(1995, 12, 31), Date::fromYmd(2005, 11, 30)), 119);
  EXPECT_EQ(DIF_MESES(Date::fromYmd(1990, 3, 10), Date::fromYmd(2005, 11, 30)), 119);
  EXPECT_EQ(DIF_MESES(Date::fromYmd(2000, 1, 15), Date::fromYmd(2005, 7, 20)), 67);
  // A sale between June and October 2005 uses only the 0.35% factor.
  const FatoresReducao jul = CALC_RED(Date::fromYmd(2000, 1, 15), Date::fromYmd(2005, 7, 20));
  EXPECT_EQ(jul.PER_RED1, Decimal());
  EXPECT_EQ(jul.PER_RED2, 0.2087_d);
  // A cost dated after the disposal's month has no factors.
  const FatoresReducao depois = CALC_RED(Date::fromYmd(2009, 10, 1), Date::fromYmd(2009, 8, 15));
  EXPECT_TRUE(depois.dataInvalida);
  EXPECT_EQ(depois.PER_RED2, Decimal());
}

TEST_F(GanhoCapital, RealEstateBeforeAndAfter1996WithTheReductionFactors) {
  struct Caso {
    Date aquisicao;
    Decimal custo, valor;
    int perRed;
    Decimal f1, f2, redu, gan1, gan2, tributavel, imposto, naoTributado, fr1, fr2, perTri;
  };
  const Caso casos[] = {
      // Bought in 1975: 70% off, then both factors on what is left.
      {Date::fromYmd(1975, 5, 10), 50000_d, 200000_d, 70, 0.5092_d, 0.1454_d, 105000_d, 22914_d, 3211.30_d,
       18874.70_d, 2831.20_d, 131125.30_d, 50.92_d, 14.53_d, 0.09437_d},
      // The last day of 1995 counts as January 1996, like any earlier date.
      {Date::fromYmd(1995, 12, 31), 50000_d, 200000_d, 0, 0.5092_d, 0.1454_d, 0_d, 76380_d, 10704.34_d,
       62915.66_d, 9437.34_d, 87084.34_d, 50.92_d, 14.53_d, 0.31457_d},
      // Bought after 2005: the 0.35% factor only.
      {Date::fromYmd(2007, 3, 10), 100000_d, 130000_d, 0, 0_d, 0.0995_d, 0_d, 0_d, 2985_d, 27015_d, 4052.25_d,
       2985_d, 0_d, 9.95_d, 0.2078_d},
  };
  int bem = 0;
  for (const Caso& k : casos) {
    SCOPED_TRACE(rt::text::dtoc(k.aquisicao));
    imovel(++bem, k.aquisicao, Date::fromYmd(2009, 8, 15), k.custo, k.valor);
    const Ganho g = calcula();
    EXPECT_EQ(g.VAL_TRIBU, k.tributavel);
    // What print and export read.
    EXPECT_EQ(campo("VAL_TRIBU"), k.tributavel);
    EXPECT_EQ(campo("VAL_IMPOS"), k.imposto);
    EXPECT_EQ(campo("VAL_NAOTRI"), k.naoTributado);
    EXPECT_EQ(campo("GAN_TRI1"), k.gan1);
    EXPECT_EQ(campo("GAN_TRI2"), k.gan2);
    EXPECT_EQ(campo("FR1"), k.fr1);
    EXPECT_EQ(campo("FR2"), k.fr2);
    EXPECT_EQ(campo("PER_TRI"), k.perTri);
    EXPECT_EQ(campo("CUS_ATUAL"), k.custo);
    // A cash sale is all in the month of the disposal.
    EXPECT_EQ(campo("REC_MES08"), k.valor);
    EXPECT_EQ(campo("VAL_TRI08"), k.tributavel);
    EXPECT_EQ(campo("IMP_DEV08"), k.imposto);
    EXPECT_EQ(campo("IMP_DEV07"), Decimal());
    // The cost row the chain made from the acquisition.
    EXPECT_EQ(campoCusto(bem, 1, "VALOR_CUST"), k.custo);
    EXPECT_EQ(campoCusto(bem, 1, "PER_CUST"), 100_d);
    EXPECT_EQ(campoCusto(bem, 1, "PER_RED"), Decimal(k.perRed));
    EXPECT_EQ(campoCusto(bem, 1, "PER_RED1"), k.f1);
    EXPECT_EQ(campoCusto(bem, 1, "PER_RED2"), k.f2);
    EXPECT_EQ(campoCusto(bem, 1, "VALOR_REDU"), k.redu);
    EXPECT_EQ(campoCusto(bem, 1, "RESUL_2"), k.gan1);
    EXPECT_EQ(campoCusto(bem, 1, "RESUL_3"), k.gan2);
  }
  // Bought before 1970: all of the gain is off, and nothing is taxed.
  imovel(++bem, Date::fromYmd(1969, 1, 1), Date::fromYmd(2009, 8, 15), 50000_d, 200000_d);
  calcula();
  EXPECT_EQ(campo("VAL_IMPOS"), Decimal());
  EXPECT_EQ(campo("VAL_TRIBU"), Decimal());
  EXPECT_EQ(campo("VAL_NAOTRI"), 150000_d);
  EXPECT_EQ(campo("FR1"), Decimal());  // no factor left to divide by
}

TEST_F(GanhoCapital, SmallValueExemptionAndReinvestment) {
  operacao(1, {{"TIPO_BEM", Decimal(OutrosBens)},
               {"DATA_ADQ", Date::fromYmd(2004, 2, 1)},
               {"DATA_ALI", Date::fromYmd(2009, 5, 4)},
               {"CUS_ATUAL", 20000_d},
               {"VAL_ALI", 30000_d},
               {"VAL_RECOL", 30000_d},
               {"PEQ_VALOR", std::string("S")}});
  calcula();
  EXPECT_EQ(campo("VAL_TRIBU"), Decimal());
  EXPECT_EQ(campo("VAL_IMPOS"), Decimal());
  EXPECT_EQ(campo("VAL_NAOTRI"), 10000_d);
  EXPECT_EQ(campo("VAL_TRI05"), Decimal());
  // Half reinvested in a residence: half of the reduced gain is off too.
  imovel(2, Date::fromYmd(2007, 3, 10), Date::fromYmd(2009, 8, 15), 100000_d, 130000_d, {{"PERART31", 50_d}});
  const Ganho g = calcula();
  EXPECT_EQ(g.reinvestido, 13507.50_d);
  EXPECT_EQ(campo("VAL_TRIBU"), 13507.50_d);
  EXPECT_EQ(campo("VAL_IMPOS"), 2026.12_d);
  EXPECT_EQ(campo("VAL_NAOTRI"), 16492.50_d);
}

TEST_F(GanhoCapital, SaleInInstalmentsTaxesEachInstalment) {
  operacao(1, {{"TIPO_BEM", Decimal(OutrosBens)},
               {"DATA_ADQ", Date::fromYmd(2004, 2, 1)},
               {"DATA_ALI", Date::fromYmd(2009, 3, 2)},
               {"CUS_ATUAL", 60000_d},
               {"VAL_ALI", 90000_d},
               {"VAL_RECOL", 70000_d},
               {"VEN_PRAZO", std::string("S")},
               {"REC_MES03", 40000_d},
               {"REC_MES06", 30000_d},
               {"IMP_PAG03", 1999.80_d}});
  calcula();
  EXPECT_EQ(campo("PER_TRI"), 0.33333_d);
  // Each instalment: received x the share cut to 4 decimals, 15% of it.
  EXPECT_EQ(campo("VAL_TRI03"), 13332_d);
  EXPECT_EQ(campo("IMP_DEV03"), 1999.80_d);
  EXPECT_EQ(campo("VAL_TRI06"), 9999_d);
  EXPECT_EQ(campo("IMP_DEV06"), 1499.85_d);
  EXPECT_EQ(campo("REC_MES06"), 30000_d);
  EXPECT_EQ(campo("IMP_PAG03"), 1999.80_d);  // the user's payment is kept
  EXPECT_EQ(campo("VAL_TRI07"), Decimal());
  // The year is taxed on what was received.
  EXPECT_EQ(campo("VAL_TRIBU"), 23331_d);
  EXPECT_EQ(campo("VAL_IMPOS"), 3499.65_d);

  // The same month typed into the instalment matrix of the grid.
  grid::Matrizes m;
  m.REC_GANHO[3][4] = 40000_d;
  m.REC_GANHO[6][4] = 30000_d;
  ServicosMatrizGanhos servicos;
  servicos.FX_GANHO(c, m, 3);
  EXPECT_EQ(std::get<Decimal>(m.REC_GANHO[3][1]), 13332_d);
  EXPECT_EQ(std::get<Decimal>(m.REC_GANHO[3][2]), 1999.8_d);
  EXPECT_EQ(std::get<Decimal>(m.REC_GANHO[13][4]), 70000_d);
}

TEST_F(GanhoCapital, QuotasSoldOutsideTheExchangeAtTheWeightedCost) {
  operacao(4, {{"TIPO_BEM", Decimal(Participacao)},
               {"TIPOPART", Decimal(Quotas)},
               {"DATA_ADQ", Date::fromYmd(2001, 1, 10)},
               {"DATA_ALI", Date::fromYmd(2009, 9, 9)},
               {"VAL_ALI", 9000_d},
               {"VAL_RECOL", 9000_d}});
  // Entered out of order: the walk follows the sequence.
  custo(4, 3, {{"TIPO_OPER", Decimal(Alienacao)}, {"MOV_ACAO", 600_d}});
  custo(4, 1, {{"TIPO_OPER", Decimal(Saldo)}, {"MOV_ACAO", 1000_d}, {"VALOR_CUST", 10000_d}});
  custo(4, 2, {{"TIPO_OPER", Decimal(Aquisicao)}, {"MOV_ACAO", 500_d}, {"VALOR_CUST", 7000_d}});
  calcula();
  EXPECT_EQ(campoCusto(4, 1, "CM_PONDER"), 10_d);
  EXPECT_EQ(campoCusto(4, 2, "CM_PONDER"), 11.3333_d);
  EXPECT_EQ(campoCusto(4, 3, "CM_PONDER"), 11.3333_d);
  EXPECT_EQ(campoCusto(4, 2, "SALDO_ACAO"), 1500_d);
  EXPECT_EQ(campoCusto(4, 3, "SALDO_ACAO"), 900_d);
  tabela(store::Area::TMP_07).goTo(1);
  ASSERT_TRUE(tabela(store::Area::TMP_07).status());
  // 600 x the stored average 11.3333.
  EXPECT_EQ(campo("CUS_ATUAL"), 6799.98_d);
  EXPECT_EQ(campo("VAL_TRIBU"), 2200.02_d);
  EXPECT_EQ(campo("VAL_IMPOS"), 330_d);
  EXPECT_EQ(campo("IMP_DEV09"), 330_d);
}

TEST_F(GanhoCapital, ExchangeWithTornaProRatesTheCost) {
  imovel(1, Date::fromYmd(2000, 5, 10), Date::fromYmd(2009, 8, 15), 150000_d, 50000_d,
         {{"NATUOPER", std::string("Permuta com torna")}});
  calcula();
  // Cost of the torna: 150,000.00 x 50,000 / 200,000.
  EXPECT_EQ(saida.com("aviso:").back(),
            std::string("aviso:") + std::string("Atençao! Ao informar o valor do Bem objeto dessa torna"_cp) +
                "|na coluna de 2009 o valor deve  ser R$ 37.500,00");
  EXPECT_EQ(campo("CUS_ATUAL"), 150000_d);
  EXPECT_EQ(campo("GAN_TRI1"), 4127.50_d);
  EXPECT_EQ(campo("GAN_TRI2"), 1217.36_d);
  EXPECT_EQ(campo("VAL_TRIBU"), 7155.14_d);
  EXPECT_EQ(campo("VAL_IMPOS"), 1073.27_d);
  EXPECT_EQ(campo("VAL_NAOTRI"), 5344.86_d);
  // Nothing to divide: an empty torna has no share and no cost.
  imovel(2, Date::fromYmd(2000, 5, 10), Date::fromYmd(2009, 8, 15), 0_d, 0_d,
         {{"NATUOPER", std::string("Permuta com torna")}});
  calcula();
  EXPECT_EQ(campo("VAL_TRIBU"), Decimal());
  EXPECT_EQ(campoCusto(2, 1, "PER_CUST"), Decimal());
}

TEST_F(GanhoCapital, DeclarationTotalsFromAllOperations) {
  // The year's only real-estate sale, exempt as the single residence, above 35,000.00.
  imovel(1, Date::fromYmd(2007, 3, 10), Date::fromYmd(2009, 8, 15), 100000_d, 130000_d,
         {{"PEQ_VALOR", std::string("S")}, {"VAL_RECOL", 100000_d}});
  calcula();
  // A taxable sale of other assets, part of its tax paid, a cost dated 2009.
  operacao(2, {{"TIPO_BEM", Decimal(OutrosBens)},
               {"DATA_ADQ", Date::fromYmd(2009, 1, 5)},
               {"DATA_ALI", Date::fromYmd(2009, 5, 4)},
               {"CUS_ATUAL", 20000_d},
               {"VAL_ALI", 30000_d},
               {"VAL_RECOL", 30000_d},
               {"IMPPAGO", 500_d}});
  calcula();
  // Variable income: line 24 of the common operations.
  operacao(0, {{"TIPO_BEM", Decimal(RendaVariavel)},
               {"RVAR_NRO", 24_d},
               {"DAY_TRADE", std::string("1")},
               {"REC_MES02", 12.5_d}});
  SOMA_NTRIB(c);
  EXPECT_EQ(l("I3_04UNICC"), 30000_d);
  EXPECT_EQ(l("I3_04GCPVC"), Decimal());
  EXPECT_EQ(l("I4_02"), 9500_d);  // the gain taxed less the tax paid
  EXPECT_EQ(l("I13_39"), 500_d);
  EXPECT_EQ(l("ENTRADGP"), 130000_d);
  EXPECT_EQ(l("ISENTNAO"), 40000_d);
  EXPECT_EQ(l("VALFUTUR"), 30000_d);
  EXPECT_EQ(l("I13_41"), 12.5_d);
  EXPECT_EQ(l("CUSTOANO"), 20000_d);
  EXPECT_EQ(l("CUSTOANT"), 100000_d);
  EXPECT_EQ(l("I3_04"), 30000_d);
}

}  // namespace gains::teste

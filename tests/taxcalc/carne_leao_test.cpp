// The monthly self-assessed tax: due dates, the correction with interest and fine, the reverse
// mode in every bracket, and the matrix filled from the income rows into the summary. Every
// expected amount is worked out by hand from the monthly table (a twelfth of the annual
// limits and deductions: 1,434.59 / 2,150.00 / 2,866.700833 / 3,582.00; deductions
// 107.594167 / 268.844167 / 483.846667 / 662.946667) in the comment above it.
#include "taxcalc/carne_leao.h"

#include <gtest/gtest.h>

#include "copias_extras.h"
#include "rt/db/table.h"
#include "rt/text/cp860.h"

namespace taxcalc::teste {
namespace {

using rt::text::Date;

class Leao : public DeclaracaoCompleta {
 protected:
  Leao() {
    taxa("200902", 0.86_d);
    taxa("200903", 0.97_d);
    taxa("200904", 0.84_d);
    taxa("200905", 0.77_d);
    taxa("200906", 0.76_d);
    taxa("200907", 0.79_d);
  }
  // An income row of the monthly tax with the amount of one month.
  void mensal(const char* tipo, int mes, Decimal valor, const char* lado = "S", const char* cpf = "") {
    const std::string campo = std::string("I1_4") + (mes < 10 ? "0" : "") + std::to_string(mes);
    linha(store::Area::TMP_02, {{"I1_1", std::string(tipo)},
                                {"I1_4", valor},
                                {"I1_11", std::string(lado)},
                                {"I1_8", std::string(cpf)},
                                {campo.c_str(), valor}});
  }
  Decimal campo32(std::uint32_t linha, const std::string& nome) {
    tabela(store::Area::TMP_12).goTo(linha);
    EXPECT_TRUE(tabela(store::Area::TMP_12).status());
    return tabela(store::Area::TMP_12).getNumber(nome);
  }
  EstadoLeao e;
};

TEST_F(Leao, DueDatesAndNextWorkingDay) {
  // January's tax is due at the end of February: 28/02/2009 is a Saturday, so Friday 27/02.
  EXPECT_EQ(ULT_DIA(1, 2009, 2), Date::fromYmd(2009, 2, 27));
  // April's: 31/05/2009 is a Sunday, back two days.
  EXPECT_EQ(ULT_DIA(4, 2009, 2), Date::fromYmd(2009, 5, 29));
  // October's: the last working day of November, Monday 30/11.
  EXPECT_EQ(ULT_DIA(10, 2009, 2), Date::fromYmd(2009, 11, 30));
  // November's: 31/12/2009 is in December, one day back.
  EXPECT_EQ(ULT_DIA(11, 2009, 2), Date::fromYmd(2009, 12, 30));
  // December's rolls into 2010: 31/01/2010 is a Sunday.
  EXPECT_EQ(ULT_DIA(12, 2009, 2), Date::fromYmd(2010, 1, 29));
  // After Friday 27/02 comes Monday 02/03; after a Thursday the Friday.
  EXPECT_EQ(PROX_DIA(Date::fromYmd(2009, 2, 27)), Date::fromYmd(2009, 3, 2));
  EXPECT_EQ(PROX_DIA(Date::fromYmd(2009, 4, 30)), Date::fromYmd(2009, 5, 1));
  // The payment date of a declaration opened on 15/03/2010: Wednesday 31/03/2010.
  EXPECT_EQ(pagamentoPadrao(Date::fromYmd(2010, 3, 15)), Date::fromYmd(2010, 3, 31));
}

TEST_F(Leao, CorrectionWithInterestAndFine) {
  // January's 100.00 paid on 15/04/2009: due 27/02, first working day 02/03; interest 1 plus
  // March's 0.97 = 1.97%; 44 days late (02/03 -> 15/04) x 0.33 = 14.52%.
  Correcao k = correcaoMes(c, 1, 100.00_d, Decimal(), Date::fromYmd(2009, 4, 15));
  EXPECT_EQ(k.juros, 1.97_d);
  EXPECT_EQ(k.multa, 14.52_d);
  // 100.00 + 14.52 + 1.97.
  EXPECT_EQ(k.valor, 116.49_d);
  // Beyond 60 days the fine is 20%: 31/07 is 151 days after 02/03; interest 1 + March to June
  // (0.97 + 0.84 + 0.77 + 0.76) = 4.34%. 60.00 unpaid: 60 + 12 + 2.604 = 74.604.
  k = correcaoMes(c, 1, 100.00_d, 40.00_d, Date::fromYmd(2009, 7, 31));
  EXPECT_EQ(k.multa, 20.00_d);
  EXPECT_EQ(k.juros, 4.34_d);
  EXPECT_EQ(k.valor, 74.604_d);
}

TEST_F(Leao, CorrectionWithoutInterestOrFine) {
  // Paid on the first working day after the due date: no day late, so neither fine nor interest.
  Correcao k = correcaoMes(c, 1, 100.00_d, Decimal(), Date::fromYmd(2009, 3, 2));
  EXPECT_EQ(k.multa, 0.00_d);
  EXPECT_EQ(k.juros, 0.00_d);
  EXPECT_EQ(k.valor, 100.00_d);
  // Paid in full: nothing.
  EXPECT_EQ(correcaoMes(c, 1, 100.00_d, 100.00_d, Date::fromYmd(2009, 7, 31)).valor, 0.00_d);
  // Paid before the due month: no interest, so no fine either.
  EXPECT_EQ(correcaoMes(c, 3, 100.00_d, Decimal(), Date::fromYmd(2009, 3, 20)).valor, 100.00_d);
  // A due month the table lacks leaves the interest at 1%: November's (due 30/12/2009) paid on
  // 15/01/2010: first working day 31/12, 15 days x 0.33 = 4.95%; 100 + 4.95 + 1.
  EXPECT_EQ(correcaoMes(c, 11, 100.00_d, Decimal(), Date::fromYmd(2010, 1, 15)).valor, 105.95_d);
}

TEST_F(Leao, ReverseModeInEveryBracket) {
  // 7.5%: trying 27.5%, 22.5% and 15% gives other taxes; (50 + 107.594167) / 0.075 =
  // 2,101.255556 -> 2,101.25, whose tax is 157.59375 - 107.594167 = 49.9996 -> 50.00.
  Inverso r = rendaDoImposto(50.00_d, Decimal());
  EXPECT_TRUE(r.achou);
  EXPECT_EQ(r.bruto, 2101.25_d);
  // 15%: (150 + 268.844167) / 0.15 = 2,792.294444 -> 2,792.29; 418.8435 - 268.844167 -> 150.00
  // (27.5% gives 2,956.16 and 181.29; 22.5% gives 2,817.09 and 153.72).
  r = rendaDoImposto(150.00_d, Decimal());
  EXPECT_TRUE(r.achou);
  EXPECT_EQ(r.bruto, 2792.29_d);
  // 22.5%: (300 + 483.846667) / 0.225 = 3,483.762963 -> 3,483.76; 783.846 - 483.846667 -> 300.00.
  r = rendaDoImposto(300.00_d, Decimal());
  EXPECT_TRUE(r.achou);
  EXPECT_EQ(r.bruto, 3483.76_d);
  // 27.5%: (500 + 662.946667) / 0.275 = 4,228.896970 -> 4,228.89; 1,162.94475 - 662.946667 ->
  // 500.00. With the monthly constant 662.94 the income would be 4,228.87, whose tax is 499.99,
  // and no bracket would match.
  r = rendaDoImposto(500.00_d, Decimal());
  EXPECT_TRUE(r.achou);
  EXPECT_EQ(r.bruto, 4228.89_d);
  // Deductions of 200.00 are added back: (300 + 483.846667 + 200 x 0.225) / 0.225 = 3,683.76.
  r = rendaDoImposto(300.00_d, 200.00_d);
  EXPECT_TRUE(r.achou);
  EXPECT_EQ(r.bruto, 3683.76_d);
}

TEST_F(Leao, ReverseModeKeepsTheTaxTypedWhenNoBracketFits) {
  MatrizLeao m{};
  m[3][6] = 500.00_d;
  m[3][3] = 1000.00_d;  // part of the income came from abroad
  EXPECT_TRUE(VE_LEAO(c, m, 3, 0, true, Date::fromYmd(2010, 3, 31)));
  // 4,228.89 found, less the 1,000.00 from abroad; the month's tax is the tax typed.
  EXPECT_EQ(m[3][2], 3228.89_d);
  EXPECT_EQ(m[3][7], 500.00_d);
  EXPECT_EQ(m[13][2], 3228.89_d);
  // A negative tax has no income: it stays, and the user is told.
  m[4][6] = -5.00_d;
  EXPECT_FALSE(VE_LEAO(c, m, 4, 0, true, Date::fromYmd(2010, 3, 31)));
  EXPECT_EQ(m[4][6], -5.00_d);
  EXPECT_EQ(saida.com("alerta:").size(), 1u);
}

TEST_F(Leao, TitularMonthsFromTheRows) {
  mensal("F", 1, 3000.00_d);
  mensal("F", 3, 2000.00_d);
  mensal("I", 1, 300.00_d);
  const std::uint32_t titular = linhaLeao();
  e.DF_PAGTO = Date::fromYmd(2009, 6, 15);
  FDE_LEAO(c, e, 1);
  // January: 3,000.00 x 0.225 - 483.846667 = 191.153 -> 191.15, paid 300.00: nothing owed.
  EXPECT_EQ(campo32(titular, "I2_601"), 191.15_d);
  EXPECT_EQ(campo32(titular, "I2_701"), 0.00_d);
  // March: 2,000.00 x 0.075 - 107.594167 = 42.406 -> 42.41, nothing paid. Due 30/04, first
  // working day 01/05, paid 15/06: 45 days x 0.33 = 14.85%; interest 1 + May's 0.77 = 1.77%.
  // 42.41 + 6.297885 + 0.750657 = 49.458542, shown as 49.46.
  EXPECT_EQ(campo32(titular, "I2_603"), 42.41_d);
  EXPECT_EQ(campo32(titular, "I2_703"), 49.46_d);
  EXPECT_EQ(campo32(titular, "I2_613"), 233.56_d);
  EXPECT_EQ(campo32(titular, "I2_713"), 49.46_d);
  EXPECT_EQ(d.REC_MENSAL[3][8], 49.46_d);
  EXPECT_EQ(d.REC_MENSAL[13][2], 5000.00_d);
  EXPECT_EQ(l("I13_03"), 5000.00_d);
  // Carried: January the 300.00 paid, March the 42.41 due.
  EXPECT_EQ(v.I13_23A, 342.41_d);
  EXPECT_EQ(l("I13_23"), 342.41_d);
  EXPECT_TRUE(d.LEAO_CAL);

  // Only what was paid is carried.
  d.tabela01.logico("SO_REC", true);
  d.LEAO_CAL = false;
  FDE_LEAO(c, e, 1);
  EXPECT_EQ(l("I13_23"), 300.00_d);
}

TEST_F(Leao, DependantsDeductionOnlyInMonthsItFits) {
  v.N_DEPEN = Decimal(1);
  mensal("F", 1, 100.00_d);
  mensal("F", 2, 3000.00_d);
  const std::uint32_t titular = linhaLeao();
  FDE_LEAO(c, e, 1);
  // January's 100.00 is below 144.20: no deduction. February: 3,000.00 - 144.20 = 2,855.80,
  // x 0.15 - 268.844167 = 159.525833 -> 159.53.
  EXPECT_EQ(campo32(titular, "I2_401"), 0.00_d);
  EXPECT_EQ(campo32(titular, "I2_402"), 144.20_d);
  EXPECT_EQ(campo32(titular, "I2_602"), 159.53_d);
  EXPECT_EQ(e.NTOTDEP, 144.20_d);
}

TEST_F(Leao, TwoDependantsEachWithTheirGrid) {
  mensal("F", 1, 2000.00_d, "N", "11111111111");
  mensal("I", 1, 50.00_d, "N", "11111111111");
  mensal("F", 2, 3000.00_d, "N", "22222222222");
  linhaLeao();
  const std::uint32_t a = linhaLeao("11111111111");
  const std::uint32_t b = linhaLeao("22222222222");
  tabela(store::Area::TMP_02).goTo(1);
  ASSERT_TRUE(tabela(store::Area::TMP_02).status());  // a dependant's income row: the dependants' side
  FDE_LEAO(c, e, 1);
  // A: 42.41 due, 50.00 paid; B: 191.15 due, nothing paid.
  EXPECT_EQ(campo32(a, "I2_601"), 42.41_d);
  EXPECT_EQ(campo32(b, "I2_602"), 191.15_d);
  EXPECT_EQ(l("I13_04"), 5000.00_d);
  // 50.00 + 191.15.
  EXPECT_EQ(v.I13_23B, 241.15_d);
  EXPECT_EQ(v.I13_23A, 0.00_d);
}

TEST_F(Leao, DependantWithoutARowGetsOne) {
  mensal("F", 6, 2000.00_d, "N", "33333333333");
  tabela(store::Area::TMP_02).goTo(1);
  ASSERT_TRUE(tabela(store::Area::TMP_02).status());
  FDE_LEAO(c, e, 1);
  ASSERT_EQ(tabela(store::Area::TMP_12).recordCount(), 1u);
  EXPECT_EQ(tabela(store::Area::TMP_12).getText("CPFDEPEN"), "33333333333");
  // 2,000.00 x 0.075 - 107.594167 = 42.41.
  EXPECT_EQ(campo32(1, "I2_606"), 42.41_d);
  EXPECT_EQ(l("I13_04"), 2000.00_d);
  EXPECT_EQ(v.I13_23B, 42.41_d);
}

TEST_F(Leao, AMonthTooWideForItsFieldIsSaidOnceAndTheOtherMonthsAreWritten) {
  // January's two payers sum 1,200,000,000.00: copy 32's N 12,2 fields cannot hold it.
  mensal("F", 1, 600000000.00_d);
  mensal("F", 1, 600000000.00_d);
  mensal("F", 2, 100.00_d);
  FDE_LEAO(c, e, 1);
  const std::vector<std::string> alertas = saida.com("alerta:");
  ASSERT_EQ(alertas.size(), 1u);
  EXPECT_EQ(alertas[0], "alerta:" + std::string("O valor não cabe no campo I2_101; ele ficou como estava."_cp));
  EXPECT_EQ(campo32(1, "I2_102"), 100.00_d);
  // The matrix itself holds the month exactly.
  EXPECT_EQ(d.REC_MENSAL[1][2], 1200000000.00_d);
}

TEST_F(Leao, EnteredTotalsAreKept) {
  d.tabela01.num("CAL_AUTO", Decimal(2));
  const std::uint32_t titular = linhaLeao();
  celula32(5, 2, 2500.00_d);
  celula32(5, 6, 10.00_d);
  celula32(13, 2, 2500.00_d);
  ASSERT_TRUE(tabela(store::Area::TMP_12).flush());
  tabela(store::Area::TMP_12).goTo(titular);
  ASSERT_TRUE(tabela(store::Area::TMP_12).status());
  d.REC_MENSAL[5][2] = 2500.00_d;
  d.REC_MENSAL[5][6] = 10.00_d;
  d.REC_MENSAL[13][2] = 2500.00_d;
  FDE_LEAO(c, e, 1);
  // Mode 2 keeps the matrix as entered, tax due included (none typed).
  EXPECT_EQ(campo32(titular, "I2_105"), 2500.00_d);
  EXPECT_EQ(campo32(titular, "I2_605"), 0.00_d);
  EXPECT_EQ(l("I13_03"), 2500.00_d);
  EXPECT_EQ(l("I13_23"), 10.00_d);
}

TEST_F(Leao, CashBookEntriesCountInTheMonthOfTheirDate) {
  d.tabela01.num("CAL_AUTO", Decimal(3));
  linha(store::Area::TMP_02, {{"I1_1", std::string("F")},
                              {"I1_4", 1500.00_d},
                              {"I1_11", std::string("S")},
                              {"DT_LC", Date::fromYmd(2009, 7, 20)}});
  linha(store::Area::TMP_02, {{"I1_1", std::string("L")},
                              {"I1_4", 200.00_d},
                              {"I1_11", std::string("S")},
                              {"DT_LC", Date::fromYmd(2009, 7, 2)}});
  linha(store::Area::TMP_02,
        {{"I1_1", std::string("F")}, {"I1_4", 900.00_d}, {"I1_11", std::string("S")}});  // no date
  FDE_LEAO(c, e, 1);
  // The titular's row is made, and the screen's matrix holds it.
  ASSERT_EQ(tabela(store::Area::TMP_12).recordCount(), 1u);
  EXPECT_EQ(campo32(1, "I2_107"), 1500.00_d);
  EXPECT_EQ(campo32(1, "I2_307"), 200.00_d);
  EXPECT_EQ(campo32(1, "I2_113"), 1500.00_d);
  // 1,500.00 - 200.00 = 1,300.00 is below 1,434.59: no tax.
  EXPECT_EQ(campo32(1, "I2_607"), 0.00_d);
  EXPECT_EQ(d.REC_MENSAL[7][2], 1500.00_d);
  EXPECT_EQ(l("I13_14"), 200.00_d);
  // The entry's month is written back into its row.
  tabela(store::Area::TMP_02).goTo(1);
  ASSERT_TRUE(tabela(store::Area::TMP_02).status());
  EXPECT_EQ(tabela(store::Area::TMP_02).getNumber("I1_407"), 1500.00_d);
}

TEST_F(Leao, PaymentMonthsConverted) {
  MatrizMensal m{};
  // 1,000.00 in March at 2.3152 = 431.927, cut to 431.92; 100.00 dollars in May x 1.9730.
  m[3][2] = 1000.00_d;
  EXPECT_FALSE(FX_RT_MENS(c, m, 3, 2, false).has_value());
  EXPECT_EQ(m[3][3], 431.92_d);
  m[5][3] = 100.00_d;
  FX_RT_MENS(c, m, 5, 3, false);
  EXPECT_EQ(m[5][2], 197.30_d);
  EXPECT_EQ(m[13][2], 1197.30_d);
  EXPECT_EQ(m[13][3], 531.92_d);
  // The domestic employee's social security: 120.00 paid, the employer's part 120 / 0.2 x 0.12.
  MatrizMensal g{};
  g[1][2] = 120.00_d;
  FX_RT_MENS(c, g, 1, 2, true);
  EXPECT_EQ(g[1][3], 72.00_d);
  EXPECT_EQ(FX_RT_MENS(c, g, 1, 3, true).value_or(""), "Digite o valor na outra coluna GPS");
  EXPECT_FALSE(d.LEAO_CAL);
}

}  // namespace
}  // namespace taxcalc::teste

// Income, payment, dependant, asset and debt totals and the limits the grids enforce: the
// education cap per person, the domestic employee's social security, the over-65 exemption.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "declaracao_fixture.h"
#include "rt/text/cp860.h"
#include "taxcalc/pagamentos.h"
#include "taxcalc/patrimonio.h"
#include "taxcalc/rendimentos.h"
#include "taxcalc/resumo.h"

namespace taxcalc::teste {
namespace {

class Limites : public DeclaracaoTeste {};

TEST_F(Limites, IncomeTotalsByKind) {
  renda("J", 30000.00_d, 3000.00_d, 2000.00_d,
        {{"I1_3", std::string("11.111.111/0001-11")},
         {"I1_7", 2500.00_d},
         {"I1_15", 100.00_d},
         {"I1_16", 200.00_d},
         {"I1_17", 300.00_d},
         {"I1_18", 400.00_d},
         {"I1_19", 50.00_d}});
  renda("J", 40000.00_d, {}, {}, {{"I1_3", std::string("22.222.222/0001-22")}, {"I1_8", std::string("N")}});
  renda("D", 5000.00_d, 100.00_d, 300.00_d,
        {{"I1_7", 400.00_d},
         {"I1_9", 60.00_d},
         {"I1_10", 70.00_d},
         {"I1_13", 80.00_d},
         {"I1_15", 90.00_d},
         {"I1_19", 10.00_d}});
  renda("P", 1200.00_d);
  renda("P", 600.00_d, {}, {}, {{"I1_11", std::string("N")}});
  renda("M", 150.00_d);
  renda("V", 999.00_d);
  v.I13_23A = 11.00_d;
  v.I13_23B = 22.00_d;
  for (int vez = 0; vez < 2; ++vez) {  // a second scan starts from zero
    FI1_T(c, 0);
    EXPECT_EQ(l("I13_01"), 70000.00_d);
    EXPECT_EQ(l("I13_02"), 5000.00_d);
    EXPECT_EQ(l("I13_21"), 3000.00_d);
    EXPECT_EQ(l("I13_22"), 100.00_d);
    EXPECT_EQ(l("I3_05"), 190.00_d);  // 100.00 of the titular, 90.00 of the dependant
    EXPECT_EQ(l("I3_06"), 300.00_d);
    EXPECT_EQ(l("I3_07"), 400.00_d);
    EXPECT_EQ(l("I3_09"), 200.00_d);
    EXPECT_EQ(l("I3_13"), 60.00_d);
    EXPECT_EQ(l("I4_06"), 470.00_d);  // the dependant's 13th 400.00 and exclusive 70.00
    EXPECT_EQ(l("I4_01"), 2500.00_d);
    EXPECT_EQ(l("PREVIDENC"), 2000.00_d);
    EXPECT_EQ(v.NPREVDEP, 300.00_d);
    EXPECT_EQ(v.NISENDEP, 150.00_d);
    EXPECT_EQ(v.NTRIFDEP, 70.00_d);
    EXPECT_EQ(v.NEXIGI, 60.00_d);
    EXPECT_EQ(v.NMAIORSAL, 40000.00_d);
    EXPECT_EQ(d.registro.txt("CGCPAGADOR"), "22.222.222/0001-22");
    EXPECT_TRUE(v.LNASSAL);
    EXPECT_EQ(l("CARNEINSS"), 1200.00_d);
    EXPECT_EQ(l("CARNEDEPEN"), 600.00_d);
    EXPECT_EQ(v.VARIA, 999.00_d);
    // Self-paid 1,200.00 + 600.00, withheld 2,000.00 + 300.00.
    EXPECT_EQ(l("I13_08"), 4100.00_d);
    EXPECT_EQ(l("I13_23"), 33.00_d);
    EXPECT_EQ(l("I13_24"), 230.00_d);  // complementary tax: 150.00 titular, 80.00 dependant
    EXPECT_EQ(l("I13_07"), 75000.00_d);
    EXPECT_EQ(l("I13_27"), 3000.00_d + 100.00_d + 33.00_d + 230.00_d);
  }
  // With the monthly tax's totals entered (CAL_AUTO 4) the self-paid amounts are not taken
  // from the rows.
  d.tabela01.num("CAL_AUTO", 4);
  d.tabela01.num("CARNEINSS", 777.00_d);
  d.tabela01.num("CARNEDEPEN", 0.00_d);
  FI1_T(c, 0);
  EXPECT_EQ(l("CARNEINSS"), 777.00_d);
  EXPECT_EQ(l("I13_08"), 777.00_d + 2300.00_d);
}

TEST_F(Limites, MonthlyGridColumnWrittenBackIntoTheRow) {
  renda("P", 0.00_d);
  std::array<Decimal, 12> meses{};
  for (int m = 0; m < 12; ++m) meses[static_cast<std::size_t>(m)] = Decimal(100 + m);
  // Grid 1, column 2: the income of each month; the sum is the self-paid social security.
  FI1_T_MENSAL(c, 1, 2, meses);
  EXPECT_EQ(tabela(store::Area::TMP_02).getNumber("I1_401"), 100.00_d);
  EXPECT_EQ(tabela(store::Area::TMP_02).getNumber("I1_412"), 111.00_d);
  EXPECT_EQ(l("CARNEINSS"), 1266.00_d);
  // Grid 2 is shifted by one: column 5 is the tax withheld.
  FI1_T_MENSAL(c, 2, 5, meses);
  EXPECT_EQ(tabela(store::Area::TMP_02).getNumber("I1_503"), 102.00_d);
  // Grid 1, column 1 is not a month column.
  meses.fill(1.00_d);
  FI1_T_MENSAL(c, 1, 1, meses);
  EXPECT_EQ(tabela(store::Area::TMP_02).getNumber("I1_401"), 100.00_d);
  // Other grids take column 1 too.
  FI1_T_MENSAL(c, 7, 1, meses);
  EXPECT_EQ(tabela(store::Area::TMP_02).getNumber("I1_401"), 1.00_d);
  EXPECT_EQ(l("CARNEINSS"), 12.00_d);
}

TEST_F(Limites, PaymentTotalsByCodeFromZeroEachScan) {
  pagamento(1, 1000.00_d);
  pagamento(2, 500.00_d);
  pagamento(5, 300.00_d);
  pagamento(12, 800.00_d, 100.00_d);
  pagamento(31, 600.00_d);
  pagamento(36, 700.00_d);
  pagamento(38, 300.00_d);
  pagamento(41, 200.00_d);
  pagamento(50, 120.00_d);
  pagamento(55, 100.00_d);
  pagamento(70, 200.00_d);
  pagamento(81, 300.00_d);
  pagamento(90, 50.00_d);
  pagamento(93, 999.00_d);
  pagamento(98, 40.00_d);
  pagamento(99, 60.00_d);
  for (int vez = 0; vez < 2; ++vez) {
    d.JA_CALC = false;
    FDE_TUDO(c, 2);
    EXPECT_TRUE(d.JA_CALC);
    EXPECT_EQ(v.I13_11T, 1500.00_d);
    EXPECT_EQ(d.tabela01.txt("DESPINST"), "X");
    EXPECT_EQ(l("I13_12"), 700.00_d);
    EXPECT_EQ(v.I13_12D, 100.00_d);
    EXPECT_EQ(l("I13_13"), 600.00_d);
    EXPECT_EQ(v.I13_09T, 1000.00_d);
    EXPECT_EQ(v.I13_18T, 200.00_d);
    EXPECT_EQ(v.I13_20T, 120.00_d);
    // 120.00 of social security is 12% of a salary of 1,000.00: 1,120.00 in all.
    EXPECT_EQ(v.NEMPREGADO, 1120.00_d);
    EXPECT_EQ(v.NTOTEMPREG, 1120.00_d);
    EXPECT_EQ(v.NADVOGADO, 100.00_d);
    EXPECT_EQ(v.NALUGUEL, 200.00_d);
    EXPECT_EQ(v.NDOABENS, 300.00_d);
    EXPECT_EQ(v.NAJUSTE, 50.00_d);
    EXPECT_EQ(v.NPARTIDO, 40.00_d);
    EXPECT_EQ(v.NOUTROS, 60.00_d);
    EXPECT_EQ(v.DESPSIMP, 750.00_d);
    // Every amount but codes 50 and 91-97 (5,150.00), plus the employee's 1,120.00.
    EXPECT_EQ(l("DESPDECLA"), 6270.00_d);
  }
  // While nothing changed the scan is skipped.
  pagamento(55, 1.00_d);
  FDE_TUDO(c, 2);
  EXPECT_EQ(v.NADVOGADO, 100.00_d);
  d.JA_CALC = false;
  FDE_TUDO(c, 2);
  EXPECT_EQ(v.NADVOGADO, 101.00_d);
}

TEST_F(Limites, DomesticEmployeeFromTheNonDeductiblePart) {
  pagamento(50, 0.00_d, 60.00_d);
  FDE_TUDO(c, 2);
  EXPECT_EQ(v.NEMPREGADO, 560.00_d);  // 60.00 / 0.12 = 500.00, plus the 60.00
  EXPECT_EQ(v.I13_20T, 0.00_d);
}

TEST_F(Limites, AlimonyChangeRecomputesTheMonthlyTax) {
  pagamento(30, 100.00_d);
  FDE_TUDO(c, 0);
  EXPECT_EQ(vizinhos.leao.size(), 1u);
  // Unchanged: no recomputation; mode 2: never.
  d.JA_CALC = false;
  FDE_TUDO(c, 0);
  EXPECT_EQ(vizinhos.leao.size(), 1u);
  pagamento(30, 50.00_d);
  d.JA_CALC = false;
  FDE_TUDO(c, 2);
  EXPECT_EQ(vizinhos.leao.size(), 1u);
  // Only when the monthly tax is computed from the rows month by month.
  pagamento(30, 50.00_d);
  d.JA_CALC = false;
  d.tabela01.num("CAL_AUTO", 2);
  FDE_TUDO(c, 0);
  EXPECT_EQ(vizinhos.leao.size(), 1u);
}

TEST_F(Limites, DependantsCountedAndNumbered) {
  dependente(21, "A");
  linha(store::Area::TMP_03,
        {{"NOMEDEPEN", std::string("B")}, {"CODIDEPEN", Decimal(22)}, {"NRODEPEN", Decimal(7)}});
  dependente(98, "C");  // an alimony beneficiary
  EXPECT_EQ(NRODP(c), 2.00_d);
  EXPECT_EQ(l("DESPALIM"), 1.00_d);
  rt::db::Table& t = tabela(store::Area::TMP_03);
  t.goTo(1);
  ASSERT_TRUE(t.status());
  EXPECT_EQ(t.getNumber("NRODEPEN"), 1.00_d);
  t.goTo(2);
  ASSERT_TRUE(t.status());
  EXPECT_EQ(t.getNumber("NRODEPEN"), 7.00_d);
  t.goTo(3);
  ASSERT_TRUE(t.status());
  EXPECT_EQ(t.getNumber("NRODEPEN"), 3.00_d);
  // Two dependants: 2 x 144.20 x 12 = 3,460.80.
  EXPECT_EQ(FI13_10(c), 3460.80_d);
}

TEST_F(Limites, EducationCappedPerPerson) {
  dependente(21);
  dependente(98);
  pagamento(1, 1000.00_d, {}, 0);  // titular: within the cap
  pagamento(1, 1500.00_d, {}, 1);  // the dependant: 2,800.00 together, capped at 2,708.94
  pagamento(2, 1300.00_d, {}, 1);
  pagamento(2, 3000.00_d, {}, 2);   // the beneficiary: capped
  pagamento(1, 900.00_d, {}, 5);    // nobody: ignored
  pagamento(10, 5000.00_d, {}, 1);  // not education
  // 1,000.00 + 2,708.94 + 2,708.94.
  EXPECT_EQ(FI13_11(c), 6417.88_d);
  EXPECT_EQ(l("I13_11"), 6417.88_d);
  // Exactly at the cap counts whole.
  pagamento(1, 1708.94_d, {}, 0);
  EXPECT_EQ(FI13_11(c), 2708.94_d + 2708.94_d + 2708.94_d);
}

TEST_F(Limites, AssetsDebtsAndPatrimonyVariation) {
  linha(store::Area::TMP_04, {{"I7_3", 10000.00_d}, {"I7_4", 9000.00_d}, {"I7_9", 10000.00_d}});
  linha(store::Area::TMP_05, {{"I8_3", 0.00_d}, {"I8_4", 300.00_d}, {"I8_6", 50.00_d}});
  FI7_T(c, 0);
  FI8_T(c, 0);
  EXPECT_EQ(l("I13_32"), 10000.00_d);
  EXPECT_EQ(l("I13_33"), 9000.00_d);
  EXPECT_EQ(v.NTOTBANT1, 10000.00_d);
  EXPECT_EQ(l("I13_35"), 300.00_d);
  EXPECT_EQ(v.NTOTDANT1, 50.00_d);
  // Assets fell by 1,000.00 and debts rose by 300.00.
  EXPECT_EQ(FI10_1(c), 0.00_d);
  EXPECT_EQ(l("EMPREST"), 300.00_d);
  EXPECT_EQ(v.I10_2, 1000.00_d);
  EXPECT_EQ(v.VARPATR, Decimal() - 1300.00_d);

  struct Caso {
    Decimal bensAntes, bensAgora, dividasAntes, dividasAgora, emprest, i10_2, i10_1;
  };
  const Caso casos[] = {// Debts rose 3,000.00, assets 1,000.00: 2,000.00 borrowed for something else.
                        {0, 1000.00_d, 0, 3000.00_d, 2000.00_d, 0, 0},
                        // Assets fell 3,000.00 and debts 500.00: 2,500.00 freed.
                        {5000.00_d, 2000.00_d, 1000.00_d, 500.00_d, 0, 2500.00_d, 0},
                        // Assets rose 5,000.00, debts fell 1,000.00: a variation of 6,000.00.
                        {10000.00_d, 15000.00_d, 2000.00_d, 1000.00_d, 0, 0, 6000.00_d}};
  for (const Caso& k : casos) {
    d.tabela01.num("I13_32", k.bensAntes);
    d.tabela01.num("I13_33", k.bensAgora);
    d.tabela01.num("I13_34", k.dividasAntes);
    d.tabela01.num("I13_35", k.dividasAgora);
    EXPECT_EQ(FI10_1(c), k.i10_1);
    EXPECT_EQ(l("EMPREST"), k.emprest);
    EXPECT_EQ(v.I10_2, k.i10_2);
  }
}

TEST_F(Limites, LivingExpensesOfAYear) {
  linha(store::Area::TMP_10, {{"VALODESP", 100.50_d}});
  linha(store::Area::TMP_10, {{"VALODESP", 200.00_d}});
  EXPECT_EQ(TOTALDESP(c), 3606.00_d);
  EXPECT_EQ(l("DESPNAO"), 3606.00_d);
}

TEST_F(Limites, ScansKeepTheGridsRowAndSeeFilteredRows) {
  renda("J", 100.00_d);
  renda("J", 200.00_d);
  renda("J", 300.00_d);
  rt::db::Table& t = tabela(store::Area::TMP_02);
  t.setFilter([](const rt::db::Table& r) { return r.getNumber("I1_4") > 150.00_d; });
  t.goTo(2);
  ASSERT_TRUE(t.status());
  FI1_T(c, 0);
  EXPECT_EQ(l("I13_01"), 600.00_d);
  EXPECT_EQ(t.recNo(), 2u);
  EXPECT_TRUE(t.hasFilter());
  // A deleted row counts for nothing.
  t.goTo(3);
  ASSERT_TRUE(t.status());
  ASSERT_TRUE(t.markDeleted());
  FI1_T(c, 0);
  EXPECT_EQ(l("I13_01"), 300.00_d);
}

TEST(Idade, SixtyFiveOnTheLastDayOfTheYear) {
  EXPECT_TRUE(tem65Anos(Date::fromYmd(1944, 12, 31)));
  EXPECT_TRUE(tem65Anos(Date::fromYmd(1944, 12, 30)));
  EXPECT_TRUE(tem65Anos(Date::fromYmd(1930, 1, 1)));
  EXPECT_FALSE(tem65Anos(Date::fromYmd(1945, 1, 1)));
  EXPECT_FALSE(tem65Anos(Date()));
}

class Aposentado : public DeclaracaoTeste {
 protected:
  Aposentado() { d.registro.txt("CODAT", "61"); }
  void nascido(int ano, int mes, int dia) { d.registro.data("NASCIMENTO", Date::fromYmd(ano, mes, dia)); }
};

TEST_F(Aposentado, LimitOfTheYearAndOfTheBirthdayYear) {
  // Born 31/12/1944: 65 on the last day of 2009, December and the 13th: 2 x 1,434.59.
  nascido(1944, 12, 31);
  renda("J", 10000.00_d);
  EXPECT_EQ(LIMIT3(c, 2000.00_d), 2000.00_d);
  saida.respostas = {false};
  EXPECT_EQ(LIMIT3(c, 3000.00_d), 2869.18_d);
  EXPECT_EQ(tabela(store::Area::TMP_02).getNumber("I1_17"), 2869.18_d);
  EXPECT_EQ(tabela(store::Area::TMP_02).getNumber("I1_4"), 10000.00_d);  // not moved: the answer was No
  // Born in May 1944: May to December and the 13th, 9 x 1,434.59 = 12,911.31.
  nascido(1944, 5, 20);
  saida.respostas = {false};
  EXPECT_EQ(LIMIT3(c, 20000.00_d), 12911.31_d);
  // Born earlier: the whole year, 13 x 1,434.59 = 18,649.67.
  nascido(1940, 5, 20);
  saida.respostas = {false};
  EXPECT_EQ(LIMIT3(c, 20000.00_d), 18649.67_d);
}

TEST_F(Aposentado, ExcessGoesToTheTaxableIncomeWhenAsked) {
  nascido(1940, 1, 1);
  renda("J", 0.00_d, {}, {}, {{"I1_17", 10000.00_d}});
  renda("J", 5000.00_d);
  // The other row uses 10,000.00 of 18,649.67; 8,649.67 is left, so 1,350.33 passes.
  saida.respostas = {true};
  EXPECT_EQ(LIMIT3(c, 10000.00_d), 8649.67_d);
  rt::db::Table& t = tabela(store::Area::TMP_02);
  EXPECT_EQ(t.recNo(), 2u);
  EXPECT_EQ(t.getNumber("I1_17"), 8649.67_d);
  EXPECT_EQ(t.getNumber("I1_4"), 6350.33_d);
  ASSERT_EQ(saida.com("pergunta").size(), 1u);
  EXPECT_EQ(saida.com("pergunta")[0],
            "pergunta:" + std::string("O limite para esse ano é de R$  18.649,67 e o valor"_cp) +
                "|de R$   1.350,33 somado  no rendimento tributavel|" +
                std::string("       Deseja que o programa faça isso ?"_cp));
  // When the other rows use the whole limit nothing more is exempt.
  t.goTo(1);
  ASSERT_TRUE(t.status());
  ASSERT_TRUE(t.put("I1_17", 18649.67_d));
  t.goTo(2);
  ASSERT_TRUE(t.status());
  saida.respostas = {false};
  EXPECT_EQ(LIMIT3(c, 100.00_d), 0.00_d);
}

TEST_F(Aposentado, RefusedUnder65OrAskedWithAnotherOccupation) {
  renda("J", 1000.00_d);
  nascido(1945, 1, 1);
  EXPECT_EQ(LIMIT3(c, 500.00_d), 0.00_d);
  EXPECT_EQ(saida.com("alerta"),
            std::vector<std::string>{
                "alerta:" +
                std::string("O contribuinte tem menos de 65 anos;e não pode usar desse beneficio!"_cp)});
  EXPECT_EQ(LIMIT3(c, 0.00_d), 0.00_d);
  nascido(1944, 1, 1);
  d.registro.txt("CODAT", "11");
  saida.respostas = {false};
  EXPECT_EQ(LIMIT3(c, 500.00_d), 0.00_d);
  saida.respostas = {true};
  EXPECT_EQ(LIMIT3(c, 500.00_d), 500.00_d);
  // The retirees' other field: code 62 keeps it, others are asked.
  d.registro.txt("CODAT", "62");
  EXPECT_EQ(LIMIT2(c, 70.00_d), 70.00_d);
  d.registro.txt("CODAT", "11");
  saida.respostas = {false};
  EXPECT_EQ(LIMIT2(c, 70.00_d), 0.00_d);
}

TEST_F(Limites, AmountPaidSplitsWhatPassesTheCaps) {
  pagamento(1, 0.00_d);
  EXPECT_EQ(FDOAPAG(c, 3000.00_d), 3000.00_d);
  EXPECT_EQ(tabela(store::Area::TMP_06).getNumber("I6_5"), 291.06_d);  // above 2,708.94
  EXPECT_EQ(FDOAPAG(c, 2000.00_d), 2000.00_d);
  EXPECT_EQ(tabela(store::Area::TMP_06).getNumber("I6_5"), 0.00_d);
  pagamento(50, 0.00_d);
  EXPECT_EQ(FDOAPAG(c, 800.00_d), 800.00_d);
  EXPECT_EQ(tabela(store::Area::TMP_06).getNumber("I6_5"), 68.00_d);  // above 732.00
  EXPECT_FALSE(d.JA_CALC);
  // Private pension without official social security: a notice, the value kept.
  pagamento(36, 0.00_d);
  EXPECT_EQ(FDOAPAG(c, 500.00_d), 500.00_d);
  EXPECT_EQ(saida.com("aviso").size(), 1u);
  d.tabela01.num("I13_08", 10.00_d);
  EXPECT_EQ(FDOAPAG(c, 500.00_d), 500.00_d);
  EXPECT_EQ(saida.com("aviso").size(), 1u);
}

TEST_F(Limites, NonDeductiblePartOnlyWhereItMeansSomething) {
  pagamento(50, 800.00_d);
  EXPECT_EQ(FCONFNDEDU(c, 68.00_d), 68.00_d);  // accepted as entered on code 50
  pagamento(30, 800.00_d);
  EXPECT_EQ(FCONFNDEDU(c, 10.00_d), 0.00_d);
  pagamento(10, 800.00_d);
  EXPECT_EQ(FCONFNDEDU(c, 800.01_d), 0.00_d);
  EXPECT_EQ(saida.com("aviso").size(), 2u);
  EXPECT_EQ(FCONFNDEDU(c, 300.00_d), 300.00_d);
  EXPECT_EQ(tabela(store::Area::TMP_06).getNumber("I6_5"), 300.00_d);
  EXPECT_EQ(v.I13_12D, 300.00_d);
  EXPECT_EQ(l("I13_12"), 500.00_d);
}

}  // namespace
}  // namespace taxcalc::teste

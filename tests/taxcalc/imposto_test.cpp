// The progressive table at each bracket's edges, and the months an estate or exit declaration
// takes it for. Expected taxes are worked out by hand from the 2009 table:
//   up to 17,215.08 nothing; then 7.5% - 1,291.13; above 25,800.00 15% - 3,226.13;
//   above 34,400.41 22.5% - 5,806.16; above 42,984.00 27.5% - 7,955.36; rounded to cents.
#include "taxcalc/imposto.h"

#include <gtest/gtest.h>

#include "declaracao_fixture.h"
#include "rt/text/cp860.h"

namespace taxcalc::teste {
namespace {

TEST(TabelaProgressiva, EachBracketAtItsEdges) {
  EXPECT_EQ(tabelaProgressiva(0.00_d), 0.00_d);
  EXPECT_EQ(tabelaProgressiva(Decimal() - 500.00_d), 0.00_d);  // a negative base owes nothing
  EXPECT_EQ(tabelaProgressiva(17215.08_d), 0.00_d);            // the limit belongs to the bracket below
  // 17,215.09 x 0.075 = 1,291.13175; less 1,291.13 = 0.00175, which rounds to 0.00.
  EXPECT_EQ(tabelaProgressiva(17215.09_d), 0.00_d);
  // 18,000.00 x 0.075 = 1,350.00; less 1,291.13 = 58.87.
  EXPECT_EQ(tabelaProgressiva(18000.00_d), 58.87_d);
  // 25,800.00 x 0.075 = 1,935.00; less 1,291.13 = 643.87 (still the 7.5% bracket).
  EXPECT_EQ(tabelaProgressiva(25800.00_d), 643.87_d);
  // 25,800.01 x 0.15 = 3,870.0015; less 3,226.13 = 643.8715 -> 643.87.
  EXPECT_EQ(tabelaProgressiva(25800.01_d), 643.87_d);
  // 25,800.10 x 0.15 = 3,870.015; less 3,226.13 = exactly 643.885, half a cent: 643.89.
  EXPECT_EQ(tabelaProgressiva(25800.10_d), 643.89_d);
  // 34,400.41 x 0.15 = 5,160.0615; less 3,226.13 = 1,933.9315 -> 1,933.93.
  EXPECT_EQ(tabelaProgressiva(34400.41_d), 1933.93_d);
  // 34,400.42 x 0.225 = 7,740.0945; less 5,806.16 = 1,933.9345 -> 1,933.93.
  EXPECT_EQ(tabelaProgressiva(34400.42_d), 1933.93_d);
  // 42,984.00 x 0.225 = 9,671.40; less 5,806.16 = 3,865.24.
  EXPECT_EQ(tabelaProgressiva(42984.00_d), 3865.24_d);
  // 42,984.01 x 0.275 = 11,820.60275; less 7,955.36 = 3,865.24275 -> 3,865.24.
  EXPECT_EQ(tabelaProgressiva(42984.01_d), 3865.24_d);
  // 100,000.00 x 0.275 = 27,500.00; less 7,955.36 = 19,544.64.
  EXPECT_EQ(tabelaProgressiva(100000.00_d), 19544.64_d);
}

TEST(TabelaProgressiva, PartOfAYear) {
  // One month: the limits are a twelfth (1,434.59, 2,150.00 ...); 2,000.00 x 0.075 = 150.00,
  // less 1,291.13 / 12 = 107.594166... gives 42.405833... -> 42.41.
  EXPECT_EQ(tabelaProgressiva(1434.59_d, 1), 0.00_d);
  EXPECT_EQ(tabelaProgressiva(2000.00_d, 1), 42.41_d);
  // Three months (an exit in March): limits and deductions a quarter. First limit 4,303.77;
  // 5,000.00 x 0.075 = 375.00, less 322.7825 = 52.2175 -> 52.22.
  EXPECT_EQ(tabelaProgressiva(4303.77_d, 3), 0.00_d);
  EXPECT_EQ(tabelaProgressiva(5000.00_d, 3), 52.22_d);
  // Second limit 6,450.00: 6,450.00 x 0.075 = 483.75, less 322.7825 = 160.9675 -> 160.97.
  EXPECT_EQ(tabelaProgressiva(6450.00_d, 3), 160.97_d);
  // Six months (partition in June): half of everything. 9,000.00 x 0.075 = 675.00, less
  // 645.565 = 29.435, half a cent -> 29.44.
  EXPECT_EQ(tabelaProgressiva(9000.00_d, 6), 29.44_d);
  // Seven months: the first limit 17,215.08 x 7 / 12 = 10,042.13 exactly, and it is kept exact.
  EXPECT_EQ(tabelaProgressiva(10042.13_d, 7), 0.00_d);
  // 12,000.00 x 0.075 = 900.00, less 1,291.13 x 7 / 12 = 753.159166... -> 146.840833 -> 146.84.
  EXPECT_EQ(tabelaProgressiva(12000.00_d, 7), 146.84_d);
}

class CalcImposto : public DeclaracaoTeste {};

TEST_F(CalcImposto, ExitDeclarationTakesTheMonthsUpToTheExit) {
  d.tabela01.txt("DECSAIDA", "S");
  d.tabela01.data("DATASAIDA", Date::fromYmd(2009, 3, 15));
  // Three months: the top limit is 10,746.00 and its deduction 1,988.84;
  // 20,000.00 x 0.275 = 5,500.00, less 1,988.84 = 3,511.16.
  EXPECT_EQ(CALC_IMPOS(c, 1, 20000.00_d), 3511.16_d);
  // One month stays one month whatever the declaration.
  EXPECT_EQ(CALC_IMPOS(c, 12, 2000.00_d), 42.41_d);
  EXPECT_TRUE(saida.eventos.empty());
}

TEST_F(CalcImposto, FinalDeclarationByPartitionOrDeed) {
  d.tabela01.txt("DECFINAL", "S");
  d.tabela01.data("DATALAVRA", Date::fromYmd(2009, 7, 20));
  EXPECT_EQ(mesesDoCalculo(c), 7);
  // The partition date, when there is one, is taken before the deed's.
  d.tabela01.data("DATAPARTI", Date::fromYmd(2009, 6, 10));
  EXPECT_EQ(mesesDoCalculo(c), 6);
  EXPECT_EQ(CALC_IMPOS(c, 1, 9000.00_d), 29.44_d);
}

TEST_F(CalcImposto, MissingDatesTakeTheWholeYearAndSaySo) {
  d.tabela01.txt("DECFINAL", "S");
  EXPECT_EQ(CALC_IMPOS(c, 1, 18000.00_d), 58.87_d);
  ASSERT_EQ(saida.eventos.size(), 1u);
  EXPECT_EQ(saida.eventos[0],
            "aviso:Na declaracao Final o calculo do Imposto|depende da data Partilha ou Lavratura");
  saida.eventos.clear();
  d.tabela01.txt("DECFINAL", " ");
  d.tabela01.txt("DECSAIDA", "S");
  EXPECT_EQ(CALC_IMPOS(c, 1, 18000.00_d), 58.87_d);
  ASSERT_EQ(saida.eventos.size(), 1u);
  EXPECT_EQ(saida.eventos[0],
            "aviso:Na declaracao de saida o calculo do Imposto|depende da data da saida. Informe-a");
}

}  // namespace
}  // namespace taxcalc::teste

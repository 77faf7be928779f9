// The variable-income matrix: the month's computation, its rows and the yearly totals.
#include "gains/renda_variavel.h"

#include <gtest/gtest.h>

#include "gains/ganho.h"
#include "ganhos_fixture.h"
#include "rt/text/cp860.h"

namespace gains::teste {

using rt::text::Decimal;
using namespace rt::text::literals;

class RendaVariavelTeste : public DeclaracaoGanhos {
 protected:
  Decimal& cel(int linha, int mes) { return celulaRV(m, linha, mes); }
  // Month `mes` of the stored row of line `linha`, mode `modo` (nullopt when there is none).
  std::optional<Decimal> guardado(int linha, int modo, int mes) {
    rt::db::Table& t = tabela(store::Area::TMP_07);
    for (std::uint32_t r = 1; r <= t.recordCount(); ++r) {
      t.goTo(r);
      EXPECT_TRUE(t.status());
      if (!t.isDeleted() && t.getNumber("TIPO_BEM") == Decimal(RendaVariavel) &&
          t.getNumber("RVAR_NRO") == Decimal(linha) && t.getText("DAY_TRADE") == std::to_string(modo))
        return t.getNumber("REC_MES" + std::string(mes < 10 ? "0" : "") + std::to_string(mes));
    }
    return std::nullopt;
  }
  grid::Matrizes m;
};

TEST_F(RendaVariavelTeste, CommonOperationsCarryLossesAndCapTheWithholding) {
  PRENCHE_MAT(c, m, Comum);
  EXPECT_EQ(std::get<std::string>(m.MRENVAR[17][1]), "18.Imposto Operação comum (15%)"_cp);
  cel(15, 1) = 200_d;  // last year's loss, typed positive
  cel(1, 1) = 150_d;
  cel(1, 3) = -1000_d;
  cel(1, 4) = 1500_d;
  cel(1, 5) = 18000_d;
  cel(24, 5) = 0.9_d;  // 0.005% withheld on 18,000.00 of sales
  cel(1, 6) = 100_d;
  cel(24, 6) = 20_d;  // more than the month's tax
  const std::optional<std::string> recusa = SOMA_RENVAR(m);
  ASSERT_TRUE(recusa.has_value());
  EXPECT_EQ(*recusa, "O valor nao pode ser maior que o imposto devido");
  // January: 150.00 against last year's 200.00 loss; 50.00 still to compensate in February.
  EXPECT_EQ(cel(15, 1), -200_d);
  EXPECT_EQ(cel(16, 1), Decimal());
  EXPECT_EQ(cel(17, 1), -50_d);
  EXPECT_EQ(cel(15, 2), -50_d);
  // A March loss of 1,000.00 against April's 1,500.00 gain: base 500.00, tax 75.00.
  EXPECT_EQ(cel(15, 3), -50_d);
  EXPECT_EQ(cel(15, 4), -1050_d);
  EXPECT_EQ(cel(16, 4), 450_d);
  EXPECT_EQ(cel(18, 4), 67.5_d);
  EXPECT_EQ(cel(25, 4), 67.5_d);
  // May: 15% of 18,000.00 less the 0.90 withheld.
  EXPECT_EQ(cel(18, 5), 2700_d);
  EXPECT_EQ(cel(25, 5), 2699.1_d);
  // June: the withholding cut to the tax; nothing to pay.
  EXPECT_EQ(cel(24, 6), 15_d);
  EXPECT_EQ(cel(25, 6), Decimal());
  // July: nothing taxable, nothing to pay.
  EXPECT_EQ(cel(20, 7), Decimal());
  EXPECT_EQ(cel(25, 7), Decimal());
  // Cents of the tax are cut, not rounded.
  cel(1, 8) = 0.33_d;
  (void)SOMA_RENVAR(m);
  EXPECT_EQ(cel(18, 8), 0.04_d);
}

TEST_F(RendaVariavelTeste, DayTradeSavedRecomputesTheCommonOperations) {
  PRENCHE_MAT(c, m, Comum);
  cel(1, 8) = 1000_d;
  (void)SOMA_RENVAR(m);
  GRAVA_RV(c, m);
  EXPECT_EQ(guardado(25, Comum, 8), 150_d);

  PRENCHE_MAT(c, m, DayTrade);
  EXPECT_EQ(cel(18, 8), 150_d);  // the common tax is shared
  cel(1, 7) = 1000_d;
  cel(21, 7) = 250_d;  // withheld above the month's day-trade tax of 200.00
  cel(1, 8) = 500_d;
  (void)SOMA_RENVAR(m);
  EXPECT_EQ(cel(19, 7), 200_d);
  EXPECT_EQ(cel(23, 8), 50_d);   // the 50.00 withheld in excess carried to August
  EXPECT_EQ(cel(25, 8), 200_d);  // 150.00 + 100.00 - 50.00
  GRAVA_RV(c, m);
  // Day trade stores lines 1-24 only; the common operations' line 25, read by the payment
  // slip, now carries the day-trade tax.
  EXPECT_EQ(guardado(19, DayTrade, 7), 200_d);
  EXPECT_FALSE(guardado(25, DayTrade, 8).has_value());
  EXPECT_EQ(guardado(25, Comum, 8), 200_d);
  EXPECT_EQ(guardado(19, Comum, 7), 200_d);

  // Reloaded, the common matrix shows the same.
  PRENCHE_MAT(c, m, Comum);
  EXPECT_EQ(cel(25, 8), 200_d);
  // A line emptied deletes its row.
  cel(1, 8) = Decimal();
  (void)SOMA_RENVAR(m);
  GRAVA_RV(c, m);
  EXPECT_FALSE(guardado(1, Comum, 8).has_value());
}

TEST_F(RendaVariavelTeste, YearlyTotals) {
  PRENCHE_MAT(c, m, Comum);
  cel(1, 3) = -1000_d;
  cel(1, 4) = 3000_d;
  cel(24, 4) = 10_d;
  cel(26, 4) = 290_d;
  (void)SOMA_RENVAR(m);
  GRAVA_RV(c, m);
  PRENCHE_MAT(c, m, Fundos);
  EXPECT_EQ(std::get<std::string>(m.MRENVAR[1][1]), " ----------------------------- ");
  cel(1, 5) = 400_d;
  cel(26, 5) = 80_d;
  (void)SOMA_RENVAR(m);
  EXPECT_EQ(cel(18, 5), 80_d);  // funds pay 20%
  GRAVA_RV(c, m);
  CALC_GRV(c);
  EXPECT_EQ(l("PREJRVA"), 1000_d);
  EXPECT_EQ(l("LUCRRVA"), 3400_d);
  EXPECT_EQ(l("I13_40"), 380_d);
  EXPECT_EQ(l("I4_03"), 2020_d);  // bases 2,000.00 + 400.00 less 380.00 paid
}

}  // namespace gains::teste

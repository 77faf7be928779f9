// The rural result of both sides with losses carried, the cash book by property share, the
// herd, the cash balance of both models, the spending detail and the income simulation at the
// point where the simplified discount reaches its cap. Expected amounts are worked out by hand
// in the comment above each.
#include <gtest/gtest.h>

#include "copias_extras.h"
#include "rt/db/table.h"
#include "rt/text/cp860.h"
#include "taxcalc/balanco.h"
#include "taxcalc/rural.h"

namespace taxcalc::teste {
namespace {

using rt::text::Date;

class Rural : public DeclaracaoCompleta {
 protected:
  Rural() {
    d.registro.txt("TEMRURAL", "S");
    lado("S");
  }
  void lado(const char* s) { d.rural.txt("ATV_BRASIL", s); }
  Decimal r(const char* campo) { return d.rural.num(campo); }
  EstadoRural e{2.00_d};
};

TEST_F(Rural, ProfitBelowThePresumedResult) {
  // 100,000.00 - 90,000.00 = 10,000.00; presumed 20% = 20,000.00; the lesser is taxed.
  d.rural.num("I4R_01", 100000.00_d);
  d.rural.num("I4R_02", 90000.00_d);
  resultadoRural(c, e);
  EXPECT_EQ(r("I4R_03"), 10000.00_d);
  EXPECT_EQ(r("I4R_05"), 10000.00_d);
  EXPECT_EQ(r("I4R_06"), 20000.00_d);
  EXPECT_EQ(r("I4R_07"), 10000.00_d);
  EXPECT_EQ(r("I5_08"), 0.00_d);
  // 10,000.00 + 0 - (0 + 10,000.00 + 0) = 0.
  EXPECT_EQ(r("I6_10"), 0.00_d);
  EXPECT_EQ(l("I13_06"), 10000.00_d);
  EXPECT_EQ(l("PREJRUR"), 0.00_d);
}

TEST_F(Rural, EarlierLossCompensated) {
  // 100,000.00 - 80,000.00 = 20,000.00, less 15,000.00 of earlier loss = 5,000.00 taxed
  // (presumed 20,000.00); the exempt part 20,000.00 + 0 - (0 + 5,000.00 + 0) = 15,000.00.
  d.rural.num("I4R_01", 100000.00_d);
  d.rural.num("I4R_02", 80000.00_d);
  d.rural.num("I4R_04", 15000.00_d);
  resultadoRural(c, e);
  EXPECT_EQ(r("I4R_05"), 5000.00_d);
  EXPECT_EQ(r("I4R_07"), 5000.00_d);
  EXPECT_EQ(r("I6_10"), 15000.00_d);
  EXPECT_EQ(l("I13_06"), 5000.00_d);
  EXPECT_EQ(l("I3_11"), 15000.00_d);
  EXPECT_EQ(d.registro.num("PREJU_BR"), 15000.00_d);
}

TEST_F(Rural, LossCarriedToNextYear) {
  // 10,000.00 - 15,000.00 = -5,000.00; with 2,000.00 compensated -7,000.00; presumed 2,000.00;
  // taxable -7,000.00, so 7,000.00 to carry; the summary gets 0 and PREJRUR 7,000.00 - 2,000.00.
  d.rural.num("I4R_01", 10000.00_d);
  d.rural.num("I4R_02", 15000.00_d);
  d.rural.num("I4R_04", 2000.00_d);
  resultadoRural(c, e);
  EXPECT_EQ(r("I4R_03"), -5000.00_d);
  EXPECT_EQ(r("I4R_07"), -7000.00_d);
  EXPECT_EQ(r("I5_08"), 7000.00_d);
  EXPECT_EQ(r("I6_10"), 0.00_d);
  EXPECT_EQ(l("I13_06"), 0.00_d);
  EXPECT_EQ(l("PREJRUR"), 5000.00_d);
}

TEST_F(Rural, LossInBrazilAndProfitAbroad) {
  // Brazil kept from its own run: taxable -5,000.00 with 2,000.00 compensated. Abroad: 1,500.00
  // dollars at 2.00 = 3,000.00, the 20% option 300.00 taxed. I13_06 is the profit abroad and
  // PREJRUR 5,000.00 - 2,000.00 = 3,000.00.
  d.registro.num("TRIB_BR", -5000.00_d);
  d.registro.num("PREJU_BR", 2000.00_d);
  lado("N");
  linha(store::Area::TMP_16, {{"RESUS", 1000.00_d}, {"OPC20RS", 300.00_d}});
  linha(store::Area::TMP_16, {{"RESUS", 500.00_d}});
  resultadoRural(c, e);
  EXPECT_EQ(r("I4R_01"), 1500.00_d);
  EXPECT_EQ(r("I4R_03"), 3000.00_d);
  EXPECT_EQ(r("I4R_06"), 300.00_d);
  EXPECT_EQ(r("I4R_07"), 300.00_d);
  EXPECT_EQ(l("I13_06"), 300.00_d);
  EXPECT_EQ(l("PREJRUR"), 3000.00_d);
}

TEST_F(Rural, BothSidesWithLosses) {
  // Brazil -1,000.00 (nothing compensated), abroad -500.00 with 200.00 compensated:
  // 1,000.00 + 300.00 carried, nothing taxed. Debts of both sides summed.
  d.registro.num("TRIB_BR", -1000.00_d);
  d.registro.num("DIVAD_BR", 700.00_d);
  lado("N");
  d.rural.num("I4R_04", 200.00_d);
  linha(store::Area::TMP_16, {{"RESUS", -150.00_d}, {"OPC20RS", 100.00_d}});
  linha(store::Area::TMP_18, {{"I9R_3", 400.00_d}, {"I9R_4", 50.00_d}});
  resultadoRural(c, e);
  // -150 x 2.00 = -300.00, less 200.00 = -500.00, the lesser of 100.00 and -500.00.
  EXPECT_EQ(r("I4R_07"), -500.00_d);
  EXPECT_EQ(l("I13_06"), 0.00_d);
  EXPECT_EQ(l("PREJRUR"), 1300.00_d);
  EXPECT_EQ(l("EMPRUR"), 1100.00_d);
  EXPECT_EQ(l("AMORUR"), 50.00_d);
}

TEST_F(Rural, CashBookByPropertyShare) {
  linha(store::Area::TMP_16, {{"I2R_04", 50.00_d}});
  linha(store::Area::TMP_19, {{"DT_LC", Date::fromYmd(2009, 3, 10)},
                              {"VALOR", 1000.00_d},
                              {"NROIMO", Decimal(1)},
                              {"TIPOCR", std::string("D")},
                              {"TEMITR", std::string("S")}});
  linha(store::Area::TMP_19,
        {{"DT_LC", Date::fromYmd(2009, 3, 12)}, {"VALOR", 2000.00_d}, {"TIPOCR", std::string("C")}});
  linha(store::Area::TMP_19, {{"DT_LC", Date::fromYmd(2009, 4, 1)},
                              {"VALOR", 300.00_d},
                              {"NROIMO", Decimal(9)},
                              {"TIPOCR", std::string("D")}});
  linha(store::Area::TMP_19, {{"VALOR", 5000.00_d}, {"TIPOCR", std::string("C")}});  // no date: not counted
  const TotaisRurais t = SOMA_RUR(c, 2);
  // 1,000.00 on a property held at 50% counts 500.00; a property beyond the list counts whole.
  EXPECT_EQ(t.despesas[3], 500.00_d);
  EXPECT_EQ(t.receitas[3], 2000.00_d);
  EXPECT_EQ(t.despesas[4], 300.00_d);
  tabela(store::Area::TMP_16).goTo(1);
  ASSERT_TRUE(tabela(store::Area::TMP_16).status());
  EXPECT_EQ(tabela(store::Area::TMP_16).getNumber("VALITR"), 500.00_d);
  EXPECT_EQ(d.REND_RURAL[3][1], 2000.00_d);
  totaisMensais(c);
  EXPECT_EQ(r("I4R_01"), 2000.00_d);
  EXPECT_EQ(r("I4R_02"), 800.00_d);
}

TEST_F(Rural, EveryMonthDecemberIncludedIsMarkedWhenItSpentMore) {
  TotaisRurais t;
  std::array<char, 12> neg{};
  EXPECT_FALSE(VE_DESPESAS(t, neg));
  t.despesas[12] = 10.00_d;
  EXPECT_TRUE(VE_DESPESAS(t, neg));
  EXPECT_EQ(neg[11], '*');
  EXPECT_EQ(neg[10], ' ');
  t.receitas[12] = 10.00_d;  // spending what it received is not a loss
  EXPECT_FALSE(VE_DESPESAS(t, neg));
}

TEST_F(Rural, HerdNeverBelowZero) {
  d.rural.num("I7_1B", Decimal(10));
  d.rural.num("I7_2B", Decimal(5));
  d.rural.num("I7_3B", Decimal(2));
  d.rural.num("I7_4B", Decimal(18));
  Decimal final;
  // 10 + 5 + 2 - 18 = -1.
  auto erro = estoqueFinal(c, "B", 4, final);
  ASSERT_TRUE(erro.has_value());
  EXPECT_EQ(*erro, std::string("Atenção !!! Estoque Final negativo"_cp));
  d.rural.num("I7_4B", Decimal(10));
  d.rural.num("I7_5B", Decimal(7));
  EXPECT_FALSE(estoqueFinal(c, "B", 5, final).has_value());
  EXPECT_EQ(final, Decimal(0));
  d.rural.num("I7_5B", Decimal(8));
  EXPECT_TRUE(estoqueFinal(c, "B", 5, final).has_value());
}

TEST_F(Rural, HerdFieldsThroughTheScreensEntry) {
  d.rural.num("I7_1S", Decimal(3));
  d.rural.num("I7_5S", Decimal(4));
  // 3 - 4 sold: refused when the sales are edited, not when the purchases are.
  EXPECT_TRUE(CALCRUR(c, e, 15, "5S").has_value());
  EXPECT_FALSE(CALCRUR(c, e, 15, "2S").has_value());
  EXPECT_FALSE(CALCRUR(c, e, 15, "0").has_value());
  EXPECT_EQ(MRODAPER(2),
            std::string("<ESC>Fim | Alt A muda p/Só Totais<TAB/SHIFT+TAB>Avança ou Volta Pag "_cp));
}

TEST_F(Rural, HerdTotalsAreTheFiveFinalStocksRedrawnAfterEachAcceptedEdit) {
  // B: 100 + 20 + 30 - 5 - 45 = 100; S: 7 sold of 7 = 0; C: 3 born; A: none; V1: 999,999 x 3.
  for (auto [campo, n] : {std::pair{"I7_1B", 100}, {"I7_2B", 20}, {"I7_3B", 30}, {"I7_4B", 5}, {"I7_5B", 45},
                          {"I7_1S", 7}, {"I7_5S", 7}, {"I7_3C", 3}, {"I7_1V1", 999999}, {"I7_2V1", 999999},
                          {"I7_3V1", 999999}})
    d.rural.num(campo, Decimal(n));
  const std::array<Decimal, 5> t = totaisRebanho(c);
  EXPECT_EQ(t, (std::array<Decimal, 5>{Decimal(100), Decimal(0), Decimal(3), Decimal(0), Decimal(2999997)}));
  EXPECT_EQ(textoRebanho(t[0]), "      100");
  EXPECT_EQ(textoRebanho(t[1]), std::string(9, ' '));  // an empty stock shows blank
  EXPECT_EQ(textoRebanho(t[4]), "2.999.997");

  const std::string quadro = "mostra:" + std::to_string(static_cast<int>(Quadro::Rebanho));
  saida.eventos.clear();
  EXPECT_FALSE(CALCRUR(c, e, 15, "0").has_value());
  EXPECT_FALSE(CALCRUR(c, e, 15, "4B").has_value());
  EXPECT_EQ(saida.eventos, (std::vector<std::string>{quadro, quadro}));
  // A refused edit leaves the totals as they were shown.
  d.rural.num("I7_5S", Decimal(8));
  saida.eventos.clear();
  EXPECT_TRUE(CALCRUR(c, e, 15, "5S").has_value());
  EXPECT_TRUE(saida.eventos.empty());
}

class Balanco : public DeclaracaoCompleta {};

TEST_F(Balanco, NothingDeclaredIsZero) {
  EXPECT_EQ(VE_SALDO(c), 0.00_d);
  EXPECT_EQ(v.RECEITA, 0.00_d);
}

TEST_F(Balanco, UsesOfEachModel) {
  d.tabela01.num("I13_01", 20000.00_d);
  d.tabela01.num("DESPADRAO", 1000.00_d);
  v.DESPSIMP = 200.00_d;
  d.tabela01.num("DESPDECLA", 5000.00_d);
  d.tabela01.num("I13_08", 300.00_d);
  d.tabela01.num("I13_10", 1730.40_d);
  d.tabela01.num("I13_14", 100.00_d);
  // Simplified: 20,000.00 - (1,000.00 + 200.00).
  modelo("S");
  EXPECT_EQ(VE_SALDO(c), 18800.00_d);
  EXPECT_EQ(d.registro.num("SALDO"), 18800.00_d);
  // Complete: 20,000.00 - (5,000.00 + 300.00 + 1,730.40 + 100.00).
  modelo("N");
  EXPECT_EQ(VE_SALDO(c), 12869.60_d);
  EXPECT_EQ(v.DESPESA, 7130.40_d);
}

TEST_F(Balanco, DetailWithOnlyMedicalExpenses) {
  d.tabela01.num("I13_12", 1500.00_d);
  v.RECEITA = 20000.00_d;
  v.DESPESA = 6000.00_d;
  EXPECT_EQ(POERESTO(c, 0), 0.00_d);  // the first five lines only when asked
  EXPECT_EQ(tabela(store::Area::DETALH).recordCount(), 0u);
  EXPECT_EQ(POERESTO(c, 1), 1500.00_d);
  ASSERT_EQ(tabela(store::Area::DETALH).recordCount(), 1u);
  tabela(store::Area::DETALH).goTo(1);
  ASSERT_TRUE(tabela(store::Area::DETALH).status());
  EXPECT_EQ(tabela(store::Area::DETALH).getText("DESCRICAO").substr(0, 34),
            "Despesas medicas e/ou hospitalares");
  // 1,500.00 of 6,000.00 and of 20,000.00.
  EXPECT_EQ(tabela(store::Area::DETALH).getNumber("PERCDESP"), 25.00_d);
  EXPECT_EQ(tabela(store::Area::DETALH).getNumber("PERCRECE"), 7.50_d);
}

TEST_F(Balanco, SimulationSwitchesWhereTheDiscountReachesItsCap) {
  // 4 x 12,743.63 = 50,974.52; x 0.275 = 14,017.993 - 7,955.36 = 6,062.633 -> 6,062.63.
  EXPECT_EQ(limiarDescontoPadrao(), 6062.63_d);
  Simulacao s;
  // At the switch: (6,062.63 + 7,955.36 + 12,743.63 x 0.275) / 0.275 = 63,718.139 -> 63,718.13,
  // whose discount 12,743.62 leaves 50,974.51 and a tax of 6,062.63.
  s.NSIMPOSTO = 6062.63_d;
  EXPECT_TRUE(SIMUL(c, s, 2));
  EXPECT_EQ(s.NSRECEITA, 63718.13_d);
  EXPECT_TRUE(SIMUL(c, s, 4));
  EXPECT_EQ(s.NSIMPOSTO, 6062.63_d);
  // Just below, where the old fixed threshold of 5,458.99 took the capped formula: the discount
  // is still 20%, (6,000.00 + 7,955.36) / (0.8 x 0.275) = 63,433.45; 80% of it, 50,746.76, is
  // taxed 13,955.359 - 7,955.36 = 5,999.999 -> 6,000.00.
  s.NSIMPOSTO = 6000.00_d;
  EXPECT_TRUE(SIMUL(c, s, 2));
  EXPECT_EQ(s.NSRECEITA, 63433.45_d);
  // The lowest bracket: 27.5% gives 36,615.27 (80%: 29,292.22, taxed 1,167.70), 22.5% 32,812.00
  // (711.31), 15% 27,717.75 (371.94); 7.5% gives (100.00 + 1,291.13) / 0.06 = 23,185.50, whose
  // 80%, 18,548.40, is taxed 1,391.13 - 1,291.13 = 100.00.
  s.NSIMPOSTO = 100.00_d;
  EXPECT_TRUE(SIMUL(c, s, 2));
  EXPECT_EQ(s.NSRECEITA, 23185.50_d);
}

TEST_F(Balanco, SimulationRefusesARefundAboveTheTaxPaid) {
  d.tabela01.num("I13_27", 1000.00_d);
  Simulacao s;
  s.NSIMPOSTO = -1500.00_d;
  EXPECT_FALSE(SIMUL(c, s, 2));
  ASSERT_EQ(saida.com("alerta:").size(), 1u);
  EXPECT_EQ(saida.com("alerta:")[0],
            "alerta:" + std::string("O valor máximo de restituiçao de imposto é R$"_cp) + "     1.000,00");
  s.NSIMPOSTO = -1000.00_d;
  EXPECT_TRUE(SIMUL(c, s, 2));
}

TEST_F(Balanco, SimulationOfAnExtraDeduction) {
  // tax(50,000.00 - 5,000.00) = 45,000.00 x 0.275 - 7,955.36 = 4,419.64; incentive the lesser
  // of 100.00 and 6% (265.17), times 1.06 = 106.00; less 3,000.00 paid = 1,313.64.
  d.tabela01.num("I13_16", 50000.00_d);
  d.tabela01.num("I13_27", 3000.00_d);
  v.I13_18T = 100.00_d;
  Simulacao s;
  s.NSDEDUCAO = 5000.00_d;
  EXPECT_TRUE(SIMUL(c, s, 1));
  EXPECT_EQ(s.NSIMPOSTO, 1313.64_d);
}

TEST_F(Balanco, SimulationOfTheCompleteModelsBalance) {
  // Balance 100.00, nothing paid, no incentive: tax 100.00. 27.5% gives 29,292.21 (a tax of
  // 15%), 22.5% 26,249.60 (711.31), 15% 22,174.20 (371.94); 7.5% gives
  // (100.00 + 1,291.13) / 0.075 = 18,548.40, taxed 1,391.13 - 1,291.13 = 100.00. With 10,000.00
  // of deductions the income is 28,548.40.
  d.tabela01.num("I13_15", 10000.00_d);
  Simulacao s;
  s.NSIMPOSTO = 100.00_d;
  EXPECT_TRUE(SIMUL(c, s, 3));
  EXPECT_EQ(s.NSRECEITA, 28548.40_d);
  // 3,000.00 of those deductions are private pension, 5,000.00 paid: the income r solves
  // r = 18,548.40 + 7,000.00 + 12% of r, 25,548.40 / 0.88 = 29,032.27 (12% is 3,483.87).
  d.tabela01.num("I13_09", 3000.00_d);
  v.I13_09T = 5000.00_d;
  EXPECT_TRUE(SIMUL(c, s, 3));
  EXPECT_EQ(s.NSRECEITA, 29032.27_d);
}

TEST_F(Balanco, SimulationOfTheBalanceWithIncentives) {
  // Balance 1,000.00 with 500.00 paid: 1,500.00 due; with 1,000.00 donated the incentive is 6%,
  // so the tax is 1,500.00 / 0.94 = 1,595.74 (6%: 95.74). 27.5% gives 34,731.27 (2,008.38),
  // 22.5% 32,897.33 (1,708.47); 15% gives (1,595.74 + 3,226.13) / 0.15 = 32,145.80, taxed
  // 4,821.87 - 3,226.13 = 1,595.74.
  d.tabela01.num("I13_27", 500.00_d);
  v.I13_18T = 1000.00_d;
  Simulacao s;
  s.NSIMPOSTO = 1000.00_d;
  EXPECT_TRUE(SIMUL(c, s, 3));
  EXPECT_EQ(s.NSRECEITA, 32145.80_d);
}

}  // namespace
}  // namespace taxcalc::teste

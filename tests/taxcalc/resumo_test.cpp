// The whole summary of small and large declarations in both models, the quotas, tax paid
// abroad, estate and exit declarations, the model comparison and the cash index. Every
// expected amount is worked out by hand in the comment above it.
#include "taxcalc/resumo.h"

#include <gtest/gtest.h>

#include <string>

#include "declaracao_fixture.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "taxcalc/calc.h"

namespace taxcalc::teste {
namespace {

const std::string kMaisSimples =
    "rodape:" + std::string("ATENCAO! E'mais vantajoso usar o formulário simples"_cp);
const std::string kMaisCompleto =
    "rodape:" + std::string("ATENCAO! E'mais vantajoso usar o formulário completo"_cp);

class Resumo : public DeclaracaoTeste {
 protected:
  // A salaried titular with one dependant, education for both (the dependant's above the cap),
  // medical expenses partly reimbursed, private pension above its 12%, a donation and a
  // domestic employee's social security above its cap.
  void pequena() {
    renda("J", 60000.00_d, 9000.00_d, 3500.00_d, {{"I1_7", 5000.00_d}});
    dependente(21);
    pagamento(1, 3000.00_d);         // titular's school
    pagamento(1, 1500.00_d, {}, 1);  // the dependant's, twice
    pagamento(2, 1500.00_d, {}, 1);
    pagamento(10, 2000.00_d, 500.00_d);  // medical, 500.00 reimbursed
    pagamento(36, 9000.00_d);            // private pension
    pagamento(40, 1000.00_d);            // incentive donation
    pagamento(50, 800.00_d, 68.00_d);    // domestic employee's social security
  }
  // Forty payers of 2,000.00 with 125.00 withheld each: 80,000.00 and 5,000.00 in all.
  void grande() {
    for (int i = 0; i < 40; ++i) renda("J", 2000.00_d, 125.00_d);
  }
};

TEST_F(Resumo, SmallDeclarationUnderTheCompleteModel) {
  pequena();
  calcula();
  EXPECT_EQ(l("I13_01"), 60000.00_d);
  EXPECT_EQ(l("I13_07"), 60000.00_d);
  EXPECT_EQ(l("I13_08"), 3500.00_d);
  // Private pension: 9,000.00 paid, 12% of 60,000.00 = 7,200.00 allowed.
  EXPECT_EQ(l("I13_09"), 7200.00_d);
  // One dependant: 144.20 x 12 = 1,730.40.
  EXPECT_EQ(l("I13_10"), 1730.40_d);
  // Education: titular 3,000.00 and dependant 3,000.00, each capped at 2,708.94.
  EXPECT_EQ(l("I13_11"), 5417.88_d);
  EXPECT_EQ(l("I13_12"), 1500.00_d);  // 2,000.00 less the 500.00 reimbursed
  // 3,500.00 + 7,200.00 + 1,730.40 + 5,417.88 + 1,500.00 = 19,348.28.
  EXPECT_EQ(l("I13_15"), 19348.28_d);
  EXPECT_EQ(v.LIMMAX, 40651.72_d);
  EXPECT_EQ(l("I13_16"), 40651.72_d);
  // 40,651.72 x 0.225 = 9,146.637; less 5,806.16 = 3,340.477 -> 3,340.48.
  EXPECT_EQ(l("I13_17"), 3340.48_d);
  // 6% of 3,340.48 = 200.4288, cut to 200.42, below the 1,000.00 donated.
  EXPECT_EQ(l("I13_18"), 200.42_d);
  EXPECT_EQ(l("I13_19"), 3140.06_d);
  // 800.00 paid for the domestic employee, no more than 732.00.
  EXPECT_EQ(l("I13_20"), 732.00_d);
  EXPECT_EQ(l("I13_21"), 9000.00_d);
  EXPECT_EQ(l("I13_25"), 0.00_d);
  // 732.00 + 9,000.00 = 9,732.00 paid; 3,140.06 - 9,732.00 = -6,591.94 to refund.
  EXPECT_EQ(l("I13_27"), 9732.00_d);
  EXPECT_EQ(d.registro.num("IMPPGRE"), -6591.94_d);
  EXPECT_EQ(l("I13_28"), 0.00_d);
  EXPECT_EQ(l("I13_31"), 6591.94_d);
  EXPECT_EQ(l("I13_29"), 0.00_d);
  EXPECT_EQ(l("I13_30"), 0.00_d);
  EXPECT_EQ(l("I4_01"), 5000.00_d);
  EXPECT_EQ(l("I13_38"), 5000.00_d);
  // The simplified discount would be 20% of 60,000.00 = 12,000.00 and a tax on 48,000.00 of
  // 48,000.00 x 0.275 - 7,955.36 = 5,244.64; the complete one is 3,340.48 - 200.42 - 732.00.
  EXPECT_EQ(l("DESPADRAO"), 12000.00_d);
  EXPECT_EQ(v.NSIMPL, 5244.64_d);
  EXPECT_EQ(v.NCOMPL, 2408.06_d);
  // The register holds the same lines as table 01.
  EXPECT_EQ(d.registro.num("I13_27"), 9732.00_d);
  EXPECT_EQ(d.registro.num("I13_16"), 40651.72_d);
  EXPECT_EQ(d.registro.num("I13_20"), 732.00_d);
  EXPECT_TRUE(saida.com("rodape").empty());
  // Payments that leave the cash: everything but the domestic code, which counts the salary
  // estimate 800.00 / 0.12 = 6,666.666..., cut to 6,666.66, plus the 800.00.
  EXPECT_EQ(l("DESPDECLA"), 18000.00_d + 7466.66_d);
}

TEST_F(Resumo, SmallDeclarationUnderTheSimplifiedModel) {
  pequena();
  modelo("S");
  calcula(1);
  EXPECT_EQ(l("DESPADRAO"), 12000.00_d);
  EXPECT_EQ(l("I13_16"), 48000.00_d);
  EXPECT_EQ(l("I13_17"), 5244.64_d);
  EXPECT_EQ(l("I13_18"), 0.00_d);
  EXPECT_EQ(l("I13_19"), 5244.64_d);
  // No domestic employer's share under this model; paid is only the 9,000.00 withheld.
  EXPECT_EQ(l("I13_20"), 0.00_d);
  EXPECT_EQ(l("I13_27"), 9000.00_d);
  EXPECT_EQ(l("I13_31"), 3755.36_d);
  EXPECT_EQ(l("I13_28"), 0.00_d);
  // The complete model's tax is compared with this run's own figures: 2,408.06.
  EXPECT_EQ(v.NCOMPL, 2408.06_d);
  EXPECT_TRUE(v.LTEMPRAD);
  EXPECT_EQ(
      saida.com("alerta"),
      std::vector<std::string>{"alerta:" + std::string(" Não é vantajoso utilizar o desconto padrão."_cp)});
  EXPECT_EQ(saida.com("rodape"), std::vector<std::string>{kMaisCompleto});
  // Shown: the simplified summary, and no balance (SALDO 0) is a cash problem.
  EXPECT_EQ(saida.com("mostra:" + std::to_string(static_cast<int>(Quadro::ResumoSimplificado))).size(), 1u);
  EXPECT_EQ(saida.com("caixa"),
            std::vector<std::string>{"caixa!:" + std::string("ATENÇAO!! PROBLEMAS NO CAIXA"_cp)});
}

TEST_F(Resumo, ModelComparisonNeverUsesAnEarlierRunsFigures) {
  pequena();
  modelo("S");
  // Lines left by some earlier computation.
  d.tabela01.num("I13_18", 999.00_d);
  d.tabela01.num("I13_20", 999.00_d);
  calcula();
  EXPECT_EQ(v.NCOMPL, 2408.06_d);
  modelo("N");
  d.tabela01.num("I13_18", 0.00_d);
  d.tabela01.num("I13_20", 0.00_d);
  calcula();
  EXPECT_EQ(v.NCOMPL, 2408.06_d);
  EXPECT_EQ(l("I13_19") - l("I13_20"), 2408.06_d);
}

TEST_F(Resumo, LargeDeclarationToPayInQuotas) {
  grande();
  calcula();
  EXPECT_EQ(l("I13_07"), 80000.00_d);
  EXPECT_EQ(l("I13_21"), 5000.00_d);
  // No deductions: 80,000.00 x 0.275 - 7,955.36 = 14,044.64.
  EXPECT_EQ(l("I13_17"), 14044.64_d);
  EXPECT_EQ(l("I13_19"), 14044.64_d);
  EXPECT_EQ(l("I13_28"), 9044.64_d);
  // 9,044.64 / 50 gives 180 quotas at most, cut to 8 of 9,044.64 / 8 = 1,130.58.
  EXPECT_EQ(l("I13_29"), 8.00_d);
  EXPECT_EQ(l("I13_30"), 1130.58_d);
  // The simplified discount is capped: 20% of 80,000.00 = 16,000.00 > 12,743.63, and
  // 67,256.37 x 0.275 = 18,495.50175 - 7,955.36 = 10,540.14175 -> 10,540.14 is less: said so.
  EXPECT_EQ(v.NSIMPL, 10540.14_d);
  EXPECT_EQ(saida.com("rodape"), std::vector<std::string>{kMaisSimples});

  modelo("S");
  saida.eventos.clear();
  calcula();
  EXPECT_EQ(l("DESPADRAO"), 12743.63_d);
  EXPECT_EQ(l("I13_16"), 67256.37_d);
  EXPECT_EQ(l("I13_19"), 10540.14_d);
  EXPECT_EQ(l("I13_28"), 5540.14_d);
  // The 8 quotas asked before stay: 5,540.14 / 8 = 692.5175, cut (not rounded) to 692.51.
  EXPECT_EQ(l("I13_29"), 8.00_d);
  EXPECT_EQ(l("I13_30"), 692.51_d);
  EXPECT_TRUE(saida.com("rodape").empty());
}

TEST_F(Resumo, SimplifiedDiscountAtItsCap) {
  // 20% of 63,718.15 is exactly the cap 12,743.63.
  d.tabela01.num("I13_01", 63718.15_d);
  FI13_07(c);
  FI13_16(c, 0);
  EXPECT_EQ(l("DESPADRAO"), 12743.63_d);
  // 20% of 63,718.20 = 12,743.64, above the cap.
  d.tabela01.num("I13_01", 63718.20_d);
  FI13_07(c);
  FI13_16(c, 0);
  EXPECT_EQ(l("DESPADRAO"), 12743.63_d);
  // 20% of 63,718.14 = 12,743.628, cut to 12,743.62.
  d.tabela01.num("I13_01", 63718.14_d);
  FI13_07(c);
  FI13_16(c, 0);
  EXPECT_EQ(l("DESPADRAO"), 12743.62_d);
  // Under the complete model the discount is the deductions, here none.
  EXPECT_EQ(l("I13_16"), 63718.14_d);
  modelo("S");
  FI13_16(c, 0);
  EXPECT_EQ(l("I13_16"), 63718.14_d - 12743.62_d);
}

TEST(Quotas, CutNeverRounded) {
  struct Caso {
    Decimal aPagar, pedidas, numero, valor;
  };
  // 99.99 is one quota; 100.00 two of 50.00; 1,000.00 eight (20 would be the quotient);
  // 1,518.84 / 8 = 189.855 is cut to 189.85; three asked of 1,000.00 are 333.333 -> 333.33;
  // five asked of 120.00 are more than the two allowed.
  const Caso casos[] = {{99.99_d, 0, 1, 99.99_d},    {100.00_d, 0, 2, 50.00_d},   {1000.00_d, 0, 8, 125.00_d},
                        {1518.84_d, 0, 8, 189.85_d}, {1000.00_d, 3, 3, 333.33_d}, {120.00_d, 5, 2, 60.00_d},
                        {0.00_d, 4, 0, 0.00_d}};
  for (const Caso& k : casos) {
    Variaveis v;
    store::EspelhoDeclaracao d;
    workareas::AreasTrabalho areas;
    rt::text::FixedClock relogio;
    Saida saida;
    Vizinhos vizinhos;
    Contexto c{areas, d, v, relogio, saida, vizinhos};
    d.tabela01.num("I13_28", k.aPagar);
    d.tabela01.num("I13_29", k.pedidas);
    FI13_29(c, 0);
    EXPECT_EQ(d.tabela01.num("I13_29"), k.numero) << k.aPagar;
    EXPECT_EQ(d.tabela01.num("I13_30"), k.valor) << k.aPagar;
    EXPECT_EQ(d.registro.num("I13_29"), k.numero) << k.aPagar;
  }
}

TEST_F(Resumo, OneQuotaClearsTheAutomaticDebit) {
  d.registro.txt("DEBITAUT", "S");
  d.tabela01.num("I13_28", 99.99_d);
  FI13_29(c, 0);
  EXPECT_EQ(d.registro.txt("DEBITAUT"), " ");
  d.registro.txt("DEBITAUT", "S");
  d.tabela01.num("I13_28", 0.00_d);
  FPARCELA(c, 0);
  EXPECT_EQ(d.registro.txt("DEBITAUT"), " ");
}

TEST_F(Resumo, SingleQuotaDebitEndsAfterTheFirstOfApril) {
  grande();
  d.tabela01.num("I13_29", 1);
  d.registro.txt("DEBITAUT", "S");
  relogio.set({Date::fromYmd(2010, 4, 1), 36000, 0});
  calcula();
  EXPECT_EQ(l("I13_29"), 1.00_d);
  EXPECT_EQ(l("I13_30"), 9044.64_d);
  EXPECT_EQ(d.registro.txt("DEBITAUT"), "S");
  relogio.set({Date::fromYmd(2010, 4, 2), 0, 0});
  calcula();
  EXPECT_EQ(d.registro.txt("DEBITAUT"), " ");
}

TEST_F(Resumo, TaxPaidAbroadIsLimitedToWhatTheForeignIncomeAdded) {
  renda("J", 40000.00_d);
  d.tabela01.num("I13_05", 20000.00_d);  // income from abroad, from the monthly tax
  d.tabela01.num("I13_25", 6000.00_d);
  calcula();
  // With it: 60,000.00 x 0.275 - 7,955.36 = 8,544.64. Without: 40,000.00 x 0.225 - 5,806.16
  // = 3,193.84. The foreign income added 5,350.80, and no more is credited.
  EXPECT_EQ(l("I13_17"), 8544.64_d);
  EXPECT_EQ(l("I13_25"), 5350.80_d);
  EXPECT_EQ(saida.com("aviso"),
            std::vector<std::string>{
                "aviso:" + std::string("O imposto pago no exterior não pode execeder a diferença"_cp) +
                "|entre o imposto devido com esses rendimentos e sem eles.|" +
                std::string("Esse limite é de R$  5.350,80. O TAVREN irá assumí-lo."_cp)});
  EXPECT_EQ(l("I13_27"), 5350.80_d);
  // 8,544.64 - 5,350.80 = 3,193.84 to pay: 8 quotas of 399.23.
  EXPECT_EQ(l("I13_28"), 3193.84_d);
  EXPECT_EQ(l("I13_30"), 399.23_d);

  // An amount within the limit stays, with nothing said.
  saida.eventos.clear();
  d.tabela01.num("I13_25", 5000.00_d);
  calcula();
  EXPECT_EQ(l("I13_25"), 5000.00_d);
  EXPECT_TRUE(saida.com("aviso").empty());

  // Under the simplified model it stays entered but does not count as paid.
  modelo("S");
  calcula();
  EXPECT_EQ(l("I13_25"), 5000.00_d);
  EXPECT_EQ(l("I13_27"), 0.00_d);
  EXPECT_EQ(l("I13_28"), 5244.64_d);  // 48,000.00 x 0.275 - 7,955.36

  // With no foreign income there is nothing to credit.
  modelo("N");
  d.tabela01.num("I13_05", 0.00_d);
  calcula();
  EXPECT_EQ(l("I13_25"), 0.00_d);
}

TEST_F(Resumo, SimplifiedModelCountsNoDomesticShareNorTaxAbroad) {
  renda("J", 30000.00_d, 1000.00_d);
  pagamento(50, 500.00_d);
  d.tabela01.num("I13_25", 300.00_d);
  d.tabela01.num("I13_26", 50.00_d);
  modelo("S");
  calcula();
  // 30,000.00 less 6,000.00: 24,000.00 x 0.075 - 1,291.13 = 508.87.
  EXPECT_EQ(l("I13_19"), 508.87_d);
  EXPECT_EQ(l("I13_20"), 0.00_d);
  EXPECT_EQ(l("I13_27"), 1050.00_d);  // withheld and other tax paid only
  EXPECT_EQ(l("I13_31"), 541.13_d);
  // The simplified summary screen gives the same balance.
  CSIMPLES(c, 1, 0);
  EXPECT_EQ(l("I13_19"), 508.87_d);
  EXPECT_EQ(l("I13_27"), 1050.00_d);
  EXPECT_EQ(d.registro.num("IMPPGRE"), -541.13_d);
}

TEST_F(Resumo, ExitDeclaration) {
  d.tabela01.txt("DECSAIDA", "S");
  d.tabela01.data("DATASAIDA", Date::fromYmd(2009, 3, 31));
  renda("J", 20000.00_d);
  calcula();
  // Three months: 20,000.00 x 0.275 - 7,955.36 / 4 = 5,500.00 - 1,988.84 = 3,511.16.
  EXPECT_EQ(l("I13_19"), 3511.16_d);
  EXPECT_EQ(l("I13_28"), 3511.16_d);
  EXPECT_EQ(l("I13_29"), 8.00_d);
  EXPECT_EQ(l("I13_30"), 438.89_d);  // 438.895 cut
}

TEST_F(Resumo, EstateFinalDeclarationHasOneQuotaAndNoHint) {
  d.tabela01.txt("DECFINAL", "S");
  d.tabela01.data("DATAPARTI", Date::fromYmd(2009, 6, 10));
  renda("J", 30000.00_d);
  calcula();
  // Six months: 30,000.00 x 0.275 - 7,955.36 / 2 = 8,250.00 - 3,977.68 = 4,272.32.
  EXPECT_EQ(l("I13_19"), 4272.32_d);
  EXPECT_EQ(l("I13_29"), 1.00_d);
  EXPECT_EQ(l("I13_30"), 4272.32_d);
  EXPECT_EQ(saida.com("aviso"),
            std::vector<std::string>{"aviso:" + std::string("  ATENÇAO! Não é permitido o"_cp) + "|" +
                                     std::string("parcelamento em declaração final"_cp)});
  // The simplified model would pay less (24,000.00 x 0.275 - 3,977.68 = 2,622.32), but a final
  // declaration is not told so.
  EXPECT_EQ(v.NSIMPL, 2622.32_d);
  EXPECT_TRUE(saida.com("rodape").empty());
}

TEST_F(Resumo, EstateByDeedIsNotSplitEither) {
  d.tabela01.txt("DECFINAL", "S");
  d.tabela01.data("DATALAVRA", Date::fromYmd(2009, 12, 20));
  d.tabela01.num("I13_29", 6);
  renda("J", 30000.00_d);
  calcula();
  // Twelve months: 30,000.00 x 0.15 - 3,226.13 = 1,273.87, in one quota.
  EXPECT_EQ(l("I13_19"), 1273.87_d);
  EXPECT_EQ(l("I13_29"), 1.00_d);
  EXPECT_EQ(l("I13_30"), 1273.87_d);
  EXPECT_EQ(d.registro.num("I13_29"), 1.00_d);
}

TEST_F(Resumo, RuralLossBeingCompensatedSilencesTheHint) {
  grande();
  d.registro.txt("TEMRURAL", "S");
  d.rural.num("I4R_04", 100.00_d);
  d.rural.num("I4R_07", 500.00_d);
  calcula();
  EXPECT_TRUE(saida.com("rodape").empty());
  d.rural.num("I4R_04", 0.00_d);
  calcula();
  EXPECT_EQ(saida.com("rodape"), std::vector<std::string>{kMaisSimples});
}

TEST_F(Resumo, CashIndexAlwaysRecomputedAndKeptInItsField) {
  vizinhos.temSaldo = true;
  struct Caso {
    Decimal saldo, receita, indice;
  };
  // 1,234.56 / 10,000.00 x 100 = 12.3456 -> 12.34; 20,000% -> 999; -500% -> -99.99; no
  // resources -> 0.
  const Caso casos[] = {{1234.56_d, 10000.00_d, 12.34_d},
                        {2000000.00_d, 10000.00_d, 999.00_d},
                        {Decimal() - 5000.00_d, 1000.00_d, Decimal() - 99.99_d},
                        {500.00_d, 0.00_d, 0.00_d}};
  for (const Caso& k : casos) {
    vizinhos.saldo = k.saldo;
    vizinhos.receita = k.receita;
    CALC(c, 7, 0);
    EXPECT_EQ(d.registro.num("INDGAS"), k.indice) << k.saldo;
  }
  EXPECT_TRUE(saida.com("caixa").empty());
  // Shown on the complete summary: above the alert threshold (10) a rule, below it the warning.
  vizinhos.saldo = 1234.56_d;
  vizinhos.receita = 10000.00_d;
  CALC(c, 7, 1);
  vizinhos.saldo = 500.00_d;
  CALC(c, 7, 1);
  EXPECT_EQ(saida.com("caixa"),
            (std::vector<std::string>{"caixa:" + rt::text::replicate("─"_cp, 21),
                                      "caixa!:" + std::string("ATENÇAO!! PROB. CAIXA"_cp)}));
}

TEST_F(Resumo, CompleteSummaryShownClearsTheSimplifiedDiscount) {
  pequena();
  calcula(1);
  EXPECT_EQ(l("DESPADRAO"), 0.00_d);
  EXPECT_EQ(saida.com("mostra:" + std::to_string(static_cast<int>(Quadro::ResumoCompleto))).size(), 1u);
  EXPECT_FALSE(v.LTEMPRAD);
}

TEST_F(Resumo, LoadingRecomputesEverything) {
  pequena();
  linha(store::Area::TMP_04, {{"I7_3", 1000.00_d}, {"I7_4", 2000.00_d}});
  linha(store::Area::TMP_05, {{"I8_4", 300.00_d}});
  linha(store::Area::TMP_10, {{"VALODESP", 10.00_d}});
  BALANCO(c);
  // The same summary as the complete model computed screen by screen.
  EXPECT_EQ(l("I13_15"), 19348.28_d);
  EXPECT_EQ(l("I13_19"), 3140.06_d);
  EXPECT_EQ(l("I13_31"), 6591.94_d);
  EXPECT_EQ(l("I13_33"), 2000.00_d);
  EXPECT_EQ(l("I13_35"), 300.00_d);
  EXPECT_EQ(l("DESPNAO"), 120.00_d);
  EXPECT_TRUE(d.JA_CALC);
}

TEST_F(Resumo, OtherSteps) {
  d.tabela01.num("I3_04GCPV", 1.00_d);
  d.tabela01.num("I3_04UNIC", 2.00_d);
  d.tabela01.num("I3_04REDU", 3.00_d);
  d.tabela01.num("I3_04EXTR", 4.00_d);
  d.tabela01.num("I3_04GCPVC", 10.00_d);
  d.tabela01.num("I3_04UNICC", 20.00_d);
  d.tabela01.num("I3_04REDUC", 30.00_d);
  EXPECT_TRUE(CALC(c, 5, 0));
  EXPECT_EQ(v.I3_04D, 10.00_d);
  EXPECT_EQ(v.I3_04C, 60.00_d);
  EXPECT_EQ(l("I3_04"), 70.00_d);

  d.tabela01.num("CARNEINSS", 100.00_d);
  d.tabela01.num("CARNEDEPEN", 20.00_d);
  d.tabela01.num("PREVIDENC", 3.00_d);
  CALC(c, 6, 0);
  EXPECT_EQ(l("I13_08"), 123.00_d);

  d.tabela01.num("I3_01", 5.00_d);
  d.tabela01.num("I4_05", 7.00_d);
  CALC(c, 3, 0);
  EXPECT_EQ(l("I13_37"), 75.00_d);  // I3_01 5.00 + I3_04 70.00
  EXPECT_EQ(l("I13_38"), 7.00_d);
  EXPECT_EQ(d.registro.num("I13_37"), 75.00_d);
}

TEST_F(Resumo, MonthlyTaxOnBothSidesComesBackToTheRowsOwn) {
  renda("D", 1000.00_d);
  CALC(c, 1, 2);
  // First the titular's side (the dependant's row inverted), then the dependant's again.
  EXPECT_EQ(vizinhos.leao, (std::vector<std::string>{"S/2", "N/2"}));
  EXPECT_EQ(tabela(store::Area::TMP_02).getText("I1_11"), "N");
  CALC(c, 2, 0);
  EXPECT_EQ(vizinhos.leao.back(), "N/0");
}

TEST_F(Resumo, ModelSwitch) {
  // Empty becomes the simplified model and the summary is drawn again.
  modelo(" ");
  EscolhaModelo e = CONF_PADR(c);
  EXPECT_TRUE(e.aceita);
  EXPECT_TRUE(e.redesenha);
  EXPECT_EQ(d.registro.txt("USAPADRAO"), "S");

  // A rural loss of the year would be lost: No keeps the complete model and the field.
  d.rural.num("I4R_03", Decimal() - 10.00_d);
  saida.respostas = {false};
  e = CONF_PADR(c);
  EXPECT_FALSE(e.aceita);
  EXPECT_EQ(d.registro.txt("USAPADRAO"), "N");

  // Yes to that, and Yes to dropping an earlier loss being compensated.
  modelo("S");
  d.rural.num("I4R_04", 250.00_d);
  saida.respostas = {true, true};
  e = CONF_PADR(c);
  EXPECT_TRUE(e.aceita);
  EXPECT_TRUE(e.redesenha);
  EXPECT_EQ(d.rural.num("I4R_04"), 0.00_d);
  EXPECT_EQ(vizinhos.rural, 1);
  EXPECT_EQ(saida.com("pergunta").size(), 3u);

  // No to dropping it: back to the complete model, the loss kept.
  d.rural.num("I4R_03", 0.00_d);
  d.rural.num("I4R_04", 250.00_d);
  saida.respostas = {false};
  e = CONF_PADR(c);
  EXPECT_EQ(d.registro.txt("USAPADRAO"), "N");
  EXPECT_EQ(d.rural.num("I4R_04"), 250.00_d);
  EXPECT_FALSE(e.redesenha);
}

}  // namespace
}  // namespace taxcalc::teste

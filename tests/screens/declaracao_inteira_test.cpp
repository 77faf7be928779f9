// A declaration entered screen by screen as a clerk enters it (identification, a payer on
// screen 1, the months of screen 2, an exempt line on screen 3, a dependant and a payment for
// him on screen 4, an asset on screen 5, the summary), saved, left and reopened: every value is
// where it was typed and the summary shows the same tax.
#include <gtest/gtest.h>

#include <vector>

#include "declaracao_fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/decimal.h"

namespace screens::teste {
namespace {

using namespace rt::text::literals;
namespace key = rt::term::key;
using rt::text::Decimal;


class DeclaracaoInteira : public DeclaracaoFixture {
 protected:
  // Types the identification and the incomes (screens 1 to 3); `mes` is typed as January's
  // income from individuals (none: 0).
  void digitaRendimentos(std::string_view mes) {
    // The months of screen 2 typed as totals (mode 2).
    aoEntrar = [](shell::Declara& d, int n) {
      if (n == 6) d.dec.espelho.tabela01.num("CAL_AUTO", 2);
    };
    novo(kNovo);
    term.press('N');
    term.type("fulano de tal");
    term.press(key::F1);
    term.type("EMPRESA X");
    term.press(key::Enter);
    term.type("60000");
    term.press(key::Enter);
    term.press(key::Tab);  // screen 2
    if (!mes.empty()) term.type(mes);
    term.press(key::Down);
    term.press(key::Tab);  // onto the contribution
    term.press(key::Tab);  // screen 3
    term.type("1500");
    term.press(key::Enter);
  }
  // Enters the incomes and goes on to the summary.
  void entra(std::string_view mes) {
    digitaRendimentos(mes);
    term.press(key::F7);
    termina('S');
    roda();
    EXPECT_EQ(telas, (std::vector<int>{6, 1, 2, 3, 7}));
  }
  // Opens it again on the summary and leaves without saving.
  void reabre() {
    gravador.esquece();
    telas.clear();
    aoEntrar = nullptr;
    abre(kNovo);
    term.press(key::F7);
    termina('I');
    roda();
    EXPECT_EQ(telas, (std::vector<int>{1, 7}));
  }
  Decimal campo01(std::string_view campo) {
    auto t = dados("IMP0110", kNovo);
    return t && !t->eof() ? t->getNumber(campo) : Decimal::fromInt(-1);
  }
};

TEST_F(DeclaracaoInteira, EnteredSavedAndReopenedUnchanged) {
  entra({});
  const std::string_view kBase = "Base de Cálculo do Imposto                  48.000,00"_cp;
  EXPECT_TRUE(gravador.viu(kBase));
  const Decimal imposto = campo01("I13_17");
  EXPECT_GT(imposto, Decimal());

  reabre();
  EXPECT_TRUE(gravador.viu(kBase));
  EXPECT_EQ(texto("IMP0910", kNovo, "NOMECONTR"), "FULANO DE TAL");
  EXPECT_EQ(campo01("I13_17"), imposto);
  EXPECT_EQ(campo01("I13_01"), Decimal::fromInt(60000));
  EXPECT_EQ(campo01("I3_01"), Decimal::fromInt(1500));
  EXPECT_EQ(conta("IMP0210", kNovo), 1);
}

// Reopened in mode 2 (the matrix kept as entered), the year's row comes back with the months,
// so the first recomputation keeps the income from individuals in the summary.
TEST_F(DeclaracaoInteira, AMonthOfScreenTwoSurvivesReopening) {
  entra("2000");
  const std::string_view kBase = "Base de Cálculo do Imposto                  49.600,00"_cp;
  EXPECT_TRUE(gravador.viu(kBase));
  EXPECT_EQ(campo01("I13_03"), Decimal::fromInt(2000));
  reabre();
  EXPECT_TRUE(gravador.viu(kBase));
  EXPECT_EQ(conta("IMP1210", kNovo), 1);
}

// The rest of the declaration after the incomes: a dependant, a medical payment for him (part
// of it not deductible), a domestic employee's social security, an asset, and the summary
// switched to the complete model, where the dependant's deduction, the medical expense and the
// employer's contribution show. All of it comes back after reopening.
TEST_F(DeclaracaoInteira, DependantsPaymentsAndAssetsSavedAndReopenedUnchanged) {
  digitaRendimentos({});
  term.press(key::F4);  // screen 4: the dependants' grid, its number column frozen
  digitaDependenteEPagamento();
  term.type("100");  // not deductible
  term.press(key::Enter);
  term.press(key::Enter);  // the employee's CPF opened and left empty: on to a new row
  term.press(key::Enter);
  term.type("EMPREGADA DOMESTICA");
  term.press(key::Enter);
  term.type("50");  // a domestic employee's social security: no dependant's number
  term.pause();
  term.press(key::Enter);
  term.type("12345678900");  // her NIT
  term.press(key::Enter);
  term.type("9000");  // above the cap: the rest is not deductible
  term.press(key::Enter);
  term.press(key::Right);
  term.type("11144477735");  // her CPF
  term.press(key::F5);
  term.pause();  // "Calculando!!" as screen 4 is left
  term.type("1");  // screen 5: the assets' grid
  term.press(key::Enter);
  term.type("APARTAMENTO RUA X 100");
  term.press(key::Enter);
  term.type("100000");
  term.press(key::Enter);
  term.type("120000");
  term.press(key::Enter);
  term.type("14");
  term.pause();
  term.press(key::Enter);
  term.press(key::F7);
  term.pause();
  term.press(rt::term::ctrlKey('s'));  // the complete model
  termina('S');
  roda();
  EXPECT_EQ(telas, (std::vector<int>{6, 1, 2, 3, 4, 5, 7}));

  // Complete model: 60,000.00 less 1,730.40 for the dependant and 1,400.00 of medical
  // expenses; 27.5% of the base less 7,955.36; the domestic employee's social security up to
  // its cap of 732.00 comes off the balance.
  const std::vector<std::string_view> kResumo = {"Dependentes                  1.730,40"_cp,
                                                 "Despesas Médicas             1.400,00"_cp,
                                                 "Total Deduções               3.130,40   Contrib.Empr.Domést.          732,00"_cp,
                                                 "BASE DE CALCULO             56.869,60"_cp,
                                                 "IMPOSTO DEVIDO.......        7.683,78"_cp,
                                                 "Saldo a Pagar                6.951,78"_cp};
  for (std::string_view linha : kResumo) EXPECT_TRUE(gravador.viu(linha)) << linha;
  EXPECT_EQ(texto("IMP0910", kNovo, "USAPADRAO"), "N");
  EXPECT_EQ(campo01("I13_10"), Decimal::fromInt(1730) + Decimal::parse("0.40").value());
  EXPECT_EQ(campo01("I13_12"), Decimal::fromInt(1400));
  EXPECT_EQ(campo01("I13_17"), Decimal::fromInt(7683) + Decimal::parse("0.78").value());
  EXPECT_EQ(campo01("I13_17"), Decimal::fromInt(7683) + Decimal::parse("0.78").value());

  // Reopened: screens 4 and 5 show the rows as typed, the summary computes the same figures.
  gravador.esquece();
  telas.clear();
  aoEntrar = nullptr;
  abre(kNovo);
  term.press(key::F4);
  term.press(key::F5);
  term.pause();
  term.press(key::F7);
  termina('I');
  roda();
  EXPECT_EQ(telas, (std::vector<int>{1, 4, 5, 7}));
  EXPECT_TRUE(gravador.viu("   1│FILHO UM"_cp));
  EXPECT_TRUE(gravador.viu("│ 21│01/01/2005│529.982.247-25"_cp));
  EXPECT_TRUE(gravador.viu("CLINICA SAUDE             │ 20│ 1 │11.222.333/0001-81│   1.500,00│     100,00"_cp));
  EXPECT_TRUE(gravador.viu("EMPREGADA DOMESTICA       │ 50│ 0 │123.45678.90-0    │   9.000,00│   8.268,00"_cp));
  EXPECT_TRUE(gravador.viu("   1│APARTAMENTO RUA X 100                  │      100.000,00│      120.000,00│"_cp));
  for (std::string_view linha : kResumo) EXPECT_TRUE(gravador.viu(linha)) << linha;

  auto dependente = dados("IMP0310", kNovo);
  ASSERT_TRUE(dependente && !dependente->eof());
  EXPECT_EQ(dependente->getNumber("NRODEPEN"), Decimal::fromInt(1));
  EXPECT_EQ(dependente->getNumber("CODIDEPEN"), Decimal::fromInt(21));
  EXPECT_EQ(dependente->getText("CPFDEPEN"), "52998224725");
  EXPECT_EQ(conta("IMP0310", kNovo), 1);
  auto bem = dados("IMP0410", kNovo);
  ASSERT_TRUE(bem && !bem->eof());
  EXPECT_EQ(bem->getNumber("I7_1"), Decimal::fromInt(1));
  EXPECT_EQ(bem->getNumber("I7_3"), Decimal::fromInt(100000));
  EXPECT_EQ(bem->getNumber("I7_4"), Decimal::fromInt(120000));
  EXPECT_EQ(bem->getNumber("I7_5"), Decimal::fromInt(14));
  EXPECT_EQ(conta("IMP0410", kNovo), 1);
  auto pagamento = dados("IMP0610", kNovo);
  ASSERT_TRUE(pagamento && !pagamento->eof());
  EXPECT_EQ(pagamento->getNumber("I6_6"), Decimal::fromInt(1));
  EXPECT_EQ(pagamento->getNumber("I6_4"), Decimal::fromInt(1500));
  EXPECT_EQ(pagamento->getNumber("I6_5"), Decimal::fromInt(100));
  ASSERT_TRUE(pagamento->skip().isOk() && !pagamento->eof());
  EXPECT_EQ(pagamento->getText("I6_2").substr(0, 14), "123.45678.90-0");
  EXPECT_EQ(pagamento->getNumber("I6_5"), Decimal::fromInt(8268));
  EXPECT_EQ(pagamento->getText("I6_7"), "11144477735");
  EXPECT_EQ(conta("IMP0610", kNovo), 2);
}

}  // namespace
}  // namespace screens::teste

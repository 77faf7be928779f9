// A declaration entered screen by screen as a clerk enters it (identification, a payer on
// screen 1, the months of screen 2, an exempt line on screen 3, the summary), saved, left and
// reopened: every value is where it was typed and the summary shows the same tax.
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
  // Enters the declaration; `mes` is typed as January's income from individuals (none: 0).
  void entra(std::string_view mes) {
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
    term.press(key::Tab);  // screen 3
    term.type("1500");
    term.press(key::Enter);
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

}  // namespace
}  // namespace screens::teste

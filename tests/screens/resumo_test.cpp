// Screen 7 as a clerk reads it: an income typed on screen 1 shows in the simplified summary
// with its discount and tax; Left moves the cursor and switches nothing, Ctrl+S draws the
// complete model instead, and the model chosen is what the save keeps.
#include <gtest/gtest.h>

#include <vector>

#include "declaracao_fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"

namespace screens::teste {
namespace {

using namespace rt::text::literals;
namespace key = rt::term::key;


using Resumo = DeclaracaoFixture;

TEST_F(Resumo, AnIncomeShowsInTheSummaryAndCtrlSAloneSwitchesTheModel) {
  novo(kNovo);
  term.press(key::F1);
  term.type("EMPRESA X");
  term.press(key::Enter);
  term.type("80000");
  term.press(key::Enter);
  term.press(key::F7);
  term.press(key::Left);  // the cursor, not the model (Left and Ctrl+S share code 19)
  term.press(rt::term::ctrlKey('s'));
  term.type("7");  // no model: refused and said, the complete one stays
  term.pause();
  term.press(key::Enter);
  termina('S');
  roda();

  EXPECT_EQ(telas, (std::vector<int>{6, 1, 7}));
  EXPECT_TRUE(gravador.viu("Digite S de sim ou N de nao"));
  EXPECT_TRUE(gravador.viu(" Declaração Simplificada "_cp));
  EXPECT_TRUE(gravador.viu("Total dos Rendimentos tributáveis           80.000,00"_cp));
  EXPECT_TRUE(gravador.viu("Desconto Simplificado                       12.743,63"));
  EXPECT_TRUE(gravador.viu("Base de Cálculo do Imposto                  67.256,37"_cp));
  EXPECT_TRUE(gravador.viu("Ctrl S=Muda para completo"));
  // The complete model's form, drawn once: no field of the simplified one over it.
  EXPECT_TRUE(gravador.viu("RENDIME.TRIBUTAVEIS"));
  EXPECT_TRUE(gravador.viu("P.Jurídica Titular          80.000,00   Retido Titular"_cp));
  EXPECT_TRUE(gravador.viu("Ganhos de Capital  "));
  EXPECT_TRUE(gravador.viu("Ctrl S=Muda p/simplificado"));
  EXPECT_EQ(texto("IMP0910", kNovo, "USAPADRAO"), "N");
}

TEST_F(Resumo, EscOnTheSummaryWithoutSwitchingKeepsTheSimplifiedModel) {
  novo(kNovo);
  term.press(key::F7);
  termina('S');
  roda();
  EXPECT_EQ(telas, (std::vector<int>{6, 7}));
  EXPECT_FALSE(gravador.viu("RENDIME.TRIBUTAVEIS"));
  EXPECT_EQ(texto("IMP0910", kNovo, "USAPADRAO"), "S");
}

// Ctrl+Enter on the complementary tax of the complete model opens its total under "Total
// REAL", its months typed in turn; their sum is the field's value after the grid.
TEST_F(Resumo, CtrlEnterOnTheComplementaryTaxTypesItsMonths) {
  novo(kNovo);
  term.press(key::F7);
  term.press(rt::term::ctrlKey('s'));
  term.pause();
  term.press(key::Enter);  // the model's field
  term.press(key::CtrlEnter);
  term.pause();
  term.type("150");  // January, in the months a total opens
  term.press(key::Enter);
  term.press(key::Esc);
  term.pause();
  term.press(key::Esc);  // the months' totals
  term.pause();
  termina('S');
  roda();
  EXPECT_TRUE(gravador.viu("Total REAL"));
  EXPECT_EQ(dados("IMP0110", kNovo)->getNumber("I13_24"), rt::text::Decimal::fromInt(150));
}

}  // namespace
}  // namespace screens::teste

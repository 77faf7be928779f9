// Screen 7 as a clerk reads it: an income typed on screen 1 shows in the simplified summary
// with its discount and tax; Left moves the cursor and switches nothing, Ctrl+S draws the
// complete model instead, and the model chosen is what the save keeps.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "declaracao_fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "store/areas.h"

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

// What feeds the summary changes on screens that are left without computing it (the rural
// ones, the gains, the variable income): the summary and the balance compute it again before
// they are drawn. The rural months (receipts 200,000.00, expenses 50,000.00), a property sold for
// 300,000.00 with 30,000.00 of tax paid, and a variable-income gain of 10,000.00 in March are put
// in as those screens leave them. Screen 7 shows the rural result (20% of the receipts), its
// exempt part and the exclusive gains; the balance counts them and the sale.
TEST_F(Resumo, SummaryAndBalanceComputeWhatTheOtherScreensChanged) {
  aoEntrar = [this](shell::Declara& d, int n) {
    if (n != 1) return;
    store::EspelhoDeclaracao& e = d.dec.espelho;
    e.registro.txt("TEMRURAL", "S");
    e.rural.num("I4R_01", rt::text::Decimal::fromInt(200000));
    e.rural.num("I4R_02", rt::text::Decimal::fromInt(50000));
    const auto linha = [this](store::Area area, std::vector<std::pair<std::string, rt::ui::Value>> campos) {
      rt::db::Table& t = *p->areas.table(area);
      ASSERT_TRUE(t.appendBlank().isOk());
      ASSERT_TRUE(t.put("CPF", rt::ui::Value(std::string(kNovo))).isOk());
      for (const auto& [campo, valor] : campos) ASSERT_TRUE(t.put(campo, valor).isOk()) << campo;
      ASSERT_TRUE(t.flush().isOk());
    };
    using rt::text::Decimal;
    linha(store::Area::TMP_07, {{"TIPO_BEM", Decimal(1)}, {"BEM_NRO", Decimal(1)}, {"VAL_ALI", Decimal(300000)},
                                {"VAL_RECOL", Decimal(300000)}, {"CUS_ATUAL", Decimal(100000)},
                                {"VAL_TRIBU", Decimal(200000)}, {"IMPPAGO", Decimal(30000)}});
    linha(store::Area::TMP_08, {{"BEM_NRO", Decimal(1)}, {"VALOR_CUST", Decimal(100000)},
                                {"DATA_CUST", rt::text::Date::fromYmd(2005, 6, 1)}});
    for (int nro : {14, 16})
      linha(store::Area::TMP_07, {{"TIPO_BEM", Decimal(4)}, {"RVAR_NRO", Decimal(nro)},
                                  {"DAY_TRADE", std::string("1")}, {"REC_MES03", Decimal(10000)}});
  };
  novo(kNovo);
  term.press(key::F1);
  term.press(key::F7);
  term.pause();
  term.press(key::F10);
  term.pause();
  termina('I');
  roda();
  EXPECT_EQ(telas, (std::vector<int>{6, 1, 7, 10}));
  // A label and its amount on one row, however far apart the form puts them.
  const auto mostrou = [this](std::string_view rotulo, std::string_view valor) {
    for (int n = 1; n <= 20; ++n)
      if (gravador.viu(std::string(rotulo) + std::string(static_cast<std::size_t>(n), ' ') + std::string(valor)))
        return true;
    return false;
  };
  EXPECT_TRUE(mostrou("Rend.Tributável da Atividade Rural"_cp, "40.000,00"));
  EXPECT_TRUE(mostrou("Rendimentos Isentos e Não Tributáveis"_cp, "110.000,00"));
  EXPECT_TRUE(mostrou("Rend. Tributação Exclusiva/Definitiva"_cp, "180.000,00"));
  EXPECT_TRUE(mostrou("(2)Isentos/não tribut."_cp, "110.000,00"));
  EXPECT_TRUE(mostrou("(3)Tribut. exclusiva", "200.000,00"));
  EXPECT_TRUE(mostrou("(4)Renda variável"_cp, "10.000,00"));
  EXPECT_TRUE(mostrou("Entradas ganho capital", "300.000,00"));
  EXPECT_TRUE(mostrou("Custo bens ano anter.", "100.000,00"));
}

}  // namespace
}  // namespace screens::teste

#include <gtest/gtest.h>

#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "rt/ui/read.h"
#include "servicos_fixture.h"
#include "shell/conversores.h"

namespace {

using namespace rt::text::literals;
using rt::text::Decimal;
namespace key = rt::term::key;

class ConversoresTest : public ::testing::Test, protected shell::teste::ServicosFixture {
 protected:
  // A form of one field run until it ends, with Alt+S and Alt+U bound as the driver binds them.
  rt::ui::ReadResult roda(rt::ui::Binding campo, std::string_view picture, int tela = 3, int opc = 0) {
    con.setKey(key::AltS, [this] { (void)shell::CHAMA_CALC(p, calc); });
    con.setKey(key::AltU, [this, tela, opc] {
      ++conversoes;
      (void)shell::CALC_UFIR(p, tela, opc, grade);
    });
    rt::ui::Read read(con);
    read.get(5, 10, std::move(campo), picture);
    return read.run();
  }

  console::Calculadora calc;
  shell::GradeDolar grade;
  int conversoes = 0;
};

TEST_F(ConversoresTest, CalculatorResultGoesIntoANumericField) {
  Decimal valor;
  term.press(key::AltS).type("12.5*3=").press(key::CtrlEnter).press(key::Enter);
  roda(rt::ui::var("I1_4", valor), "@E 999,999.99");
  EXPECT_EQ(valor, Decimal::parse("37.5").value());
  EXPECT_FALSE(term.exhausted());
}

TEST_F(ConversoresTest, CalculatorResultIsCutToTheFieldsCentsAndRefusedWhenItDoesNotFit) {
  Decimal valor = 7;
  term.press(key::AltS).type("10/3=").press(key::CtrlEnter).press(key::Enter);
  roda(rt::ui::var("I1_4", valor), "@E 999,999.99");
  EXPECT_EQ(valor, Decimal::parse("3.33").value());

  // Too large for the picture: the field keeps what it had, and the user hears it.
  valor = 7;
  const int beeps = term.beeps();
  term.press(key::AltS).type("9999999=").press(key::CtrlEnter).press(key::Enter);
  roda(rt::ui::var("I1_4", valor), "@E 999,999.99");
  EXPECT_EQ(valor, Decimal(7));
  EXPECT_GT(term.beeps(), beeps);
}

TEST_F(ConversoresTest, CalculatorResultIsAppendedToATextField) {
  std::string texto = rt::text::padr("Aluguel", 24);
  term.press(key::AltS).type("10/4=").press(key::CtrlEnter).press(key::Enter);
  roda(rt::ui::var("I6_2", texto), "@!");
  EXPECT_EQ(texto, "ALUGUEL 2,5000          ");

  // A whole result shows without decimals; a field too short cuts the text at its width.
  std::string curto = rt::text::padr("Conta", 12);
  term.press(key::AltS).type("1500=").press(key::CtrlEnter).press(key::Enter);
  roda(rt::ui::var("I6_2", curto), "");
  EXPECT_EQ(curto, "Conta 1.500 ");
}

TEST_F(ConversoresTest, CalculatorLeftWithEscChangesNothing) {
  Decimal valor = 5;
  term.press(key::AltS).type("12=").press(key::Esc).press(key::Enter);
  roda(rt::ui::var("I1_4", valor), "@E 999,999.99");
  EXPECT_EQ(valor, Decimal(5));
}

TEST_F(ConversoresTest, DollarsConvertedAtTheMonthsRateAndCutAtTheCent) {
  // Grid 12: reais, dollars and month in frame 11. 11 reais in January are 4.7491 dollars:
  // 4.74, not 4.75.
  term.type("11").press(key::Enter);
  term.press(key::Enter);  // the dollars as shown
  term.press(key::Enter);  // the month
  Decimal r = shell::MUDATEL13(p, 1, Decimal(), {.tela = 12, .opc = 12}, {});
  EXPECT_EQ(r, Decimal(11));
  EXPECT_TRUE(gravador.viu("4,74"));
  EXPECT_FALSE(gravador.viu("4,75"));
  EXPECT_TRUE(gravador.viu("$US"));
  EXPECT_TRUE(gravador.viu("Janeiro"));

  // 12.35 dollars in January: 28.6050... reais, cut to 28.60.
  // (the cents fill the dollars field, which then leaves by itself; Enter leaves the month).
  term.press(key::Enter).type("12.35").press(key::Enter);
  r = shell::MUDATEL13(p, 0, Decimal(), {.tela = 12, .opc = 12}, {});
  EXPECT_EQ(r, Decimal::parse("28.60").value());

  // The month changes the rate of what is typed after it.
  term.press(key::Enter).press(key::Enter).type("5").press(key::Up).type("10").press(key::Enter)
      .press(key::Enter);
  r = shell::MUDATEL13(p, 1, Decimal(), {.tela = 12, .opc = 12}, {});
  EXPECT_EQ(r, Decimal::parse("19.73").value());
  EXPECT_TRUE(gravador.viu("Maio"));
  EXPECT_FALSE(term.exhausted());
}

TEST_F(ConversoresTest, MonthOutsideTheYearLeavesTheValueAndEscKeepsIt) {
  EXPECT_EQ(shell::MUDATEL13(p, 13, Decimal(250), {.tela = 12, .opc = 12}, {}), Decimal(250));
  term.type("999").press(key::Esc);
  EXPECT_EQ(shell::MUDATEL13(p, 3, Decimal(250), {.tela = 12, .opc = 12}, {}), Decimal(250));
  // The month field refuses 13 and keeps the cursor there.
  // (two digits fill the field and leave it).
  term.press(key::Enter).press(key::Enter).type("13").type("02");
  // Passing through the dollars does not turn 250 reais into 249.99.
  EXPECT_EQ(shell::MUDATEL13(p, 3, Decimal(250), {.tela = 12, .opc = 12}, {}), Decimal(250));
  EXPECT_EQ(term.pending(), 0u);  // "02" was needed: 13 did not end the dialog
  EXPECT_FALSE(term.exhausted());
}

TEST_F(ConversoresTest, OtherGridsUseTheMonthlyGrid) {
  int chamadas = 0;
  shell::GradeDolar g = [&](shell::Program&) -> std::optional<Decimal> {
    ++chamadas;
    return Decimal::parse("123.45").value();
  };
  EXPECT_EQ(shell::MUDATEL13(p, 4, Decimal(1), {.tela = 5, .opc = 5}, g), Decimal::parse("123.45").value());
  EXPECT_EQ(chamadas, 1);
}

TEST_F(ConversoresTest, AltUOnTheDisposalValueConvertsIntoTheFieldAndEndsTheForm) {
  Decimal valor = 11;
  // Frame 11 opens on the field's value; the dollars typed give the reais.
  term.press(key::AltU).press(key::Enter).type("12.35").press(key::Enter).press(key::Enter);
  const rt::ui::ReadResult r = roda(rt::ui::var("VAL_ALI", valor), "@E 999,999,999.99", 3);
  EXPECT_EQ(valor, Decimal::parse("28.60").value());
  EXPECT_TRUE(r.escaped);  // outside screen 7 the form ends
  EXPECT_TRUE(gravador.viu("4,74"));
}

TEST_F(ConversoresTest, AltUIsNotReenteredWhileAConversionRuns) {
  Decimal valor = 11;
  term.press(key::AltU).press(key::AltU).press(key::Esc).press(key::Enter);
  roda(rt::ui::var("VAL_ALI", valor), "@E 999,999,999.99", 7);
  EXPECT_EQ(conversoes, 1);
  EXPECT_EQ(valor, Decimal(11));
  // Afterwards Alt+U works again.
  term.press(key::AltU).press(key::Esc).press(key::Enter);
  roda(rt::ui::var("VAL_ALI", valor), "@E 999,999,999.99", 7);
  EXPECT_EQ(conversoes, 2);
}

TEST_F(ConversoresTest, AltUOnLine24OfScreen7OnlyTellsHowToReachTheMonthlyConverter) {
  Decimal valor = 10;
  term.press(key::AltU).press(key::Enter).press(key::Enter);
  roda(rt::ui::var("I13_24", valor), "@E 999,999,999.99", 7);
  EXPECT_TRUE(gravador.viu("Tecle antes CTRL ENTER"));
  EXPECT_TRUE(gravador.viu("conversor mensal do DOLAR"));
  EXPECT_EQ(valor, Decimal(10));
}

TEST_F(ConversoresTest, AltUIgnoresNarrowAndTextFields) {
  Decimal estreito = 3;
  bool chamou = false;
  grade = [&](shell::Program&) -> std::optional<Decimal> {
    chamou = true;
    return Decimal(9);
  };
  term.press(key::AltU).press(key::Enter);
  roda(rt::ui::var("I1_4", estreito), "@E 99,999.99");  // 9 wide
  std::string texto(20, ' ');
  term.press(key::AltU).press(key::Enter);
  roda(rt::ui::var("I6_2", texto), "");
  EXPECT_FALSE(chamou);

  Decimal largo = 3;
  term.press(key::AltU).press(key::Enter);
  roda(rt::ui::var("I7_3", largo), "@E 999,999,999.99");
  EXPECT_TRUE(chamou);
  EXPECT_EQ(largo, Decimal(9));
}

}  // namespace

#include "console/calculadora.h"

#include <gtest/gtest.h>

#include <string>

#include "fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"

namespace {

using namespace rt::text::literals;
using rt::text::Decimal;
namespace key = rt::term::key;

class CalculadoraTest : public ::testing::Test, protected console::teste::ConsoleFixture {
 protected:
  console::Calculadora calc;

  // Types the keys, then leaves with Ctrl+Enter; whether a result was sent.
  bool envia(std::string_view teclas) {
    term.type(teclas);
    term.press(key::CtrlEnter);
    return console::CALCULADORA(ctx, calc);
  }
  // The display line as last shown, with the calculator at (11, 11): the value's place.
  std::string visor() { return term.row(12).substr(15, 19); }
};

TEST_F(CalculadoraTest, WindowLayoutAndPositions) {
  term.press(key::Esc);
  EXPECT_FALSE(console::CALCULADORA(ctx, calc));
  EXPECT_EQ(term.row(11).substr(11, 26), std::string("┌────────────────────────┐"_cp));
  EXPECT_EQ(term.row(14).substr(11, 26), std::string("│Mr │Mc │M- │M+ │ ^Enter │"_cp));
  EXPECT_EQ(term.row(16).substr(11, 26), std::string("│ 7 │ 8 │ 9 │ * │  ESC   │"_cp));
  EXPECT_EQ(term.row(20).substr(11, 26), std::string("│ 1 │ 2 │ 3 │ - │(C)lear │"_cp));
  EXPECT_EQ(term.row(22).substr(11, 26), std::string("│ 0 │ . │ = │ / │ I +/-  │"_cp));
  EXPECT_EQ(term.row(23).substr(11, 26), std::string("└───┴───┴───┴───┴────────┘"_cp));
  // Closed: the screen under it is back.
  EXPECT_EQ(linha(11).substr(11, 26), std::string(26, ' '));

  // A top row above 11 and a left column above 48 are pulled back.
  term.press('X');
  EXPECT_FALSE(console::CALCULADORA(ctx, calc, console::Jan::kCalculadora, 20, 60));
  EXPECT_EQ(term.row(11).substr(48, 1), std::string("┌"_cp));
  EXPECT_EQ(term.row(24).substr(48, 1), " ");
  // Only a move changes the place the callers keep.
  EXPECT_EQ(calc.LCAL, 11);
  EXPECT_EQ(calc.CCAL, 11);
}

TEST_F(CalculadoraTest, ArrowsMoveTheWindowAndTheCallersOpenItThereNextTime) {
  term.press(key::Up).press(key::Up).press(key::Left).press(key::Esc);
  EXPECT_FALSE(console::CALCULADORA(ctx, calc, console::Jan::kCalculadora, calc.LCAL, calc.CCAL));
  EXPECT_EQ(calc.LCAL, 9);
  EXPECT_EQ(calc.CCAL, 10);
  EXPECT_EQ(term.row(9).substr(10, 1), std::string("┌"_cp));
  term.press(key::Esc);
  EXPECT_FALSE(console::CALCULADORA(ctx, calc, console::Jan::kCalculadora, calc.LCAL, calc.CCAL));
  EXPECT_EQ(term.row(9).substr(10, 1), std::string("┌"_cp));
}

TEST_F(CalculadoraTest, OperationsChainLeftToRight) {
  term.type("2+3*4=");
  term.press(key::Esc);
  EXPECT_FALSE(console::CALCULADORA(ctx, calc));
  EXPECT_EQ(visor(), "            20     ");
  EXPECT_EQ(term.row(12).substr(35, 1), std::string("="_cp));

  EXPECT_TRUE(envia("2+3*4="));
  EXPECT_EQ(calc.RESULT, Decimal(20));
  EXPECT_TRUE(envia("10/4="));
  EXPECT_EQ(calc.RESULT, Decimal::parse("2.5").value());
  EXPECT_EQ(visor(), "             2,5000");
  EXPECT_TRUE(envia("9-12="));
  EXPECT_EQ(calc.RESULT, Decimal(-3));
  term.type("8/");
  term.press(key::Esc);
  (void)console::CALCULADORA(ctx, calc);
  EXPECT_EQ(term.row(12).substr(35, 1), std::string("÷"_cp));
}

TEST_F(CalculadoraTest, WhatCtrlEnterSends) {
  // A pending operation is not applied.
  EXPECT_TRUE(envia("2+3"));
  EXPECT_EQ(calc.RESULT, Decimal(2));
  EXPECT_TRUE(envia("2+3="));
  EXPECT_EQ(calc.RESULT, Decimal(5));
  // An entry typed with nothing pending is sent as it shows.
  EXPECT_TRUE(envia("5"));
  EXPECT_EQ(calc.RESULT, Decimal(5));
  EXPECT_TRUE(envia("2+3=7"));
  EXPECT_EQ(calc.RESULT, Decimal(7));
  // Right after "C": the entry (0), not the result before it.
  EXPECT_TRUE(envia("2+3=C"));
  EXPECT_EQ(calc.RESULT, Decimal(0));
  // Esc and "X" send nothing.
  term.type("45");
  term.press(key::Esc);
  EXPECT_FALSE(console::CALCULADORA(ctx, calc));
  // Ctrl+J is Ctrl+Enter.
  term.type("6");
  term.press(rt::term::ctrlKey('j'));
  EXPECT_TRUE(console::CALCULADORA(ctx, calc));
  EXPECT_EQ(calc.RESULT, Decimal(6));
}

TEST_F(CalculadoraTest, DivisionByZeroIsAnErrorUntilClearedAndIsNeverSent) {
  EXPECT_FALSE(envia("7/0="));
  EXPECT_EQ(visor(), "**.***.***.***     ");
  EXPECT_EQ(term.beeps(), 1);
  // The error stays through further operations.
  EXPECT_FALSE(envia("7/0*2="));
  EXPECT_FALSE(envia("7/0*2=+1"));
  // "C" clears it, and so does a new entry after "=".
  EXPECT_TRUE(envia("7/0=C5"));
  EXPECT_EQ(calc.RESULT, Decimal(5));
  EXPECT_TRUE(envia("7/0=4"));
  EXPECT_EQ(calc.RESULT, Decimal(4));
  EXPECT_TRUE(envia("7/0=C3*3="));
  EXPECT_EQ(calc.RESULT, Decimal(9));
}

TEST_F(CalculadoraTest, ResultsTooLargeAreAnErrorToo) {
  EXPECT_FALSE(envia("9999999999*9999999999="));
  EXPECT_FALSE(envia("9999999999*10="));
  EXPECT_TRUE(envia("9999999999*8="));
  EXPECT_EQ(calc.RESULT, Decimal::fromInt(79'999'999'992));
  EXPECT_EQ(visor(), "79.999.999.992     ");
  EXPECT_FALSE(envia("1/0.0001*1000000000="));
}

TEST_F(CalculadoraTest, EntryLimitsDecimalPointSignAndBackspace) {
  EXPECT_TRUE(envia("12345678901"));
  EXPECT_EQ(calc.RESULT, Decimal::fromInt(1'234'567'890));
  EXPECT_EQ(term.beeps(), 1);
  EXPECT_TRUE(envia("1,23456"));
  EXPECT_EQ(calc.RESULT, Decimal::parse("1.2345").value());
  EXPECT_EQ(term.beeps(), 2);
  EXPECT_TRUE(envia("1.2.5"));
  EXPECT_EQ(calc.RESULT, Decimal::parse("1.25").value());
  EXPECT_EQ(term.beeps(), 3);
  // The sign key right after the point keeps it.
  EXPECT_TRUE(envia("5.i3"));
  EXPECT_EQ(calc.RESULT, Decimal::parse("-5.3").value());
  EXPECT_TRUE(envia("0005"));
  EXPECT_EQ(calc.RESULT, Decimal(5));
  term.type("987.5");
  term.press(key::Backspace);
  term.type("4");
  term.press(key::CtrlEnter);
  EXPECT_TRUE(console::CALCULADORA(ctx, calc));
  EXPECT_EQ(calc.RESULT, Decimal(4));
  EXPECT_EQ(visor(), "             4     ");
  // Other keys sound and are ignored.
  term.type("1?2");
  term.press(key::CtrlEnter);
  EXPECT_TRUE(console::CALCULADORA(ctx, calc));
  EXPECT_EQ(calc.RESULT, Decimal(12));
  EXPECT_EQ(term.beeps(), 4);
}

TEST_F(CalculadoraTest, MemoryKeepsTheFullValue) {
  // M+ adds the result; recall gives it back whole, decimals included.
  EXPECT_TRUE(envia("12345.6789=m+C3*mr="));
  EXPECT_EQ(calc.RESULT, Decimal::parse("37037.0367").value());
  EXPECT_EQ(term.row(12).substr(12, 1), "M");
  EXPECT_TRUE(envia("1234567890=M+M+=C2*MR="));
  EXPECT_EQ(calc.RESULT, Decimal::fromInt(4'938'271'560));
  // M- subtracts, MC clears: the mark goes.
  EXPECT_TRUE(envia("10=M+4=M-MR"));
  EXPECT_EQ(calc.RESULT, Decimal(6));
  EXPECT_TRUE(envia("10=M+MCMR"));
  EXPECT_EQ(calc.RESULT, Decimal(0));
  EXPECT_EQ(term.row(12).substr(12, 1), " ");
}

}  // namespace

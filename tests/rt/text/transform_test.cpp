#include "rt/text/transform.h"

#include <gtest/gtest.h>

#include "rt/text/cp860.h"

using namespace rt::text;

namespace {

Decimal d(const char* text) {
  return *Decimal::parse(text);
}

TEST(TransformNumber, BrazilianAmounts) {
  EXPECT_EQ(transform(d("1234.5"), "@E 99,999,999.99"), "     1.234,50");
  EXPECT_EQ(transform(Decimal(0), "@Ez 99,999,999.99"), "             ");
  EXPECT_EQ(transform(d("1234.5"), "@Ez 99,999,999.99"), "     1.234,50");
  EXPECT_EQ(transform(d("-1234.5"), "@Ez 99,999,999.99"), "    -1.234,50");
  EXPECT_EQ(transform(d("123456789"), "@Ez 99,999,999.99"), "**.***.***,**");
  EXPECT_EQ(transform(d("12345678.9"), "@Ez 99,999,999.99"), "12.345.678,90");
  EXPECT_EQ(transform(d("123456789.01"), "@E 999,999,999.99"), "123.456.789,01");
  EXPECT_EQ(transform(d("0.01"), "@E 999,999,999.99"), "          0,01");
  EXPECT_EQ(transform(d("1000"), "@EZ 999,999.99"), "  1.000,00");
  EXPECT_EQ(transform(d("999.99"), "@Ez 9999,999.99"), "     999,99");
}

TEST(TransformNumber, PlainTemplates) {
  EXPECT_EQ(transform(d("1234.5"), "99,999,999.99"), "     1,234.50");
  EXPECT_EQ(transform(d("1234567"), "9,999,999"), "1,234,567");
  EXPECT_EQ(transform(d("123"), "9,999,999"), "      123");
  EXPECT_EQ(transform(Decimal(0), "999.99"), "  0.00");
  EXPECT_EQ(transform(Decimal(7), "@ 99"), " 7");
  EXPECT_EQ(transform(Decimal(7), "##"), " 7");
  EXPECT_EQ(transform(d("0.5"), ".99"), ".50");                                // no room for the zero
  EXPECT_EQ(transform(d("1.5"), "@ez   999,999,999.99"), "            1,50");  // blanks stay
  EXPECT_EQ(transform(d("-1.5"), "@ez   999,999,999.99"), "           -1,50");
  EXPECT_EQ(transform(Decimal(42), "@R 999"), " 42");  // @R changes nothing on numbers
  EXPECT_EQ(transform(Decimal(42), "@! 999"), " 42");
  EXPECT_EQ(transform(Decimal(1234), "9999 kg"), "1234 kg");  // other characters are literals
}

TEST(TransformNumber, RoundsHalfAwayFromZeroAtTheTemplateDecimals) {
  EXPECT_EQ(transform(d("643.885"), "999.99"), "643.89");
  EXPECT_EQ(transform(d("-643.885"), "9999.99"), "-643.89");
  EXPECT_EQ(transform(d("2.5"), "99"), " 3");
  EXPECT_EQ(transform(d("-2.5"), "99"), "-3");
  EXPECT_EQ(transform(d("-0.001"), "99.99"), " 0.00");             // no "-0.00"
  EXPECT_EQ(transform(d("99.995"), "99.99"), "**.**");             // rounding pushes it over
  EXPECT_EQ(transform(d("1.5"), "9.9999999999"), "1.5000000000");  // beyond Decimal's places
}

TEST(TransformNumber, SignTakesThePlaceLeftOfTheFirstDigit) {
  EXPECT_EQ(transform(d("-123"), "999,999"), "   -123");
  EXPECT_EQ(transform(d("-123.45"), "99,999.99"), "  -123.45");
  EXPECT_EQ(transform(d("-0.5"), "999.99"), " -0.50");
  EXPECT_EQ(transform(d("-5"), "99"), "-5");
  EXPECT_EQ(transform(d("-12345"), "99,999"), "**,***");
}

TEST(TransformNumber, OverflowShowsAsterisksAndKeepsSeparators) {
  EXPECT_EQ(transform(d("1234567"), "99,999.99"), "**,***.**");
  EXPECT_EQ(transform(d("1234567"), "@E 99,999.99"), "**.***,**");
  EXPECT_EQ(transform(Decimal(100), "99"), "**");
  EXPECT_EQ(transform(Decimal(-5), "9"), "*");  // the sign needs a place of its own
  EXPECT_EQ(transform(Decimal(-10), "99"), "**");
  EXPECT_EQ(transform(Decimal(5), "@Z 99"), " 5");
}

TEST(TransformNumber, ZeroBlankLeftAlignAndFill) {
  EXPECT_EQ(transform(Decimal(0), "@Z 999.99"), "      ");
  EXPECT_EQ(transform(Decimal(0), "@z 9"), " ");
  EXPECT_EQ(transform(d("0.001"), "@Z 99.99"), " 0.00");  // only an exact zero is blank
  EXPECT_EQ(transform(d("12.5"), "@B 9999.99"), "12.50  ");
  EXPECT_EQ(transform(d("-12.5"), "@B 9999.99"), "-12.50 ");
  EXPECT_EQ(transform(d("123"), "***,***"), "****123");
  EXPECT_EQ(transform(d("1234"), "***,***"), "**1,234");
  EXPECT_EQ(transform(d("12"), "$$$$"), "$$12");
  EXPECT_EQ(transform(d("-12"), "$$$$$"), "$$-12");
}

TEST(TransformNumber, CreditDebitAndParentheses) {
  EXPECT_EQ(transform(d("12.5"), "@C 999.99"), " 12.50 CR");
  EXPECT_EQ(transform(d("-12.5"), "@C 999.99"), "-12.50");
  EXPECT_EQ(transform(d("-12.5"), "@X 999.99"), "-12.50 DB");
  EXPECT_EQ(transform(d("12.5"), "@X 999.99"), " 12.50");
  EXPECT_EQ(transform(d("-12.5"), "@( 9999.99"), "( 12.50)");
  EXPECT_EQ(transform(d("12.5"), "@( 9999.99"), "  12.50");
}

TEST(TransformNumber, WithoutTemplateAsStr) {
  EXPECT_EQ(transform(Decimal(42), ""), "        42");
  EXPECT_EQ(transform(d("1234.5"), "", 2), "      1234.50");
  EXPECT_EQ(transform(d("1234.5"), "").size(), 12u);  // as few places as needed: one
  EXPECT_EQ(transform(d("1234.5"), ""), "      1234.5");
  EXPECT_EQ(transform(d("1234.5"), "@E", 2), "      1234,50");
  EXPECT_EQ(transform(Decimal(0), "@Ez", 2), "             ");
  EXPECT_EQ(transform(Decimal(7), "@B"), "7         ");
  EXPECT_EQ(transform(Decimal(7), "@Z99"), "         7");  // "99" belongs to the function part
  EXPECT_EQ(transform(d("12345678901"), ""), "**********");
  EXPECT_EQ(transform(Decimal(3), "@S4"), "    ");
}

TEST(TransformText, TemplatesLayOverOrInsert) {
  EXPECT_EQ(transform("12345678901", "@R 999.999.999-99"), "123.456.789-01");
  EXPECT_EQ(transform("12345678901", "@r 999.999.999-99"), "123.456.789-01");
  EXPECT_EQ(transform("123", "@R 999.999.999-99"), "123.   .   -  ");
  EXPECT_EQ(transform("12345678", "@R 9999-9999"), "1234-5678");
  EXPECT_EQ(transform("123456789", "999-999"), "123-567");  // laid over: "4" is replaced
  EXPECT_EQ(transform("abcdef", "XXX"), "abc");
  EXPECT_EQ(transform("ab", "XXXX"), "ab  ");
  EXPECT_EQ(transform("abc-de", "@R !!!!!-!"), "ABC-D-E");
}

TEST(TransformText, UpperCase) {
  EXPECT_EQ(transform("abc xyz", "@!"), "ABC XYZ");
  EXPECT_EQ(transform("sim", "!XX"), "Sim");
  EXPECT_EQ(transform("sim", "@! XXX"), "SIM");
  EXPECT_EQ(transform("sim", "@ !"), "S");
  // Only ASCII letters change: an accented byte stays what it is.
  EXPECT_EQ(transform("ação"_cp, "@!"), "AçãO"_cp);
}

TEST(TransformText, ScrollWidthAndNoTemplate) {
  EXPECT_EQ(transform("Maria da Silva Pereira", "@S10"), "Maria da S");
  EXPECT_EQ(transform("Maria", "@S10"), "Maria");
  EXPECT_EQ(transform("Maria da Silva", "@s3"), "Mar");
  EXPECT_EQ(transform("maria da silva", "@!S5"), "MARIA");
  EXPECT_EQ(transform("Maria", ""), "Maria");
  EXPECT_EQ(transform("Maria", "@K"), "Maria");
  EXPECT_EQ(transform("01/02/2009", "@D"), "01/02/2009");
}

TEST(TransformDate, BritishWithCentury) {
  Date date = Date::fromYmd(2009, 2, 1);
  EXPECT_EQ(transform(date, ""), "01/02/2009");
  EXPECT_EQ(transform(date, "@D"), "01/02/2009");
  EXPECT_EQ(transform(date, "@E"), "01/02/2009");
  EXPECT_EQ(transform(Date(), "@D"), "  /  /    ");
  EXPECT_EQ(transform(Date(), "@Z"), "          ");
  EXPECT_EQ(transform(date, "@S5"), "01/02");
}

TEST(TransformLogical, TrueFalseOrYesNo) {
  EXPECT_EQ(transform(true, ""), "T");
  EXPECT_EQ(transform(false, ""), "F");
  EXPECT_EQ(transform(true, "Y"), "Y");
  EXPECT_EQ(transform(false, "Y"), "N");
  EXPECT_EQ(transform(false, "L"), "F");
  EXPECT_EQ(transform(true, "@!"), "T");
}

TEST(Picture, SplitsFunctionsScrollWidthAndTemplate) {
  Picture p = parsePicture("@Ez 99,999,999.99");
  EXPECT_EQ(p.functions, "EZ");
  EXPECT_EQ(p.templ, "99,999,999.99");
  EXPECT_EQ(p.scrollWidth, 0);
  p = parsePicture("@KS40");
  EXPECT_TRUE(p.has('K'));
  EXPECT_FALSE(p.has('S'));
  EXPECT_EQ(p.scrollWidth, 40);
  EXPECT_EQ(p.templ, "");
  p = parsePicture("@ez   999.99");
  EXPECT_EQ(p.templ, "  999.99");  // blanks after the first are literals
  p = parsePicture("999.99");
  EXPECT_EQ(p.functions, "");
  EXPECT_EQ(p.templ, "999.99");
  EXPECT_EQ(parsePicture("@!").functions, "!");
  EXPECT_EQ(parsePicture("@(").functions, "(");
}

TEST(Picture, EditableCharacters) {
  for (char c : std::string("ANX9#LY!")) EXPECT_TRUE(isTemplateEditChar(c, false)) << c;
  for (char c : std::string("9#$*")) EXPECT_TRUE(isTemplateEditChar(c, true)) << c;
  for (char c : std::string(".,-/ ")) {
    EXPECT_FALSE(isTemplateEditChar(c, false)) << c;
    EXPECT_FALSE(isTemplateEditChar(c, true)) << c;
  }
  EXPECT_FALSE(isTemplateEditChar('X', true));
}

TEST(Picture, AcceptedCharacters) {
  char out = 0;
  EXPECT_TRUE(acceptsChar('9', '5', out, false));
  EXPECT_FALSE(acceptsChar('9', 'a', out, false));
  EXPECT_FALSE(acceptsChar('9', '-', out, false));
  EXPECT_TRUE(acceptsChar('9', '-', out, true));
  EXPECT_TRUE(acceptsChar('#', ' ', out, false));
  EXPECT_TRUE(acceptsChar('A', 'z', out, false));
  EXPECT_TRUE(acceptsChar('A', "ç"_cp[0], out, false));
  EXPECT_FALSE(acceptsChar('A', '1', out, false));
  EXPECT_TRUE(acceptsChar('N', '1', out, false));
  EXPECT_FALSE(acceptsChar('N', '-', out, false));
  EXPECT_TRUE(acceptsChar('X', '-', out, false));
  EXPECT_TRUE(acceptsChar('!', 'q', out, false));
  EXPECT_EQ(out, 'Q');
  EXPECT_TRUE(acceptsChar('Y', 'n', out, false));
  EXPECT_EQ(out, 'N');
  EXPECT_FALSE(acceptsChar('Y', 't', out, false));
  EXPECT_TRUE(acceptsChar('L', 't', out, false));
  EXPECT_EQ(out, 'T');
  EXPECT_FALSE(acceptsChar('.', '5', out, true));
}

}  // namespace

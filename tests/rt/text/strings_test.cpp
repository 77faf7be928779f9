#include "rt/text/strings.h"

#include <gtest/gtest.h>

#include "rt/text/cp860.h"

using namespace rt::text;

namespace {

Decimal d(const char* text) {
  return *Decimal::parse(text);
}

TEST(Strings, Padding) {
  EXPECT_EQ(padr("abc", 5), "abc  ");
  EXPECT_EQ(padr("abcdef", 3), "abc");
  EXPECT_EQ(padl("abc", 5), "  abc");
  EXPECT_EQ(padl("abcdef", 3), "abc");  // the runtime cut from the right for every PAD
  EXPECT_EQ(padl("7", 3, '0'), "007");
  EXPECT_EQ(padc("ab", 5), " ab  ");  // the odd blank goes right
  EXPECT_EQ(padc("ab", 6, '-'), "--ab--");
  EXPECT_EQ(padc("abcdef", 3), "abc");
  EXPECT_EQ(padr("abc", -1), "");
  EXPECT_EQ(space(3), "   ");
  EXPECT_EQ(space(-2), "");
  EXPECT_EQ(replicate("ab", 3), "ababab");
  EXPECT_EQ(replicate("─"_cp, 2), "──"_cp);
  EXPECT_EQ(replicate("x", 0), "");
}

TEST(Strings, Trim) {
  EXPECT_EQ(trim("  a b  "), "  a b");
  EXPECT_EQ(ltrim("  a b  "), "a b  ");
  EXPECT_EQ(alltrim("  a b  "), "a b");
  EXPECT_EQ(alltrim("    "), "");
  EXPECT_EQ(trim("a\t"), "a\t");  // only blanks are trimmed
  EXPECT_TRUE(isEmptyText(" \t\r\n"));
  EXPECT_TRUE(isEmptyText(""));
  EXPECT_FALSE(isEmptyText("  .  "));
}

TEST(Strings, UpperAndLowerChangeAsciiLettersOnly) {
  EXPECT_EQ(upper("São João, 12"), "SãO JOãO, 12");
  EXPECT_EQ(upper("ação"_cp), "AçãO"_cp);
  EXPECT_EQ(lower("AÇÃO"_cp), "aÇÃo"_cp);
  for (int b = 0x80; b <= 0xFF; ++b) {
    char c = static_cast<char>(b);
    EXPECT_EQ(upperChar(c), c) << b;
    EXPECT_EQ(lower(std::string(1, c)), std::string(1, c)) << b;
  }
  EXPECT_EQ(upperChar('z'), 'Z');
  EXPECT_EQ(upperChar('{'), '{');
  EXPECT_EQ(upperChar('`'), '`');
}

TEST(Strings, AtAndRat) {
  EXPECT_EQ(at("b", "abcabc"), 2);
  EXPECT_EQ(rat("b", "abcabc"), 5);
  EXPECT_EQ(at("bc", "abcabc"), 2);
  EXPECT_EQ(at("x", "abc"), 0);
  EXPECT_EQ(rat("x", "abc"), 0);
  EXPECT_EQ(at("", "abc"), 0);
  EXPECT_EQ(rat("", "abc"), 0);
  EXPECT_EQ(at("abcd", "abc"), 0);
}

TEST(Strings, Substr) {
  EXPECT_EQ(substr("Hello", 2, 3), "ell");
  EXPECT_EQ(substr("Hello", 2), "ello");
  EXPECT_EQ(substr("Hello", -3), "llo");
  EXPECT_EQ(substr("Hello", -3, 2), "ll");
  EXPECT_EQ(substr("Hello", -9, 2), "He");
  EXPECT_EQ(substr("Hello", 0, 2), "He");
  EXPECT_EQ(substr("Hello", 6), "");
  EXPECT_EQ(substr("Hello", 4, 10), "lo");
  EXPECT_EQ(substr("Hello", 2, 0), "");
  EXPECT_EQ(left("Hello", 2), "He");
  EXPECT_EQ(left("Hello", 9), "Hello");
  EXPECT_EQ(right("Hello", 2), "lo");
  EXPECT_EQ(right("Hello", 9), "Hello");
  EXPECT_EQ(right("Hello", -1), "");
}

TEST(Strings, StrtranAndStuff) {
  EXPECT_EQ(strtran("a.b.c.d", "."), "abcd");
  EXPECT_EQ(strtran("a.b.c.d", ".", ","), "a,b,c,d");
  EXPECT_EQ(strtran("a.b.c.d", ".", ",", 2), "a.b,c,d");
  EXPECT_EQ(strtran("a.b.c.d", ".", ",", 2, 1), "a.b,c.d");
  EXPECT_EQ(strtran("a.b.c.d", ".", ",", 1, 0), "a.b.c.d");
  EXPECT_EQ(strtran("aaaa", "aa", "b"), "bb");  // occurrences do not overlap
  EXPECT_EQ(strtran("abc", "", "x"), "abc");
  EXPECT_EQ(strtran("123.456.789-01", ".", ""), "123456789-01");
  EXPECT_EQ(stuff("abcdef", 2, 3, "XY"), "aXYef");
  EXPECT_EQ(stuff("abc", 4, 0, "d"), "abcd");
  EXPECT_EQ(stuff("abc", 2, 9, ""), "a");
}

TEST(Strings, StrWidthsRoundingAndOverflow) {
  EXPECT_EQ(str(d("1234.567"), 8, 2), " 1234.57");
  EXPECT_EQ(str(Decimal(123456), 5), "*****");
  EXPECT_EQ(str(Decimal(42)), "        42");
  EXPECT_EQ(str(d("-1234.5"), 7, 1), "-1234.5");
  EXPECT_EQ(str(d("-1234.5"), 6, 1), "******");
  EXPECT_EQ(str(d("2.5"), 3), "  3");
  EXPECT_EQ(str(d("-2.5"), 3), " -3");
  EXPECT_EQ(str(d("643.885"), 7, 2), " 643.89");
  EXPECT_EQ(str(d("-0.001"), 5, 2), " 0.00");
  EXPECT_EQ(str(d("99999.995"), 8, 2), "********");  // rounding makes it too wide
}

TEST(Strings, Strzero) {
  EXPECT_EQ(strzero(Decimal(-5), 4), "-005");
  EXPECT_EQ(strzero(Decimal(5), 4), "0005");
  EXPECT_EQ(strzero(d("3.5"), 6, 2), "003.50");
  EXPECT_EQ(strzero(Decimal(12345), 3), "***");
  EXPECT_EQ(strzero(Decimal(0), 2), "00");
  EXPECT_EQ(strzero(Decimal(7), 2), "07");
}

TEST(Strings, Val) {
  EXPECT_EQ(val("  123.45"), d("123.45"));
  EXPECT_EQ(val("-7"), Decimal(-7));
  EXPECT_EQ(val("12abc"), Decimal(12));
  EXPECT_EQ(val(""), Decimal());
  EXPECT_EQ(val("abc"), Decimal());
  EXPECT_EQ(val(str(d("-1234.56"), 10, 2)), d("-1234.56"));
  EXPECT_EQ(val(strzero(Decimal(42), 6)), Decimal(42));
}

}  // namespace

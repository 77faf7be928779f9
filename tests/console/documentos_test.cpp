#include "console/documentos.h"

#include <gtest/gtest.h>

namespace {

using console::Decimal;

Decimal d(const char* s) { return *Decimal::parse(s); }

TEST(CheckDigits, CpfCnpjNitAndModulo11) {
  EXPECT_EQ(console::cpfDigitos("111444777"), "35");  // 111.444.777-35
  EXPECT_EQ(console::cpfDigitos("123456789"), "09");
  EXPECT_EQ(console::cpfDigitos("000000000"), "00");
  EXPECT_EQ(console::cnpjDigitos("112223330001"), "81");  // 11.222.333/0001-81
  EXPECT_EQ(console::cnpjDigitos("000000000001"), "91");
  EXPECT_EQ(console::nitDigito("1203456789"), '9');  // sum 189, remainder 2
  EXPECT_EQ(console::nitDigito("1000000004"), '0');  // sum 11, remainder 0
  EXPECT_EQ(console::MODULO_11(""), "");
  EXPECT_EQ(console::MODULO_11("123456789"), "0");  // 11 - (210 mod 11) = 10 -> 0
  EXPECT_EQ(console::MODULO_11("1234567890"), "9");
}

TEST(Punctuation, ContapontoAndPoeponto) {
  EXPECT_EQ(console::CONTAPONTO("11222333000181"), "11.222.333/0001-81");
  EXPECT_EQ(console::CONTAPONTO("11144477735"), "111.444.777-35    ");
  EXPECT_EQ(console::CONTAPONTO("111.444.777-35"), "111.444.777-35");  // already punctuated
  EXPECT_EQ(console::CONTAPONTO("12345"), "12345");
  EXPECT_EQ(console::POEPONTO("11144477735", 1, 10), "111.444.777-35    ");
  EXPECT_EQ(console::POEPONTO("12034567899", 1, 50), "120.34567.89-9    ");
  EXPECT_EQ(console::POEPONTO("11222333000181", 1, 26), "11.222.333/0001-81");
  EXPECT_EQ(console::POEPONTO("11222333000181", 0, 10), "11.222.333/0001-81");  // other modes: CONTAPONTO
  EXPECT_EQ(console::TIRA_PONTO("111.444.777-35"), "11144477735");
}

TEST(Money, DesprezaCarToValAndMonths) {
  EXPECT_EQ(console::DESPREZA(d("0.999"), 12), d("0.99"));
  EXPECT_EQ(console::DESPREZA(d("-1.237"), 12), d("-1.23"));
  EXPECT_EQ(console::DESPREZA(d("12.349999"), 12), d("12.35"));
  // No width limit: a value wider than the old 12-character text keeps every digit.
  EXPECT_EQ(console::DESPREZA(d("123456789.4567"), 12), d("123456789.45"));
  EXPECT_EQ(console::CAR_TO_VAL(""), Decimal());
  EXPECT_EQ(console::CAR_TO_VAL("1.234,56"), d("1234.56"));
  EXPECT_EQ(console::CAR_TO_VAL("1.234.567"), d("1234567"));
  EXPECT_EQ(console::TRAZ_MES(3), "Marco    ");
  EXPECT_EQ(console::TRAZ_MES(9), "Setembro ");
  EXPECT_EQ(console::TRAZ_MES(13), "");
}

TEST(CodePageMap, AjusCarKeepsLeadingBlanksAndMapsEveryLetter) {
  // "  JOSÉ ÁGUA" in code page 1252.
  std::string windows = "  JOS\xC9 \xC1GUA  ";
  EXPECT_EQ(console::AJUS_CAR(windows), "  JOS\x90 AGUA");
  EXPECT_EQ(console::AJUS_CAR("\xE3\xF5\xE7\xC7\xE9"), "\x84\x94\x87\x80\x82");
  EXPECT_EQ(console::AJUS_CAR("\xFB"), "\x96");  // û becomes Ú, harmless for Portuguese
  // Mapping back leaves plain letters alone.
  EXPECT_EQ(console::AJUS_CAR("AEIOU\x84", 2), "AEIOU\xE3");
}

}  // namespace

#include "taxcalc/idade.h"

#include <gtest/gtest.h>

#include <string>

#include "rt/text/cp860.h"

namespace taxcalc {
namespace {

using rt::text::Date;
using namespace rt::text::literals;

TEST(DIZANOS, AgeAtTheEndOf2009AndTheBirthdayHint) {
  const Date nascimento = Date::fromYmd(1950, 3, 15);
  Idade i = DIZANOS(nascimento, Date::fromYmd(2010, 2, 1));
  EXPECT_EQ(i.anos, " 59");
  EXPECT_EQ(i.meses, " 9");
  EXPECT_EQ(i.aviso, "");
  EXPECT_EQ(DIZANOS(nascimento, Date::fromYmd(2010, 3, 15)).aviso, std::string("Faz Aniversário Hoje  "_cp));
  EXPECT_EQ(DIZANOS(nascimento, Date::fromYmd(2010, 3, 14)).aviso, std::string("Faz Aniversário Amanha"_cp));
  // 15/03/2010 is a Monday.
  EXPECT_EQ(DIZANOS(nascimento, Date::fromYmd(2010, 3, 12)).aviso, std::string("Aniversário na Segunda"_cp));
  EXPECT_EQ(DIZANOS(nascimento, Date::fromYmd(2010, 3, 10)).aviso, std::string("Aniversário na Segunda"_cp));
  EXPECT_EQ(DIZANOS(nascimento, Date::fromYmd(2010, 3, 9)).aviso, "");   // six days ahead
  EXPECT_EQ(DIZANOS(nascimento, Date::fromYmd(2010, 3, 16)).aviso, "");  // already past
  // 14/03/2010 is a Sunday.
  EXPECT_EQ(DIZANOS(Date::fromYmd(1980, 3, 14), Date::fromYmd(2010, 3, 11)).aviso,
            std::string("Aniversário no Domingo"_cp));
}

TEST(DIZANOS, BlankWithoutADateOrBornAfterTheYear) {
  EXPECT_EQ(DIZANOS(Date(), Date::fromYmd(2010, 3, 1)).anos, "   ");
  Idade i = DIZANOS(Date::fromYmd(2010, 1, 5), Date::fromYmd(2010, 1, 5));
  EXPECT_EQ(i.anos, "   ");
  EXPECT_EQ(i.meses, "  ");
  EXPECT_EQ(i.aviso, "");
}

// The one age limit of the dependants, which the grid's warnings and the converter's
// questions both read: each code's limit year on both sides of it, a code without one, and
// no birth date.
TEST(DependentesIdade, LimitYearOfEachCode) {
  const struct {
    int codigo;
    int limite;
  } casos[] = {{21, 1987}, {24, 1987}, {41, 1987}, {22, 1984}, {25, 1984}, {11, 0}, {23, 0}, {31, 0}};
  for (const auto& c : casos) {
    EXPECT_EQ(anoLimiteDependente(c.codigo), c.limite) << c.codigo;
    const int ano = c.limite != 0 ? c.limite : 1950;
    EXPECT_EQ(passouDaIdade(c.codigo, Date::fromYmd(ano - 1, 12, 31)), c.limite != 0) << c.codigo;
    EXPECT_FALSE(passouDaIdade(c.codigo, Date::fromYmd(ano, 1, 1))) << c.codigo;
    EXPECT_FALSE(passouDaIdade(c.codigo, Date())) << c.codigo;
  }
}

}  // namespace
}  // namespace taxcalc

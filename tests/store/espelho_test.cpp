#include "store/espelho.h"

#include <gtest/gtest.h>

#include <stdexcept>


namespace store {
namespace {

using rt::text::Date;
using rt::text::Decimal;

TEST(EspelhoTest, SharedNamesAreReadFromTheRecordNamed) {
  EspelhoDeclaracao d;
  d.registro.num("I13_20", Decimal::fromInt(5));
  d.tabela01.num("I13_20", Decimal::fromInt(7));
  EXPECT_EQ(d.registro.num("I13_20"), Decimal::fromInt(5));
  EXPECT_EQ(d.tabela01.num("I13_20"), Decimal::fromInt(7));
  // Case does not matter; the catalogue writes some names in mixed case.
  d.tabela01.txt("CPFINVENT", "12345678901");
  EXPECT_EQ(d.tabela01.txt("CpfInvent"), "12345678901");
}

TEST(EspelhoTest, StartsEmptyWithTheFieldWidths) {
  EspelhoDeclaracao d;
  EXPECT_EQ(d.registro.txt("MUNICIPIO"), std::string(30, ' '));
  EXPECT_EQ(d.tabela01.txt("EndInvent"), std::string(70, ' '));
  EXPECT_TRUE(d.tabela01.num("I3_14").isZero());
  EXPECT_EQ(d.registro.data("NASCIMENTO"), Date());
  EXPECT_FALSE(d.tabela01.logico("SO_REC"));
}

TEST(EspelhoTest, WrongNamesAndTypesAreProgrammingErrors) {
  EspelhoDeclaracao d;
  EXPECT_THROW(d.registro.num("I3_14"), std::logic_error);  // a table 01 field
  EXPECT_THROW(d.registro.txt("ESTATUS"), std::logic_error);
  EXPECT_NO_THROW(d.registro.num("ESTATUS", Decimal::fromInt(2)));
  EXPECT_THROW(d.registro.txt("ESTATUS", "2"), std::logic_error);
}

TEST(EspelhoTest, IndexesReadTheSameFields) {
  EspelhoDeclaracao d;
  int i = d.rural.campo("I3_05OR");
  d.rural.num(i, Decimal::fromInt(3));
  EXPECT_EQ(d.rural.num("I3_05OR"), Decimal::fromInt(3));
  EXPECT_EQ(d.rural.indice("NADA"), -1);
  EXPECT_EQ(d.carneLeao.campo("I2_713"), d.carneLeao.tamanho() - 1);
}

}  // namespace
}  // namespace store

#include "console/validadores.h"

#include <gtest/gtest.h>

#include "fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"

namespace {

using namespace rt::text::literals;
namespace key = rt::term::key;

class ValidadoresTest : public ::testing::Test, protected console::teste::ConsoleFixture {
 protected:
  // Every alert is answered with Enter; the test reads what the last one showed.
  bool mostrou(std::string_view texto) { return term.contains(texto); }
};

TEST_F(ValidadoresTest, CpfEmptyIncompleteWrongAndRight) {
  EXPECT_TRUE(console::VAL_CPF(ctx, "           "));
  EXPECT_FALSE(console::VAL_CPF(ctx, "           ", true));
  bool buscou = false;
  EXPECT_TRUE(console::VAL_CPF(ctx, "", true, [&] { buscou = true; }));
  EXPECT_TRUE(buscou);
  term.press(key::Enter);
  EXPECT_FALSE(console::VAL_CPF(ctx, "12345678   "));
  EXPECT_TRUE(mostrou("ATENCAO!! CPF está incompleto."_cp));
  term.press(key::Enter);
  EXPECT_FALSE(console::VAL_CPF(ctx, "11144477736"));
  EXPECT_TRUE(mostrou("ATENCAO!! CPF está incorreto. "_cp));
  EXPECT_TRUE(mostrou("O dígito correto deve ser:35"_cp));
  term.press(key::Enter);
  EXPECT_FALSE(console::VAL_CPF(ctx, "111444777  "));  // nine digits: the user learns the digits
  EXPECT_TRUE(mostrou("O dígito correto deve ser:35"_cp));
  EXPECT_TRUE(console::VAL_CPF(ctx, "11144477735"));
  EXPECT_TRUE(console::VAL_CPF(ctx, "11144477735xyz"));  // only the first 11 count
  EXPECT_FALSE(term.exhausted());
}

TEST_F(ValidadoresTest, CnpjEmptyIncompleteWrongAndRight) {
  EXPECT_TRUE(console::VAL_CGC(ctx, ""));
  EXPECT_FALSE(console::VAL_CGC(ctx, "", true));
  term.press(key::Enter);
  EXPECT_FALSE(console::VAL_CGC(ctx, "11222333000"));
  EXPECT_TRUE(mostrou("ATENCAO!! CNPJ está incompleto. "_cp));
  term.press(key::Enter);
  EXPECT_FALSE(console::VAL_CGC(ctx, "11222333000182"));
  EXPECT_TRUE(mostrou("ATENCAO!! CNPJ está incorreto. "_cp));
  EXPECT_TRUE(mostrou("O dígito correto deve ser: 81"_cp));
  EXPECT_TRUE(console::VAL_CGC(ctx, "11222333000181"));
  EXPECT_FALSE(term.exhausted());
}

TEST_F(ValidadoresTest, NitCountAndCheckDigit) {
  EXPECT_TRUE(console::VAL_NIT(ctx, "   "));
  term.press(key::Enter);
  EXPECT_FALSE(console::VAL_NIT(ctx, "1203456789"));
  EXPECT_TRUE(mostrou("ATENCAO!! o NIT do empregado está errado "_cp));
  term.press(key::Enter);
  EXPECT_FALSE(console::VAL_NIT(ctx, "120.34567.89-8"));
  EXPECT_TRUE(mostrou("ATENCAO!!  NIT está incorreto. "_cp));
  EXPECT_TRUE(mostrou("Se estiver digitando o CPF mova"));
  EXPECT_TRUE(mostrou("o cursor até a última coluna. "_cp));
  EXPECT_TRUE(console::VAL_NIT(ctx, "120.34567.89-9"));
  EXPECT_FALSE(term.exhausted());
}

TEST_F(ValidadoresTest, CpfCnpjByTheSeparatorsPlace) {
  EXPECT_TRUE(console::CPFCGC(ctx, "111.444.777-35"));
  EXPECT_TRUE(console::CPFCGC(ctx, "11.222.333/0001-81"));
  EXPECT_TRUE(console::CPFCGC(ctx, "120.34567.89-8"));  // a NIT layout is taken as it is
  EXPECT_TRUE(console::CPFCGC(ctx, "  "));
  EXPECT_FALSE(console::CPFCGC(ctx, "  ", true));
  term.press(key::Enter);
  EXPECT_FALSE(console::CPFCGC(ctx, "111.444.777-34"));
  EXPECT_TRUE(mostrou("O dígito correto deve ser:35"_cp));
  term.press(key::Enter);
  EXPECT_FALSE(console::CPFCGC(ctx, "11222333000181"));
  EXPECT_TRUE(mostrou("ATENCAO!! Digite o CPF/CNPJ com nro. correto"));
  EXPECT_TRUE(mostrou("de digitos CPF=11 e CNPJ=14 ou coloque os   "));
  EXPECT_TRUE(mostrou("sinais separadores no lugar correto.Exemplo:"));
  EXPECT_TRUE(mostrou("CPF=nnn.nnn.nnn-nn CNPJ=nn.nnn.nnn/nnnn-nn "));
  EXPECT_FALSE(term.exhausted());
}

}  // namespace

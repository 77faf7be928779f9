// The CPF as the tables key it: padded once, compared and read back byte for byte.
#include "store/cpf.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

using store::Cpf;

TEST(Cpf, PaddedOnceToTheKeyFormAndReadBackAsIt) {
  struct Caso {
    std::string_view texto, chave, digitos;
  };
  const Caso casos[] = {
      {"12345678909", "12345678909", "12345678909"},
      {"123", "123        ", "123"},
      {"", "           ", ""},
      {"  1234", "  1234     ", "1234"},
      // Longer than a CPF field: cut, as the field would cut it.
      {"123456789012345", "12345678901", "12345678901"},
  };
  for (const Caso& c : casos) {
    const Cpf cpf(c.texto);
    EXPECT_EQ(cpf.chave(), c.chave) << c.texto;
    EXPECT_EQ(cpf.digitos(), c.digitos) << c.texto;
    EXPECT_EQ(cpf.vazio(), c.digitos.empty()) << c.texto;
    // Padding an already padded CPF changes nothing.
    EXPECT_EQ(Cpf(cpf.chave()), cpf) << c.texto;
  }
  EXPECT_EQ(Cpf().chave(), std::string(11, ' '));
  // A text compares as it stands (a stored field is already 11 wide); read back as a key.
  const Cpf cpf("12345678909");
  EXPECT_TRUE(cpf == std::string("12345678909"));
  EXPECT_TRUE(Cpf("123") != std::string_view("123"));
  const std::string& chave = cpf;
  EXPECT_EQ(chave, "12345678909");
}

}  // namespace

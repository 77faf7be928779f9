// The value formats and the text rules of the declaration file.
#include "export/formatos.h"

#include <gtest/gtest.h>

#include "rt/text/cp860.h"

namespace exporta {
namespace {

using namespace rt::text::literals;

Decimal d(const char* s) {
  return *Decimal::parse(s);
}

TEST(Formatos, Numeros) {
  struct Caso {
    const char* valor;
    const char* dinheiro;
    const char* inteiro;
    const char* digitos;
  };
  const Caso casos[] = {
      {"0", "0,00", "0", "0"},
      {"1234.56", "1.234,56", "1.235", "1235"},
      {"-1234.5", "-1.234,50", "-1.235", "-1235"},
      // Cut after rounding two places further, never rounded to the cent.
      {"12.349999", "12,35", "12", "12"},
      {"12.3456", "12,34", "12", "12"},
      {"0.285", "0,28", "0", "0"},
      {"1234567.891", "1.234.567,89", "1.234.568", "1234568"},
      {"-0.001", "0,00", "0", "0"},
  };
  for (const Caso& c : casos) {
    EXPECT_EQ(dinheiro(d(c.valor)), c.dinheiro) << c.valor;
    EXPECT_EQ(inteiro(d(c.valor)), c.inteiro) << c.valor;
    EXPECT_EQ(inteiroSemPontos(d(c.valor)), c.digitos) << c.valor;
  }
}

TEST(Formatos, TextosMapeadosETranscritos) {
  // The map turns letters into ASCII by what they are; "&", "<", ">", quotes and "#" go.
  EXPECT_EQ(mapeado("  AÇÃO É ÓTIMA Ô À Ú  "_cp), "ACAO E OTIMA O A U");
  EXPECT_EQ(mapeado("a&b<c>d\"e'f#g_h"), "aeb-c-d e f g-h");
  EXPECT_EQ(mapeado("ºª²"_cp), "oa2");
  // Unmapped text: escaped, control bytes blanked, the rest transcoded to UTF-8.
  EXPECT_EQ(texto(" A&B<C>\"D\" "), "A&amp;B&lt;C>&quot;D&quot;");
  EXPECT_EQ(texto(std::string("A\x01\tB\x1F" "C")), "A  B C");
  EXPECT_EQ(texto("ÁÂÀ ç"_cp), "ÁÂÀ ç");
  // A byte the map leaves alone still reaches the file as UTF-8.
  EXPECT_EQ(mapeado("\x9E"), "₧");
  // Untrimmed values keep their blanks; SEMPONTO blanks the six punctuation characters.
  EXPECT_EQ(valorXml("Titular   "), "Titular   ");
  EXPECT_EQ(SEMPONTO("A.B,C/D\\E)F(G"), "A B C D E F G");
  // Numbers through pictures; empty numbers stay empty.
  EXPECT_EQ(comCpf("12345678909"), "123.456.789-09");
  EXPECT_EQ(comCpf("           "), "");
  EXPECT_EQ(comCnpj("11222333000181"), "11.222.333/0001-81");
  EXPECT_EQ(comCnpj(""), "");
  EXPECT_EQ(soDigitos("123.456.789-09"), "12345678909");
}

}  // namespace
}  // namespace exporta

// FOLHA.TXT as the payroll program writes it: the values it holds, and the lines that refuse the
// whole file.
#include "converter/folha_arquivo.h"

#include <gtest/gtest.h>

#include "rt/text/cp860.h"
#include "store/areas.h"

namespace conversor {
namespace {

using namespace rt::text::literals;
using rt::text::Decimal;

std::span<const store::CampoDef> campos() { return store::estrutura(store::numero(store::Area::FOLHAPG)); }

std::string texto(const rt::text::Value& v) { return std::get<std::string>(v); }
Decimal valor(const rt::text::Value& v) { return std::get<Decimal>(v); }

TEST(FolhaArquivo, ReadsEveryValueInFieldOrder) {
  // CR LF and LF lines, a blank line, a CP1252 name (0xC9 is É), a punctuated CPF, a CNPJ of
  // digits, a doubled quote, a short line whose trailing values are blank, the end-of-file mark.
  const std::string bytes =
      "\"123.456.789-09\",\"JOS\xC9 DA SILVA\",\"ACME LTDA\",\"11222333000181\",1234.56,100.5,0,0,10,0,200,0,0,0,0,"
      "1000,\"MARIA\",\"BOLSA \"\"A\"\"\",\"PLR\",300,400\r\n"
      "\r\n"
      "\"98765432100\",\"ANA\",\"ACME LTDA\",\"11.222.333/0001-81\",-5\n"
      "\x1A";
  const LeituraFolha l = leFolha(bytes, campos());
  ASSERT_EQ(l.recusa, "");
  ASSERT_EQ(l.comprovantes.size(), 2u);
  const Comprovante& a = l.comprovantes[0];
  ASSERT_EQ(a.size(), 21u);
  EXPECT_EQ(texto(a[0]), "12345678909");
  EXPECT_EQ(texto(a[1]), std::string("JOSÉ DA SILVA"_cp));
  EXPECT_EQ(texto(a[3]), "11.222.333/0001-81");
  EXPECT_EQ(valor(a[4]), Decimal::parse("1234.56"));
  EXPECT_EQ(valor(a[5]), Decimal::parse("100.5"));
  EXPECT_EQ(valor(a[10]), Decimal::fromInt(200));
  EXPECT_EQ(valor(a[15]), Decimal::fromInt(1000));
  EXPECT_EQ(texto(a[16]), "MARIA");
  EXPECT_EQ(texto(a[17]), "BOLSA \"A\"");
  EXPECT_EQ(texto(a[18]), "PLR");
  EXPECT_EQ(valor(a[19]), Decimal::fromInt(300));
  EXPECT_EQ(valor(a[20]), Decimal::fromInt(400));
  const Comprovante& b = l.comprovantes[1];
  EXPECT_EQ(texto(b[0]), "98765432100");
  EXPECT_EQ(texto(b[3]), "11.222.333/0001-81");
  EXPECT_EQ(valor(b[4]), Decimal::fromInt(-5));
  EXPECT_EQ(valor(b[20]), Decimal());
  EXPECT_EQ(texto(b[17]), "");
}

TEST(FolhaArquivo, ABadLineRefusesTheWholeFileNamingIt) {
  const std::string boa = "\"12345678909\",\"JOSE\",\"ACME\",\"11222333000181\",1\n";
  const struct {
    std::string linha, motivo;
  } casos[] = {
      {"\"1\",\"A\",\"B\",\"C\",1,2,3,4,5,6,7,8,9,10,11,12,\"D\",\"E\",\"F\",1,2,3", "mais de 21 valores"},
      {"\"1\",\"A\",\"B\",\"C\",1,R$ 5", "valor inválido em PREVOFICA (R$ 5)"},
      {"\"1\",\"A\",\"B\",\"C\",12a", "valor inválido em RENDIMENT (12a)"},
      {"\"1\",\"A\",\"B\",\"C\",1000000000", "valor inválido em RENDIMENT (1000000000)"},
      {"\"1\",\"A sem fim,2,3", "aspas sem fechamento"},
      {"\"\",\"A\",\"B\",\"C\",1", "CPF inválido ()"},
      {"\"123.456.789-091\",\"A\",\"B\",\"C\",1", "CPF inválido (123.456.789-091)"},
  };
  for (const auto& c : casos) {
    const LeituraFolha l = leFolha(boa + boa + c.linha + "\r\n" + boa, campos());
    EXPECT_EQ(l.recusa, rt::text::utf8ToCp860("Linha 3 do FOLHA.TXT: " + c.motivo)) << c.linha;
    EXPECT_TRUE(l.comprovantes.empty()) << c.linha;
  }
}

}  // namespace
}  // namespace conversor

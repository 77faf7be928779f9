// FOLHA.TXT as the payroll program writes it: the values it holds, and the lines that refuse the
// whole file.
#include "converter/folha_arquivo.h"

#include <gtest/gtest.h>

#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/areas.h"

namespace converter {
namespace {

using namespace rt::text::literals;
using rt::text::Decimal;

std::span<const store::CampoDef> campos() { return store::estrutura(store::Area::FOLHAPG); }

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
      "\"52998224725\",\"RITA\",\"PEDRO MEDICO\",\"111.444.777-35\",1\n"
      "\x1A";
  const LeituraFolha l = leFolha(bytes, campos());
  ASSERT_EQ(l.recusa, "");
  ASSERT_EQ(l.comprovantes.size(), 3u);
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
  // A person as the payer: his CPF, punctuated.
  EXPECT_EQ(rt::text::trim(texto(l.comprovantes[2][3])), "111.444.777-35");
}

// A file written as UTF-8 (with or without the byte-order mark) reads as UTF-8, anything else
// as the Windows code page.
TEST(FolhaArquivo, ReadsUtf8AsUtf8AndAnythingElseAsTheWindowsCodePage) {
  const struct {
    std::string inicio, nome;
  } casos[] = {
      {"", "NOVO CLIENTE \xC3\x81\xC3\x89"},              // UTF-8
      {"\xEF\xBB\xBF", "NOVO CLIENTE \xC3\x81\xC3\x89"},  // UTF-8 with its byte-order mark
      {"", "NOVO CLIENTE \xC1\xC9"},                      // CP1252
  };
  for (const auto& c : casos) {
    const LeituraFolha l =
        leFolha(c.inicio + "\"12345678909\",\"" + c.nome + "\",\"ACME\",\"11222333000181\",1\r\n", campos());
    ASSERT_EQ(l.recusa, "") << c.nome;
    ASSERT_EQ(l.comprovantes.size(), 1u);
    EXPECT_EQ(texto(l.comprovantes[0][0]), "12345678909") << c.nome;
    EXPECT_EQ(texto(l.comprovantes[0][1]), std::string("NOVO CLIENTE ÁÉ"_cp)) << c.nome;
  }
}

TEST(FolhaArquivo, ABadLineRefusesTheWholeFileNamingIt) {
  const std::string boa = "\"12345678909\",\"JOSE\",\"ACME\",\"11222333000181\",1\n";
  const std::string id = "\"12345678909\",\"A\",\"B\",\"11222333000181\",";
  const struct {
    std::string linha, motivo;
  } casos[] = {
      {id + "1,2,3,4,5,6,7,8,9,10,11,12,\"D\",\"E\",\"F\",1,2,3", "mais de 21 valores"},
      {id + "1,R$ 5", "valor inválido em PREVOFICA (R$ 5)"},
      {id + "12a", "valor inválido em RENDIMENT (12a)"},
      {id + "1000000000", "valor inválido em RENDIMENT (1000000000)"},
      {"\"12345678909\",\"A sem fim,2,3", "aspas sem fechamento"},
      {"\"\",\"A\",\"B\",\"C\",1", "CPF inválido ()"},
      {"\"123.456.789-091\",\"A\",\"B\",\"C\",1", "CPF inválido (123.456.789-091)"},
      {"\"12345678900\",\"A\",\"B\",\"11222333000181\",1", "CPF inválido (12345678900)"},
      {"\"ABCDEFGHIJK\",\"A\",\"B\",\"11222333000181\",1", "CPF inválido (ABCDEFGHIJK)"},
      {"\"1234567890\",\"A\",\"B\",\"11222333000181\",1", "CPF inválido (1234567890)"},
      {"\"12345678909\",\"A\",\"B\",\"11222333000180\",1", "CNPJ/CPF da fonte pagadora inválido (11222333000180)"},
      {"\"12345678909\",\"A\",\"B\",\"\",1", "CNPJ/CPF da fonte pagadora inválido ()"},
      {"\"12345678909\",\"A\",\"B\",\"ACME 11222333000181\",1", "CNPJ/CPF da fonte pagadora inválido (ACME 11222333000181)"},
      // A quote left out after the name shifts every value after it by one.
      {"\"12345678909\",\"MARIA,\"ALFA\",\"11222333000181\",1000.50", "CNPJ/CPF da fonte pagadora inválido (1000.50)"},
  };
  for (const auto& c : casos) {
    const LeituraFolha l = leFolha(boa + boa + c.linha + "\r\n" + boa, campos());
    EXPECT_EQ(l.recusa, rt::text::utf8ToCp860("Linha 3 do FOLHA.TXT: " + c.motivo)) << c.linha;
    EXPECT_TRUE(l.comprovantes.empty()) << c.linha;
  }
}

}  // namespace
}  // namespace converter

// The bank's remittance records, position by position as the bank's layout lists them.
#include "office/boleto_remessa.h"

#include <gtest/gtest.h>

#include <set>

#include "rt/text/cp860.h"
#include "rt/text/strings.h"

namespace office {
namespace {

using rt::text::Date;
using rt::text::Decimal;

std::string b(int n) { return std::string(static_cast<std::size_t>(n), ' '); }
std::string z(int n) { return std::string(static_cast<std::size_t>(n), '0'); }
std::string pad(std::string_view s, int n) { return rt::text::padr(s, n); }

const Date kHoje = Date::fromYmd(2010, 6, 20);

ContaBoleto conta(bool cnpj) {
  ContaBoleto c;
  c.BOL_AGENCI = "0123";
  c.BOL_CONTA = "456789";
  c.BOL_NOME = "ESCRITORIO CONTABIL MODELO";
  c.BOL_CNPJ = cnpj ? "11222333000181" : std::string(14, ' ');
  c.BOL_CPF = cnpj ? std::string(11, ' ') : "11144477735";
  c.BOL_CARTEI = "109";
  return c;
}

TEST(Remessa, EveryRecordHoldsItsFieldsAtTheBanksPositions) {
  const std::string header = "01REMESSA01COBRANCA       " + std::string("0123") + "00" + "456789" + b(8) +
                             pad("ESCRITORIO CONTABIL MODELO", 30) + "341" + "BANCO ITAU SA  " + "200610" + b(294) +
                             "000001\r\n";
  EXPECT_EQ(registroHeader(conta(true), kHoje), header);

  Boleto achado{Decimal(7),  Decimal(12345678), Date::fromYmd(2010, 7, 5), Decimal::parse("1234.56").value(),
                "MARIA DA SILVA", "52998224725", {"RUA", "DAS FLORES COMPRIDAS DEMAIS PARA CABER", "123A",
                                                  "CENTRO HISTORICO", "01310100", "SAO JOSE DOS CAMPOS", "SP"}};
  Boleto semEndereco{Decimal(8), Decimal(99), Date::fromYmd(2010, 6, 20), Decimal::parse("0.29").value(),
                     "JOAO", "11144477735", {}};
  struct Caso {
    bool cnpj;
    const Boleto* boleto;
    int seq;
    std::string esperado;
  } casos[] = {
      {true, &achado, 2,
       "1" + std::string("02") + "11222333000181" + "0123" + "00" + "456789" + b(33) + "12345678" + z(13) + "109" + b(21) +
           "I01" + "00007" + b(5) + "050710" + "0000000123456" + "3410000017N" + "200610" + z(62) + "01" +
           "00052998224725" + pad("MARIA DA SILVA", 30) + b(10) + "RUA  " + b(1) + "DAS FLORES COMPRIDAS DEMAIS" + b(1) +
           "123A  " + "CENTRO HISTO" + "01310100" + "SAO JOSE DOS CA" + "SP" + b(34) + "00000000 " + "000002\r\n"},
      {false, &semEndereco, 3,
       "1" + std::string("01") + "00011144477735" + "0123" + "00" + "456789" + b(33) + "00000099" + z(13) + "109" +
           b(21) + "I01" + "00008" + b(5) + "200610" + "0000000000029" + "3410000017N" + "200610" + z(62) + "01" +
           "00011144477735" + pad("JOAO", 30) + b(10) + b(5) + b(1) + b(27) + b(1) + b(6) + b(12) + b(8) + b(15) + b(2) +
           b(34) + "00000000 " + "000003\r\n"},
  };
  for (const Caso& c : casos) {
    const std::string r = registroDetalhe(conta(c.cnpj), *c.boleto, kHoje, c.seq);
    EXPECT_EQ(r.size(), 402u);
    EXPECT_EQ(r, c.esperado) << c.seq;
  }
  EXPECT_EQ(registroTrailer(4), "9" + b(393) + "000004\r\n");

  // The whole file: header, the details in order, the trailer, numbered 1..n.
  const std::string f = remessa(conta(false), {achado, semEndereco}, kHoje);
  ASSERT_EQ(f.size(), 4u * 402);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(f.substr(static_cast<std::size_t>(i) * 402 + 394, 8), "00000" + std::to_string(i + 1) + "\r\n");
  EXPECT_EQ(f.substr(402 + 62, 8), "12345678");
}

// Names and addresses typed with accents (the console code page) reach the bank as plain
// upper-case ASCII, each field at its width: no byte of the file lies outside 0x20..0x5F but
// the CR LF that ends each record.
TEST(Remessa, NamesAndAddressesGoWithoutAccentsInCapitals) {
  using namespace rt::text::literals;
  ContaBoleto c = conta(true);
  c.BOL_NOME = std::string("ESCRITÓRIO CONTÁBIL Nº 1"_cp);
  Boleto acentos{Decimal(1), Decimal(2), Date::fromYmd(2010, 7, 5), Decimal(10),
                 std::string("JOÃO DA CONCEIÇÃO ÂNGELO"_cp), "52998224725",
                 {std::string("Pça"_cp), std::string("São José é Ürün ½"_cp), std::string("12ª"_cp), std::string("Jd. Itú"_cp),
                  "01310100", std::string("Ribeirão Prêto"_cp), "sp"}};
  const std::string f = remessa(c, {acentos}, kHoje);
  ASSERT_EQ(f.size(), 3u * 402);
  for (std::size_t i = 0; i < f.size(); ++i) {
    if (i % 402 >= 400) continue;
    const auto byte = static_cast<unsigned char>(f[i]);
    EXPECT_TRUE(byte >= 0x20 && byte <= 0x5F) << "byte " << int(byte) << " at " << i;
  }
  EXPECT_EQ(f.substr(46, 30), pad("ESCRITORIO CONTABIL NO 1", 30));
  const std::string d = f.substr(402, 400);
  EXPECT_EQ(d.substr(234, 30), pad("JOAO DA CONCEICAO ANGELO", 30));
  EXPECT_EQ(d.substr(274, 5), "PCA  ");
  EXPECT_EQ(d.substr(280, 27), pad("SAO JOSE E URUN", 27));
  EXPECT_EQ(d.substr(308, 6), "12A   ");
  EXPECT_EQ(d.substr(314, 12), pad("JD. ITU", 12));
  EXPECT_EQ(d.substr(334, 15), pad("RIBEIRAO PRETO", 15));
  EXPECT_EQ(d.substr(349, 2), "SP");
}

TEST(Remessa, AmountsInExactCents) {
  for (const auto& [texto, esperado] : std::vector<std::pair<const char*, const char*>>{
           {"1234.56", "0000000123456"}, {"0.29", "0000000000029"}, {"0.01", "0000000000001"},
           {"999999999.99", "0099999999999"}}) {
    const std::string c = centavos(Decimal::parse(texto).value());
    EXPECT_EQ(c, esperado) << texto;
  }
}

TEST(Remessa, TheDaysFilesTakeTheNextFreeLetter) {
  std::set<std::string> ha;
  auto existe = [&ha](const std::string& n) { return ha.count(n) > 0; };
  EXPECT_EQ(nomeRemessa("/p/", Date::fromYmd(2010, 6, 5), existe), "/p/C100605A.txt");
  for (char l : {'A', 'B', 'C'}) ha.insert(std::string("/p/C100605") + l + ".txt");
  EXPECT_EQ(nomeRemessa("/p/", Date::fromYmd(2010, 6, 5), existe), "/p/C100605D.txt");
  for (char l = 'D'; l <= 'Z'; ++l) ha.insert(std::string("/p/C100605") + l + ".txt");
  EXPECT_EQ(nomeRemessa("/p/", Date::fromYmd(2010, 6, 5), existe), std::nullopt);
}

}  // namespace
}  // namespace office

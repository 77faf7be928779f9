// The rural pages of a taxpayer with activity in Brazil and abroad, with a herd, assets whose
// description runs over several lines and debts, against the expected pages kept in
// tests/print/paginas; and a taxpayer with activity only in Brazil.
#include <gtest/gtest.h>

#include <algorithm>

#include "declaracao_impressa.h"

namespace {

using Folhas = print_test::FolhasFixture;
using print_test::Campos;
using print_test::LinhaDeTabela;
using rt::text::Decimal;

const std::string kCpf = "11144477735";

Decimal v(const char* texto) { return Decimal::val(texto); }
std::string s(const char* t) { return t; }

std::vector<LinhaDeTabela> rural() {
  std::vector<LinhaDeTabela> d{{9, {{"NOMECONTR", s("JOSE DA ROCA")}, {"TEMRURAL", s("S")}}}};
  Campos brasil{{"ATV_BRASIL", s("S")}, {"I4R_01", v("100000")}, {"I4R_02", v("90000")}, {"I4R_03", v("10000")},
                {"I4R_05", v("10000")}, {"I4R_06", v("20000")}, {"I4R_07", v("10000")}, {"I5_09", v("500")},
                {"I6_10", v("500")}, {"I7_1B", Decimal(120)}, {"I7_2B", Decimal(30)}, {"I7_3B", Decimal(25)},
                {"I7_4B", Decimal(5)}, {"I7_5B", Decimal(40)}, {"I7_1S", Decimal(10)}, {"I7_5V1", Decimal(0)}};
  for (int mes = 1; mes <= 12; ++mes) {
    const std::string mm = (mes < 10 ? "0" : "") + std::to_string(mes);
    brasil.push_back({"I3_" + mm + "OR", mes == 3 ? v("28000") : v("6500")});
    brasil.push_back({"I3_" + mm + "OD", v("7500")});
  }
  d.push_back({15, brasil});
  d.push_back({15, {{"ATV_BRASIL", s("N")}, {"I4R_01", v("2000")}, {"I4R_03", v("3500")}, {"I4R_05", v("3500")},
                    {"I4R_07", v("3500")}, {"I7_1C", Decimal(7)}}});
  d.push_back({16, {{"ATV_BRASIL", s("S")}, {"I2R_07", Decimal(1)}, {"I2R_04", v("50")}, {"I2R_05", Decimal(1)},
                    {"I2R_01", s("FAZENDA BOA VISTA - ITU/SP")}, {"I2R_02", v("1250.5")}, {"I2R_03", s("12345678")}}});
  d.push_back({16, {{"ATV_BRASIL", s("N")}, {"I2R_07", Decimal(2)}, {"I2R_04", v("100")}, {"I2R_05", Decimal(2)},
                    {"I2R_01", s("ESTANCIA DEL SUR")}, {"I2R_02", v("300")}, {"I2R_06", s("AR-778899")},
                    {"CODPAIS", s("063")}, {"RECEXT", v("9000")}, {"DESEXT", v("5000")}, {"RESUS", v("2000")}}});
  d.push_back({17, {{"ATV_BRASIL", s("S")}, {"I8R_0", Decimal(1)}, {"CODIGO", Decimal(12)},
                    {"I8R_1", std::string(150, 'T')}, {"I8R_2", v("250000")}}});
  d.push_back({17, {{"ATV_BRASIL", s("S")}, {"I8R_0", Decimal(2)}, {"CODIGO", Decimal(15)},
                    {"I8R_1", s("TRATOR MF 275")}, {"I8R_2", v("80000")}}});
  d.push_back({18, {{"ATV_BRASIL", s("S")}, {"I9R_0", Decimal(1)}, {"I9R_1", std::string(80, 'D')},
                    {"I9R_2", v("30000")}, {"I9R_3", v("20000")}, {"I9R_4", v("10000")}}});
  return d;
}

TEST_F(Folhas, RuralPagesInBrazilAndAbroadWithHerdAssetsAndDebts) {
  declara(kCpf, rural());
  const auto ps = imprime(kCpf, 3, 1);
  // Page 1 and page 2 of each side.
  ASSERT_EQ(ps.size(), 4u);
  confere(ps, "rural");
}

TEST_F(Folhas, AWholeDeclarationWithRuralActivityEndsWithItsRuralPages) {
  declara(kCpf, rural());
  const auto ps = imprime(kCpf, 1, 1);
  std::vector<std::string> lados;
  for (const auto& p : ps)
    if (p.size() > 3 && p[3].starts_with("ATIVIDADE RURAL - ")) lados.push_back(p[3].substr(18));
  EXPECT_EQ(lados, (std::vector<std::string>{"BRASIL", "BRASIL", "EXTERIOR", "EXTERIOR"}));
}

TEST_F(Folhas, ActivityOnlyInBrazilPrintsNoPageAbroad) {
  auto d = rural();
  std::erase_if(d, [](const LinhaDeTabela& l) {
    for (const auto& [campo, valor] : l.campos)
      if (campo == "ATV_BRASIL" && valor == rt::text::Value(std::string("N"))) return true;
    return false;
  });
  declara(kCpf, d);
  const auto ps = imprime(kCpf, 3, 2);
  ASSERT_EQ(ps.size(), 1u);
  EXPECT_EQ(ps[0][3], "ATIVIDADE RURAL - BRASIL");
}

}  // namespace

namespace {

TEST_F(Folhas, LongRuralListsGoOnOverThePagesUnderTheirHeadings) {
  std::vector<LinhaDeTabela> d{{9, {{"NOMECONTR", s("JOSE DA ROCA")}}}, {15, {{"ATV_BRASIL", s("S")}}}};
  for (int i = 1; i <= 70; ++i)
    d.push_back({16, {{"ATV_BRASIL", s("S")}, {"I2R_07", Decimal(i % 99)}, {"I2R_01", "SITIO " + std::to_string(i)}}});
  for (int i = 1; i <= 40; ++i)
    d.push_back({17, {{"ATV_BRASIL", s("S")}, {"I8R_0", Decimal(i)}, {"CODIGO", Decimal(12)},
                      {"I8R_1", std::string(150, 'A')}, {"I8R_2", v("1000")}}});
  declara(kCpf, d);
  const auto ps = imprime(kCpf, 3, 1);
  int continuacoesImoveis = 0, continuacoesBens = 0;
  for (const auto& p : ps) {
    ASSERT_LE(p.size(), 62u);  // a table breaks once its row passes NROLINHAS, under its closing divider
    ASSERT_GE(p.size(), 7u);
    EXPECT_EQ(p[3], "ATIVIDADE RURAL - BRASIL");
    if (p[7].starts_with("CODIGO  PARTICIPACAO(%)")) ++continuacoesImoveis;
    if (p[6].starts_with("BENS DA ATIVIDADE RURAL") && p[8].starts_with("CODIGO  DISCRIMINACAO")) ++continuacoesBens;
    // The block of the monthly receipts is never split.
    const bool titulo = std::find(p.begin(), p.end(), "RECEITAS E DESPESAS") != p.end();
    const bool total = std::any_of(p.begin(), p.end(), [](const std::string& l) { return l.starts_with(" TOTAL"); });
    EXPECT_EQ(titulo, total);
  }
  EXPECT_EQ(continuacoesImoveis, 1);
  EXPECT_GE(continuacoesBens, 1);
}

}  // namespace

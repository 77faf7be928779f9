// Dividends by payer in this year's declaration: where they go among the payers and whose
// exempt amount they come off, read back from the payers' table.
#include <gtest/gtest.h>

#include <cstdlib>

#include "converter/receita_arquivo.h"
#include "receita_fixture.h"
#include "support/dbfread.h"

namespace converter::teste {
namespace {

const std::string kCpf = "11144477735";
const std::string kAlfa = "11222333000181", kBeta = "12345678000190", kGama = "60701190000104";

// The simplified totals: the titular's 1,000.00 exempt, 200.00 of them dividends; the
// dependants' exempt amount as given.
Reg totais(std::int64_t dependentes = 0) { return Reg("17").v(25, 20000).v(38, 80000).v(116, dependentes); }
Reg fonte(std::string_view tipo, const std::string& cnpj, std::string_view nome) {
  return tipo == "21" || tipo == "31" ? Reg(std::string(tipo)).t(12, cnpj).t(26, nome)
                                      : Reg(std::string(tipo)).t(12, "22233344405").t(23, cnpj).t(37, nome);
}
Reg dividendos(std::string_view quem, const std::string& cnpj, std::string_view nome, std::int64_t centavos) {
  return Reg("33").t(17, quem).t(18, cnpj).t(32, nome).v(92, centavos);
}

class ReceitaDividendosTest : public ReceitaFixture, public ::testing::Test {
 protected:
  void SetUp() override {
    if (!support::temDbfread()) GTEST_SKIP() << "no dbfread";
  }
};

// Each case a declaration; its payers' rows as kind, name, exempt amount, dividends.
TEST_F(ReceitaDividendosTest, DividendsGoToTheirPayerAndComeOffTheExemptAmountsBeforeIt) {
  struct Caso {
    const char* nome;
    std::vector<std::string> registros;
    std::vector<std::string> linhas;
  };
  const std::vector<Caso> casos = {
      {"the payer's own row first: its exempt amount loses the dividends",
       {totais(), fonte("31", kAlfa, "ALFA"), fonte("31", kBeta, "BETA"), dividendos("T", kAlfa, "ALFA", 30000)},
       {"J ALFA 700.00 300.00", "J BETA 0.00 0.00"}},
      {"a row of the kind before the payer's loses them too",
       {totais(), fonte("31", kAlfa, "ALFA"), fonte("31", kBeta, "BETA"), dividendos("T", kBeta, "BETA", 30000)},
       {"J ALFA 700.00 0.00", "J BETA 0.00 300.00"}},
      {"past a row with dividends no exempt amount is reduced",
       {totais(), fonte("21", kGama, "GAMA"), fonte("31", kAlfa, "ALFA"), fonte("31", kBeta, "BETA"),
        dividendos("T", kBeta, "BETA", 30000), dividendos("T", kGama, "GAMA", 5000),
        dividendos("T", "33000167000101", "DELTA", 10000)},
       {"J GAMA 0.00 50.00", "J ALFA 700.00 0.00", "J BETA 0.00 300.00", "J DELTA 0.00 100.00"}},
      {"the other kind is left alone, also with the same payer, and its dividends stop the reductions too",
       {totais(40000), fonte("31", kAlfa, "ALFA"), fonte("32", kAlfa, "ALFA DEP"), dividendos("D", kAlfa, "ALFA", 15000),
        dividendos("T", kAlfa, "ALFA", 10000), dividendos("D", kBeta, "BETA", 5000)},
       {"J ALFA 900.00 100.00", "D ALFA DEP 250.00 150.00", "D BETA 0.00 50.00"}},
      {"no row of the payer and kind: one is added, the exempt amount never below 0",
       {totais(40000), fonte("31", kAlfa, "ALFA"), dividendos("T", kBeta, "BETA", 120000),
        dividendos("D", kAlfa, "ALFA", 700)},
       {"J ALFA 0.00 0.00", "D  393.00 0.00", "J BETA 0.00 1200.00", "D ALFA 0.00 7.00"}},
  };
  int n = 0;
  for (const Caso& c : casos) {
    SCOPED_TRACE(c.nome);
    std::vector<std::string> linhas = {cabecalho("DECL", "2010"), identificacao(kCpf, "MARIA")};
    linhas.insert(linhas.end(), c.registros.begin(), c.registros.end());
    ASSERT_TRUE(FAZCONV(ctx, Modo::Declaracao, arquivo("D" + std::to_string(++n) + ".DEC", linhas)))
        << ::testing::PrintToString(fala.ditos);
    std::vector<std::string> vistas;
    for (const auto& l : tabela("IMP0210", kCpf))
      vistas.push_back(l.at("I1_1") + " " + l.at("I1_2") + " " + l.at("I1_9") + " " + l.at("I1_15"));
    EXPECT_EQ(vistas, c.linhas);
  }
  // The added row carries the payer punctuated as the others.
  EXPECT_EQ(tabela("IMP0210", kCpf).at(2).at("I1_3"), "12.345.678/0001-90");
}

}  // namespace
}  // namespace converter::teste

// The monthly split of a cell: the row's months go to the monthly grid with their second
// column, and what the user leaves there comes back into the row, its total and the
// carnê-leão's social security.
#include <gtest/gtest.h>

#include "fixture.h"
#include "rt/term/keys.h"

namespace {

using namespace rt::text::literals;
using grid::MesesValor;
using grid::teste::C;
using grid::teste::GridFixture;
using grid::teste::N;
using rt::text::Decimal;
using Lista = std::vector<std::string>;
namespace key = rt::term::key;

Decimal soma(const std::array<Decimal, 12>& v) {
  Decimal t;
  for (const Decimal& x : v) t += x;
  return t;
}

class Mensal : public GridFixture {
 protected:
  // The monthly grid as a user who types `valor` into month `mes` and leaves.
  void digitaNoMes(int mes, Decimal valor) {
    servicos.mensal = [this, mes, valor](MesesValor& m, int, Decimal) -> std::optional<Decimal> {
      visto = m;
      m.reais[static_cast<std::size_t>(mes - 1)] = valor;
      return soma(m.reais);
    };
  }
  std::string valor(store::Area area, const std::string& campo) {
    auto v = coluna(area, campo);
    return v.empty() ? "?" : v.front();
  }
  MesesValor visto;
};

TEST_F(Mensal, IncomeCellSpreadsIntoItsMonthsAndSumsThem) {
  tabela(store::Area::TMP_02);
  linha(store::Area::TMP_02, {{"CPF", C("12345678909")},
                              {"I1_1", C("J")},
                              {"I1_2", C("EMPRESA")},
                              {"I1_401", N(1000)},
                              {"I1_402", N(2000)},
                              {"I1_4", N(3000)},
                              {"I1_601", N(110)}});
  digitaNoMes(3, 1500_d);
  // Column 2 is the income.
  teclas().press(key::Right).press(key::AltU).press(key::Esc);
  grid::EDITA(ctx, g, 1);
  // The grid was given the months in reais and in dollars at each month's rate, cut to cents.
  EXPECT_EQ(visto.reais[0], 1000_d);
  EXPECT_EQ(visto.reais[1], 2000_d);
  EXPECT_EQ(visto.segunda[0], 431.74_d);  // 1000 / 2.3162
  EXPECT_EQ(visto.segunda[1], 840.90_d);  // 2000 / 2.3784
  EXPECT_FALSE(visto.GPS);
  EXPECT_EQ(valor(store::Area::TMP_02, "I1_403"), "1500");
  EXPECT_EQ(valor(store::Area::TMP_02, "I1_4"), "4500");
  // Another column's months stay as they were.
  EXPECT_EQ(valor(store::Area::TMP_02, "I1_601"), "110");
  EXPECT_TRUE(servicos.chamou("FI1_T(1)"));
}

TEST_F(Mensal, MonthlyGridLoadingItsOwnColumnsDoesNotMisdirectTheTotal) {
  tabela(store::Area::TMP_02);
  linha(store::Area::TMP_02,
        {{"CPF", C("12345678909")}, {"I1_1", C("J")}, {"I1_2", C("EMPRESA")}, {"I1_601", N(100)}});
  servicos.mensal = [this](MesesValor& m, int, Decimal) -> std::optional<Decimal> {
    // The matrix grid puts its own columns and cursor into the grid's arrays.
    g.OPC = 7;
    g.TABCPOIN = {"MES", "REAL", "DOLAR"};
    g.PONTEIRO = 1;
    m.reais[0] = 250_d;
    return soma(m.reais);
  };
  teclas().press(key::Right).press(key::Right).press(key::AltU).press(key::Esc);
  grid::EDITA(ctx, g, 1);
  EXPECT_EQ(valor(store::Area::TMP_02, "I1_6"), "250");
  EXPECT_EQ(valor(store::Area::TMP_02, "I1_2"), "EMPRESA");
  EXPECT_EQ(g.OPC, 1);
}

TEST_F(Mensal, SplittingASalaryLeavesTheSelfPaidSocialSecurityAlone) {
  tabela(store::Area::TMP_02);
  linha(store::Area::TMP_02,
        {{"CPF", C("12345678909")}, {"I1_1", C("J")}, {"I1_2", C("EMPRESA")}, {"I1_601", N(100)}});
  digitaNoMes(2, 100_d);
  // Column 3 is the social security withheld: its months are the row's, and no carnê-leão
  // total is touched (an amount typed with CAL_AUTO 2 or 4 stays).
  teclas().press(key::Right).press(key::Right).press(key::AltU).press(key::Esc);
  grid::EDITA(ctx, g, 1);
  EXPECT_EQ(valor(store::Area::TMP_02, "I1_602"), "100");
  EXPECT_EQ(valor(store::Area::TMP_02, "I1_6"), "200");
  for (const std::string& c : servicos.chamadas) {
    EXPECT_EQ(c.rfind("CARNEINSS", 0), std::string::npos) << c;
    EXPECT_EQ(c.rfind("CARNEDEPEN", 0), std::string::npos) << c;
  }
}

TEST_F(Mensal, SelfPaidSocialSecurityRowSetsTheCarneLeaoTotal) {
  tabela(store::Area::TMP_02);
  g.I1_1 = "P";
  g.I1_11 = "S";
  g.POSHORMAT = 5;
  linha(store::Area::TMP_02,
        {{"CPF", C("12345678909")}, {"I1_1", C("P")}, {"I1_11", C("S")}, {"I1_401", N(300)}});
  digitaNoMes(12, 350_d);
  // On screen 24 Enter is the split.
  teclas().press(key::Enter).press(key::Esc);
  grid::EDITA(ctx, g, 24);
  EXPECT_EQ(valor(store::Area::TMP_02, "I1_412"), "350");
  EXPECT_EQ(valor(store::Area::TMP_02, "I1_4"), "650");
  EXPECT_TRUE(servicos.chamou("CARNEINSS=650.00"));
  EXPECT_TRUE(servicos.chamou("FDE_LEAO(1)"));

  // A dependant's row gives the dependant's total.
  g.I1_11 = "N";
  g.CPFDEPEN = "00000000002";
  linha(store::Area::TMP_02, {{"CPF", C("12345678909")},
                              {"I1_1", C("P")},
                              {"I1_11", C("N")},
                              {"I1_8", C("00000000002")},
                              {"I1_405", N(40)}});
  (void)ctx.areas.select(store::Area::TMP_02);
  digitaNoMes(6, 60_d);
  teclas().press(key::Enter).press(key::Esc);
  grid::EDITA(ctx, g, 24);
  EXPECT_TRUE(servicos.chamou("CARNEDEPEN=100.00"));
}

TEST_F(Mensal, TypingOnTheCarneLeaoDetailOpensTheMonthsOfANewRow) {
  tabela(store::Area::TMP_02);
  g.I1_1 = "F";
  g.I1_11 = "S";
  digitaNoMes(1, 80_d);
  // An empty grid: the split appends the row with its links first.
  teclas().press(key::Enter).press(key::Esc);
  grid::EDITA(ctx, g, 24);
  EXPECT_EQ(coluna(store::Area::TMP_02, "I1_1"), Lista{"F"});
  EXPECT_EQ(coluna(store::Area::TMP_02, "CPF"), Lista{"12345678909"});
  EXPECT_EQ(valor(store::Area::TMP_02, "I1_401"), "80");
  EXPECT_EQ(valor(store::Area::TMP_02, "I1_4"), "80");
}

TEST_F(Mensal, DomesticEmployeeSocialSecurityDeductsTheEmployersPart) {
  tabela(store::Area::TMP_06);
  linha(store::Area::TMP_06, {{"CPF", C("12345678909")},
                              {"I6_1", C("EMPREGADA")},
                              {"I6_3", N(50)},
                              {"I6_401", N(100)},
                              {"I6_4", N(60)}});
  servicos.mensal = [this](MesesValor& m, int, Decimal) -> std::optional<Decimal> {
    visto = m;
    // The user types 200 into February; the grid works out the employer's part beside it.
    m.reais[1] = 200_d;
    m.segunda[1] = 120_d;
    return soma(m.reais);
  };
  // Column 5 is the total paid.
  teclas().press(key::Right).press(key::Right).press(key::Right).press(key::Right).press(key::AltU).press(key::Esc);
  grid::EDITA(ctx, g, 4);
  EXPECT_TRUE(visto.GPS);
  EXPECT_EQ(visto.segunda[0], 60_d);  // 100 / 0.2 x 0.12
  EXPECT_EQ(valor(store::Area::TMP_06, "I6_402"), "200");
  // The total deducted is the employer's part of every month.
  EXPECT_EQ(valor(store::Area::TMP_06, "I6_4"), "180");
  EXPECT_TRUE(servicos.chamou("JA_CALC"));
  EXPECT_TRUE(servicos.chamou("valida FDOAPAG"));
}

TEST_F(Mensal, UnchangedPaymentTotalWritesNothing) {
  tabela(store::Area::TMP_06);
  linha(store::Area::TMP_06, {{"CPF", C("12345678909")},
                              {"I6_1", C("MEDICO")},
                              {"I6_3", N(10)},
                              {"I6_401", N(100)},
                              {"I6_4", N(100)}});
  servicos.mensal = [](MesesValor& m, int, Decimal) -> std::optional<Decimal> { return soma(m.reais); };
  teclas().press(key::Right).press(key::Right).press(key::Right).press(key::Right).press(key::AltU).press(key::Esc);
  grid::EDITA(ctx, g, 4);
  EXPECT_FALSE(servicos.chamou("JA_CALC"));
  EXPECT_EQ(valor(store::Area::TMP_06, "I6_4"), "100");
}

TEST_F(Mensal, ColumnsWithoutMonthsDoNothing) {
  tabela(store::Area::TMP_02);
  linha(store::Area::TMP_02,
        {{"CPF", C("12345678909")}, {"I1_1", C("D")}, {"I1_2", C("EMPRESA")}, {"I1_8", C("00000000002")}});
  digitaNoMes(1, 10_d);
  // Screen 2's dependant CPF column and its name column.
  teclas().press(key::AltU).press(key::Right).press(key::AltU).press(key::Esc);
  grid::EDITA(ctx, g, 2);
  EXPECT_FALSE(servicos.chamou("MUDATEL13"));
  EXPECT_EQ(valor(store::Area::TMP_02, "I1_4"), "0");
}

TEST_F(Mensal, LeavingTheMonthlyGridWithoutATotalKeepsTheRow) {
  tabela(store::Area::TMP_02);
  linha(store::Area::TMP_02,
        {{"CPF", C("12345678909")}, {"I1_1", C("J")}, {"I1_401", N(10)}, {"I1_4", N(10)}});
  teclas().press(key::Right).press(key::AltU).press(key::Esc);
  grid::EDITA(ctx, g, 1);
  EXPECT_TRUE(servicos.chamou("MUDATEL13"));
  EXPECT_EQ(valor(store::Area::TMP_02, "I1_4"), "10");
  EXPECT_EQ(valor(store::Area::TMP_02, "I1_401"), "10");
}

TEST_F(Mensal, AssetValueIsTakenFromTheLastMonth) {
  tabela(store::Area::TMP_04);
  linha(store::Area::TMP_04,
        {{"CPF", C("12345678909")}, {"I7_1", N(1)}, {"I7_2", C("CASA")}, {"I7_4", N(700)}});
  g.ULT_MES = 12;
  int mesVisto = 0;
  Decimal valorVisto;
  servicos.mensal = [&](MesesValor& m, int mes, Decimal v) -> std::optional<Decimal> {
    mesVisto = mes;
    valorVisto = v;
    EXPECT_EQ(soma(m.reais), Decimal());
    return 900_d;
  };
  // Screen 5: item, description, 2008, 2009.
  teclas().press(key::Right).press(key::Right).press(key::Right).press(key::AltU).press(key::Esc);
  grid::EDITA(ctx, g, 5);
  EXPECT_EQ(mesVisto, 12);
  EXPECT_EQ(valorVisto, 700_d);
  EXPECT_EQ(valor(store::Area::TMP_04, "I7_4"), "900");
  EXPECT_TRUE(servicos.chamou("FI7_T(5)"));
}

TEST_F(Mensal, OnTheCarneLeaoDetailEnterEditsTheNameAndSplitsTheTotal) {
  tabela(store::Area::TMP_02);
  g.I1_1 = "F";
  g.I1_11 = "S";
  g.POSHORMAT = 2;
  linha(store::Area::TMP_02,
        {{"CPF", C("12345678909")}, {"I1_1", C("F")}, {"I1_11", C("S")}, {"I1_2", C("JOAO")}});
  digitaNoMes(4, 900_d);
  // The grid starts on the total: Enter splits it; on the name Enter opens the cell.
  teclas().press(key::Enter).press(key::Left).press(key::Enter).type("JOAO PEREIRA").press(key::Enter).press(key::Esc);
  grid::EDITA(ctx, g, 17);
  EXPECT_EQ(valor(store::Area::TMP_02, "I1_404"), "900");
  EXPECT_EQ(valor(store::Area::TMP_02, "I1_4"), "900");
  EXPECT_EQ(valor(store::Area::TMP_02, "I1_2"), "JOAO PEREIRA");
  EXPECT_EQ(servicos.conta("MUDATEL13"), 1);
}

TEST_F(Mensal, MaintenanceExpenseIsSplitFromItsColumn) {
  tabela(store::Area::TMP_10);
  linha(store::Area::TMP_10, {{"DESCRITEM", C("CASA")}, {"VALODESP", N(120)}});
  (void)ctx.areas.select(store::Area::TMP_10);
  int mesVisto = 0;
  servicos.mensal = [&](MesesValor&, int mes, Decimal) -> std::optional<Decimal> {
    mesVisto = mes;
    return 1440_d;
  };
  teclas().press(key::AltU).press(key::Right).press(key::Right).press(key::AltU).press(key::Esc);
  grid::EDITA(ctx, g, 15);
  // Only the value column splits; the month given is the column's number.
  EXPECT_EQ(servicos.conta("MUDATEL13"), 1);
  EXPECT_EQ(mesVisto, 3);
  EXPECT_EQ(valor(store::Area::TMP_10, "VALODESP"), "1440");
}

}  // namespace

// The variable-income statement: the quarter tables from the print copy and the printed
// layout, column by column.
#include <gtest/gtest.h>

#include "print/renda_variavel.h"
#include "print/trabalho.h"
#include "print_fixture.h"
#include "rt/dev/target.h"
#include "rt/text/strings.h"
#include "store/abertura.h"

namespace {

using rt::text::Decimal;

class RendaVariavelTest : public print_test::PrintFixture {
 protected:
  // Rows of table 07 for the CPF: (RVAR_NRO, DAY_TRADE, month, value, TIPO_BEM).
  void linha(int nro, const char* dayTrade, int mes, long valor, int tipo = 4) {
    ASSERT_TRUE(store::ABERTURA(ctx, store::Area::IMP0710, true));
    rt::db::Table& t = *ctx.areas.table(store::Area::IMP0710);
    ASSERT_TRUE(t.appendBlank());
    ASSERT_TRUE(t.put("CPF", cpf));
    ASSERT_TRUE(t.put("TIPO_BEM", Decimal::fromInt(tipo)));
    ASSERT_TRUE(t.put("RVAR_NRO", Decimal::fromInt(nro)));
    ASSERT_TRUE(t.put("DAY_TRADE", std::string(dayTrade)));
    ASSERT_TRUE(t.put(std::string("REC_MES") + (mes < 10 ? "0" : "") + std::to_string(mes), Decimal::fromInt(valor)));
    ASSERT_TRUE(t.commit());
    (void)ctx.areas.close(store::Area::IMP0710);
  }
  const std::string cpf = "12345678909";
};

TEST_F(RendaVariavelTest, QuartersFillTheirLinesAndPrintInTheirColumns) {
  linha(1, "1", 1, 100);
  linha(1, "2", 2, 50);        // day trade of February: column 4
  linha(1, "1", 3, 70);        // a later row of line 1 replaces the earlier one's columns
  linha(19, "1", 3, 7);
  linha(30, "1", 1, 999);      // no such line: left out
  linha(2, "1", 1, 555, 1);    // a capital-gain operation, not variable income
  ASSERT_TRUE(print::INIVAR(ctx, cpf, 7, 8));
  const print::QuadroTrimestre q = print::quadroDoTrimestre(ctx, 1);
  EXPECT_EQ(q[0][0], Decimal()) << "replaced by the later row of line 1";
  EXPECT_EQ(q[0][4], Decimal::fromInt(70));
  EXPECT_EQ(q[0][3], Decimal::fromInt(50)) << "the day-trade row keeps its own columns";
  EXPECT_EQ(q[18][4], Decimal::fromInt(7));
  EXPECT_EQ(q[1][0], Decimal());

  std::string saida;
  imp.dispositivo.route(rt::dev::stringTarget(saida));
  imp.LIN_DIV2 = std::string(132, '_');
  print::GRV_IMP(ctx, imp, cpf, "FULANO DE TAL");
  ASSERT_TRUE(imp.dispositivo.close());
  std::vector<std::string> linhas;
  for (std::size_t at = 0; at < saida.size();) {
    const std::size_t fim = saida.find("\r\n", at);
    linhas.push_back(saida.substr(at, fim == std::string::npos ? std::string::npos : fim - at));
    if (fim == std::string::npos) break;
    at = fim + 2;
  }
  ASSERT_GE(linhas.size(), 33u);
  EXPECT_EQ(linhas[0], imp.seq.STRING[1] + "CPF: 123.456.789-09 Nome: FULANO DE TAL");
  EXPECT_EQ(linhas[1], "APURACAO DE GANHOS OU PERDAS E DO IMPOSTO NA RENDA VARIAVEL");
  EXPECT_EQ(linhas[5], std::string(43, ' ') +
                           "Comuns mes 01  D.trade mes 01 Comuns mes 02  D.Trade mes 02 Comuns mes 03  D.Trade mes 03");
  // A line as the printer lays it: texts at their columns, zeros blank.
  auto poe = [](std::string& l, int coluna, const std::string& texto) {
    if (l.size() < static_cast<std::size_t>(coluna) + texto.size()) l.resize(static_cast<std::size_t>(coluna) + texto.size(), ' ');
    l.replace(static_cast<std::size_t>(coluna), texto.size(), texto);
  };
  const std::string vazio(14, ' ');
  std::string l1 = " " + rt::text::padr("01.Mercado a Vista - Acoes", 40);
  for (int c = 0; c < 6; ++c) poe(l1, 42 + 15 * c, c == 3 ? "         50,00" : c == 4 ? "         70,00" : vazio);
  EXPECT_EQ(linhas[6], l1);
  std::string l19 = " " + rt::text::padr("19.Imposto devido", 40);
  for (int c = 0; c < 3; ++c) poe(l19, 50 + 30 * c, c == 2 ? "          7,00" : vazio);
  EXPECT_EQ(linhas[24], l19);
  EXPECT_EQ(linhas[32], imp.LIN_DIV2);
}

}  // namespace

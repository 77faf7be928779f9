// The page mechanics of the reports: a table that reaches the foot of the 60-line page carries
// its subtotal there and goes on under the header of the next page; PULA_PAG keeps a block on
// one page; the captured stream reads back as pages of text.
#include <gtest/gtest.h>

#include "paginas.h"
#include "print/pagina.h"
#include "rt/dev/target.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"

namespace {

using print::Pagina;
using rt::text::Decimal;

struct Captura {
  Captura() { imp.dispositivo.route(rt::dev::stringTarget(bytes)); }
  std::vector<print_test::Pagina> paginas() {
    (void)imp.dispositivo.close();
    return print_test::paginas(bytes);
  }
  std::string bytes;
  print::Impressao imp;
};

// A three-row header; `linhas` rows of 1.00 each, with the running sum carried over the break.
std::vector<print_test::Pagina> tabela(int linhas) {
  Captura c;
  Pagina p(c.imp, [](Pagina& q) {
    q.linha(0, "CABECALHO");
    q.linha(0, "Nome: TESTE");
    q.linha(0, "----");
  });
  p.cabecalho();
  Decimal soma;
  for (int i = 1; i <= linhas; ++i) {
    p.diz(0, "LINHA " + std::to_string(i));
    p.valor(20, Decimal(1));
    p.avanca();
    soma += Decimal(1);
    if (p.passou(3) && i < linhas)
      p.continua([&] { p.diz(0, "VALORES PARCIAIS "); p.valor(20, soma); p.avanca(); },
                 [&] { p.linha(0, "TITULO DA TABELA"); });
  }
  p.diz(0, "TOTAL");
  p.valor(20, soma);
  p.avanca();
  return c.paginas();
}

// A row of the test table: its label and its amount at column 20.
std::string linha(std::string_view rotulo, int valor) {
  return rt::text::padr(rotulo, 20) + rt::text::transform(Decimal(valor), print::kValor);
}

TEST(Pagina, TableCarriesItsSubtotalAtTheFootAndGoesOnUnderTheHeader) {
  // Rows 3..57 hold 55 rows. After the row printed at row 57 the next row is 58 > 60 - 3: the
  // subtotal goes to row 58 and the break's blank to row 59, the 60th line.
  auto ps = tabela(56);
  ASSERT_EQ(ps.size(), 2u);
  ASSERT_EQ(ps[0].size(), 59u);
  EXPECT_EQ(ps[0][57], linha("LINHA 55", 1));
  EXPECT_EQ(ps[0][58], linha("VALORES PARCIAIS ", 55));
  EXPECT_EQ(ps[1][0], "CABECALHO");
  EXPECT_EQ(ps[1][3], "TITULO DA TABELA");
  EXPECT_EQ(ps[1][4], linha("LINHA 56", 1));
  EXPECT_EQ(ps[1][5], linha("TOTAL", 56));

  // One row fewer ends on the page's row 57 with its total at row 58: no break.
  ps = tabela(55);
  ASSERT_EQ(ps.size(), 1u);
  EXPECT_EQ(ps[0][58], linha("TOTAL", 55));
}

TEST(Pagina, BlockThatWouldPassTheLastRowStartsANewPage) {
  for (const auto& [k, quebra] : std::vector<std::pair<int, bool>>{{10, false}, {11, true}}) {
    Captura c;
    Pagina p(c.imp, [](Pagina& q) { q.linha(0, "CABECALHO"); });
    c.imp.QLIN = 50;
    p.PULA_PAG(k);
    p.linha(2, "BLOCO");
    const auto ps = c.paginas();
    ASSERT_EQ(ps.size(), quebra ? 2u : 1u) << k;
    EXPECT_EQ(ps.back()[quebra ? 1 : 50], "  BLOCO") << k;
    if (quebra) {
      EXPECT_EQ(ps.back()[0], "CABECALHO");
    }
  }
}

TEST(Pagina, PitchSwitchOnANewRowStartsTheRowWithoutBlanks) {
  Captura c;
  c.imp.seq.STRING[0] = "\x12";
  Pagina p(c.imp);
  p.linha(0, "LINHA LONGA");
  p.normal();
  p.linha(0, "TITULO");
  (void)c.imp.dispositivo.close();
  EXPECT_EQ(c.bytes, "LINHA LONGA\r\n\x12TITULO");
}

TEST(Pagina, StreamReadsBackWithoutControlBytesAndSharesWithBaseZeroAreBlank) {
  const auto ps = print_test::paginas("\x1b&l0E\x1b&l74P\x0f" "ABC   Z\r   DEF\r\n\x12x\f\rP2\r\n");
  ASSERT_EQ(ps.size(), 2u);
  EXPECT_EQ(ps[0], (print_test::Pagina{"ABCDEFZ", "x"}));
  EXPECT_EQ(ps[1], (print_test::Pagina{"P2"}));

  EXPECT_EQ(print::percentual(Decimal(5), Decimal()), Decimal());
  EXPECT_EQ(rt::text::transform(print::percentual(Decimal(5), Decimal()), "@Z 999.99"), "      ");
  EXPECT_EQ(print::percentual(Decimal(5000), Decimal(100000)), Decimal(5));
  // Shares of 1000% or more, or -100% or less, do not fit their picture: a mark, no crash.
  EXPECT_EQ(rt::text::transform(print::percentual(Decimal(15), Decimal(1)), "@Z 999.99"), "***.**");
  EXPECT_EQ(rt::text::transform(print::percentual(Decimal(-2), Decimal(1)), "@Z 999.99"), "***.**");
}

TEST(Pagina, DividersAreUnderscoresForTheNaoDosCaptureElseTheSheetsOwnDash) {
  print::Impressao imp;
  imp.conf.NOMEIMP = "NAO DOS";
  print::defineDivisores(imp, '-');
  EXPECT_EQ(imp.LIN_DIV1, std::string(80, '_'));
  EXPECT_EQ(imp.LIN_DIV2, std::string(135, '_'));
  EXPECT_EQ(imp.LIN_DIV3, std::string(105, '_'));
  imp.conf.NOMEIMP = "Impressora padrao";
  print::defineDivisores(imp, '-');
  EXPECT_EQ(imp.LIN_DIV1, std::string(79, '-'));
  EXPECT_EQ(imp.LIN_DIV2, std::string(132, '-'));
  EXPECT_EQ(imp.LIN_DIV3, std::string(105, '-'));
}

}  // namespace

// The screens' boxes as a clerk sees them: the rural months labelled on their own rows, and
// the windows, grids and menus drawn inside their frames instead of over them.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "declaracao_fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/decimal.h"
#include "rt/text/strings.h"
#include "rt/text/transform.h"

namespace screens::teste {
namespace {

using namespace rt::text::literals;
namespace key = rt::term::key;
using rt::text::Decimal;

using Tela = std::vector<std::string>;

bool umDe(char c, std::string_view cp860) { return cp860.find(c) != std::string_view::npos; }

// Whether the box on rows top-bottom and columns left-right of a screen is whole: its corners,
// line characters all down its sides, and along its top and bottom lines (unless `linhas` is
// false: a field shown on the line leaves its place blank) no gap of more than two blanks (the
// blanks around a caption).
::testing::AssertionResult caixaInteira(const Tela& t, int top, int left, int bottom, int right, bool linhas = true) {
  if (t.size() <= static_cast<std::size_t>(bottom)) return ::testing::AssertionFailure() << "no such screen";
  const std::string_view vertical = "│║├┤╟╢╞╡"_cp, horizontal = "─═┬┴╤╧╥╨┼"_cp;
  const std::string_view cantos[4] = {"┌╔├╓╒"_cp, "┐╗┤╖╕"_cp, "└╚├╙╘"_cp, "┘╝┤╜╛"_cp};
  const auto em = [&t](int r, int c) { return t[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]; };
  const auto falha = [&t](int r, const char* o) {
    return ::testing::AssertionFailure() << o << " broken on row " << r << ": " << rt::text::cp860ToUtf8(t[static_cast<std::size_t>(r)]);
  };
  if (!umDe(em(top, left), cantos[0]) || !umDe(em(top, right), cantos[1])) return falha(top, "top corner");
  if (!umDe(em(bottom, left), cantos[2]) || !umDe(em(bottom, right), cantos[3])) return falha(bottom, "bottom corner");
  for (int r = top + 1; r < bottom; ++r)
    if (!umDe(em(r, left), vertical) || !umDe(em(r, right), vertical)) return falha(r, "side");
  for (int r : {top, bottom}) {
    if (!linhas) break;
    int brancos = 0;
    for (int c = left + 1; c < right; ++c) {
      brancos = em(r, c) == ' ' ? brancos + 1 : 0;
      if (brancos > 2) return falha(r, "line");
    }
    if (!umDe(em(r, left + 1), horizontal) || !umDe(em(r, right - 1), horizontal)) return falha(r, "line end");
  }
  return ::testing::AssertionSuccess();
}

std::string mostra(const Tela& t) {
  std::string s;
  for (const std::string& l : t) s += rt::text::cp860ToUtf8(l) + "\n";
  return s;
}

// The row of a screen holding a text, -1 when none does.
int linhaDe(const Tela& t, std::string_view texto) {
  for (std::size_t r = 0; r < t.size(); ++r)
    if (t[r].find(texto) != std::string::npos) return static_cast<int>(r);
  return -1;
}

std::string valor(int v) { return rt::text::padl(rt::text::transform(Decimal::fromInt(v), "@Ez 999,999,999.99"), 14); }

class Quadros : public DeclaracaoFixture {
 protected:
  void rural() {
    aoEntrar = [](shell::Declara& d, int n) {
      if (n == 6) d.dec.espelho.registro.txt("TEMRURAL", "S");
    };
  }
};

// Screen 12 abroad: the year's sums of the properties (the result in dollars, the 20% option
// in dollars and in reais) stand beside their labels under the grid, and the grid's bottom
// line stays whole when a receipt, an expense or a rate recomputes them.
TEST_F(Quadros, TheForeignRuralSumsStandBesideTheirLabelsUnderTheGrid) {
  aoEntrar = [](shell::Declara& d, int n) {
    if (n != 6) return;
    d.dec.espelho.registro.txt("TEMRURAL", "S");
    d.dec.espelho.registro.txt("ATV_BRASIL", "N");
  };
  novo(kNovo);
  term.press(key::F12);
  for (const char* v : {"10", "100", "1", "FAZENDA", "ASSUNCAO", "100"}) {
    term.type(v);
    term.press(key::Enter);
  }
  term.press(key::Right);  // the country left as it is
  for (const char* v : {"500000", "300000", "2"}) {
    term.type(v);
    term.press(key::Enter);
  }
  term.press(key::Left);
  term.press(key::Left);
  term.type("250000");  // the expenses again, with the rate known
  term.press(key::Enter);
  term.press(key::Tab);  // to the months and back: the sums are there when the screen opens
  term.press(key::F12);
  termina('S');
  roda();
  for (const char* momento : {"250.000,00", "Termina"}) {
    const Tela t = gravador.ultima("Exterior", momento);
    ASSERT_FALSE(t.empty()) << momento;
    const int rodape = linhaDe(t, std::string("┴"_cp));
    ASSERT_GT(rodape, 0) << mostra(t);
    const std::string& linha = t[static_cast<std::size_t>(rodape)];
    const std::size_t de = linha.find_first_of(std::string("─┴"_cp)), ate = linha.find_last_of(std::string("─┴"_cp));
    EXPECT_EQ(linha.substr(de, ate - de).find(' '), std::string::npos) << mostra(t);
    const int usd = linhaDe(t, "20% da Receita Bruta US$");
    ASSERT_GT(usd, rodape) << mostra(t);
    const std::string& soma = t[static_cast<std::size_t>(usd)];
    EXPECT_NE(soma.find("Resultado US$" + std::string(8, ' ') + valor(125000)), std::string::npos) << mostra(t);
    EXPECT_NE(soma.find("20% da Receita Bruta US$ " + valor(50000)), std::string::npos) << mostra(t);
    EXPECT_NE(t[static_cast<std::size_t>(usd + 1)].find("20% da Receita Bruta R$  " + valor(87020)), std::string::npos)
        << mostra(t);
    // Nothing written over the frame's right side.
    EXPECT_EQ(soma.substr(76, 3), "   ");
  }
}

// Screen 13: each month's receipts stand beside its name, the year's beside " TOTAIS ", the
// mark of a month whose expenses pass its receipts beside that month, and the note about the
// marks inside the frame, whose bottom line stays whole.
TEST_F(Quadros, TheRuralMonthsStandBesideTheirNames) {
  rural();
  novo(kNovo);
  term.press(key::F12);
  term.press(key::Tab);  // the months
  for (int mes = 1; mes <= 12; ++mes) {
    term.type(std::to_string(mes * 100));
    term.press(key::Enter);
    term.press(key::Down);
  }
  term.press(key::CtrlPgUp);
  term.press(key::Down);
  term.press(key::Down);
  term.press(key::Right);
  term.type("9999");  // March's expenses, more than its receipts
  term.press(key::Enter);
  termina('S');
  roda();
  // The last screen before the end question covers the months.
  const Tela t = gravador.ultima(" (3) RECEITAS E DESPESAS ", "  Abril  ");
  ASSERT_FALSE(t.empty());
  static const char* const kMeses[12] = {" Janeiro ", "Fevereiro", "  Marco  ", "  Abril  ", "  Maio   ", "  Junho  ",
                                         "  Julho  ", " Agosto  ", "Setembro ", " Outubro ", "Novembro ", "Dezembro"};
  for (int mes = 1; mes <= 12; ++mes) {
    const int r = linhaDe(t, kMeses[mes - 1]);
    ASSERT_GE(r, 0) << mes << "\n" << mostra(t);
    EXPECT_NE(t[static_cast<std::size_t>(r)].find(valor(mes * 100) + std::string("│"_cp)), std::string::npos) << rt::text::cp860ToUtf8(t[static_cast<std::size_t>(r)]);
    EXPECT_EQ(t[static_cast<std::size_t>(r)][30], mes == 3 ? '*' : ' ') << mes;
  }
  const int totais = linhaDe(t, " TOTAIS ");
  ASSERT_GE(totais, 0);
  EXPECT_NE(t[static_cast<std::size_t>(totais)].find(valor(7800) + std::string("│"_cp)), std::string::npos);
  EXPECT_GT(linhaDe(t, "* indica despesa maior que receita"), totais);
  EXPECT_TRUE(caixaInteira(t, 2, 20, 23, 79));
}

// The windows and grids of the declaration inside their frames: the monthly window (Alt+U on
// a payer) in a box of its own with its hint; a new dependant numbered at once; screen 4's
// payments inside the form's frame with one bottom line; the rural activity's code menu; the herd's names; the variable-income
// matrix; the balance's amounts in two columns.
TEST_F(Quadros, WindowsGridsAndMenusStayInsideTheirFrames) {
  rural();
  novo(kNovo);
  term.press(key::F1);
  term.type("EMPRESA X");
  term.press(key::Enter);
  term.type("80000");
  term.press(key::Enter);
  term.press(key::Left);
  term.press(key::AltU);  // the payer's months
  term.press(key::Esc);
  term.press(key::F4);
  term.type("FILHO UM");
  term.press(key::Enter);
  term.press(key::Tab);  // the payments
  term.press(key::F12);
  term.type("5");  // no such activity: the code menu
  term.press(key::Enter);
  term.pause();
  term.press('1');
  term.press(key::Tab);  // 13
  term.press(key::Tab);  // 14
  term.press(key::Tab);  // 15, the herd
  term.press(key::F9);
  term.type("1");
  term.press(key::Enter);  // the ordinary operations' matrix
  term.press(key::F10);  // its matrix is stored with a notice, which drops the keys typed ahead
  term.pause();
  termina('S');
  roda();

  const Tela mensal = gravador.ultima("Alt B=Busca valor", "Dezembro");
  EXPECT_TRUE(caixaInteira(mensal, 4, 9, 21, 43));
  EXPECT_EQ(linhaDe(mensal, "Alt B=Busca valor"), 20);

  // The new dependant is numbered as soon as his name is in, while his grid is open.
  EXPECT_GE(linhaDe(gravador.ultima("FILHO UM", "[Tab]=Pagamentos efetuados"), "   1│FILHO UM"_cp), 0);
  const Tela pagamentos = gravador.ultima("Esc=Fim Alt F4=Tela Aux.", "FILHO UM");
  EXPECT_TRUE(caixaInteira(pagamentos, 1, 0, 23, 79, false));
  EXPECT_EQ(linhaDe(pagamentos, "(7)RELAÇÃO DE PAGAMENTOS E DOAÇÕES EFETUADOS"_cp), 10);
  EXPECT_EQ(linhaDe(pagamentos, " Não dedutível "_cp), 23);

  const Tela menu = gravador.ultima("DIGITE UM DOS NUMEROS ACIMA");
  const int r = linhaDe(menu, "DIGITE UM DOS NUMEROS ACIMA");
  ASSERT_GT(r, 0);
  const int esquerda = static_cast<int>(menu[static_cast<std::size_t>(r)].find("DIGITE")) - 1;
  const int direita = static_cast<int>(menu[static_cast<std::size_t>(r)].find("│"_cp, static_cast<std::size_t>(esquerda + 1)));
  EXPECT_TRUE(caixaInteira(menu, r - 10, esquerda, r + 1, direita));

  EXPECT_TRUE(caixaInteira(gravador.ultima(" Bovinos e Bufalinos "), 5, 1, 17, 79));
  EXPECT_TRUE(caixaInteira(gravador.ultima("01.Mercado"), 1, 1, 23, 79)) << mostra(gravador.ultima("01.Mercado"));

  // The balance: the income and the total of the receipts end on one column.
  const Tela balanco = gravador.ultima("Total das receitas", "Custo bens do ano");  // before the end question
  const int renda = linhaDe(balanco, "(1)Rend. tributáveis"_cp), total = linhaDe(balanco, "Total das receitas");
  ASSERT_GE(renda, 0);
  ASSERT_GE(total, 0);
  const auto fimDoValor = [&balanco](int linha) { return balanco[static_cast<std::size_t>(linha)].find_last_of("0123456789", 39); };
  EXPECT_NE(balanco[static_cast<std::size_t>(renda)].find("80.000,00"), std::string::npos);
  EXPECT_EQ(fimDoValor(renda), fimDoValor(total)) << mostra(balanco);
  EXPECT_TRUE(caixaInteira(balanco, 1, 1, 23, 79));
}

}  // namespace
}  // namespace screens::teste

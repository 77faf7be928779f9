#include "console/menus.h"

#include <gtest/gtest.h>

#include "console/tempo.h"
#include "fixture.h"
#include "rt/term/keys.h"

namespace {

namespace key = rt::term::key;
using console::ESC_ITEM;
using console::ESC_OPCAO;

class MenuTest : public ::testing::Test, protected console::teste::ConsoleFixture {
 protected:
  // Window 5 on rows 5-8, columns 10-19, frame type 0, one option a line.
  void SetUp() override {
    ctx.janelas.REDEFJAN(console::Jan::kSubdialogo, 30, 31, 63, 5, 10, 8, 19, 0);
    ctx.janelas.ABREJAN(console::Jan::kSubdialogo);
    ctx.janelas.ESCRJAN(console::Jan::kSubdialogo, "Incluir   Deletar   alterar   xis       ");
  }
  const console::OpcoesMenu opcoes{"IDax", {"Inclui", "Deleta", "Altera", "Xis"}};
};

TEST_F(MenuTest, HotLetterChoosesAtOnceAndOnlyUpperCaseLettersAreHot) {
  term.press('a').press('x').press('d');
  EXPECT_EQ(ESC_OPCAO(ctx, console::Jan::kSubdialogo, 4, 1, 10, opcoes), 2);
  EXPECT_EQ(ctx.POSVER, 2);
  EXPECT_EQ(ctx.ULTPOS, 2);
  EXPECT_EQ(term.pending(), 0u);
  EXPECT_EQ(tela().at(6, 10).attr, 79);  // the chosen line stays lit
  EXPECT_EQ(tela().at(5, 10).attr, 30);
}

TEST_F(MenuTest, ArrowsStopAtTheEndsAndEnterChooses) {
  ctx.POSVER = 0;  // counts as 1
  term.press(key::Up).press(key::Down).press(key::Down).press(key::Down).press(key::Down).press(key::Enter);
  EXPECT_EQ(ESC_OPCAO(ctx, console::Jan::kSubdialogo, 4, 1, 10, opcoes), 4);
  term.press(key::Home).press(key::Enter);
  EXPECT_EQ(ESC_OPCAO(ctx, console::Jan::kSubdialogo, 4, 1, 10, opcoes), 1);
  term.press(key::End).press(key::Up).press(key::Esc);
  EXPECT_EQ(ESC_OPCAO(ctx, console::Jan::kSubdialogo, 4, 1, 10, opcoes), 0);
  EXPECT_EQ(ctx.ULTPOS, 3);
  EXPECT_EQ(linha(7).substr(10, 10), "alterar   ");
  EXPECT_EQ(tela().at(7, 10).attr, 79);
  EXPECT_EQ(tela().at(8, 10).attr, 30);
}

TEST_F(MenuTest, StatusLineShowsTheOptionsHelpAndTheWindowClosesOnRequest) {
  ctx.POSVER = 1;
  term.press(key::Down);
  term.press(key::Esc);
  ESC_OPCAO(ctx, console::Jan::kSubdialogo, 4, 1, 10, opcoes, 0, 1);
  EXPECT_FALSE(ctx.janelas.isOpen(console::Jan::kSubdialogo));
  // The status line kept the help of the last line shown, centred.
  EXPECT_EQ(linha(24).substr(37, 6), "Deleta");
}

TEST_F(MenuTest, AltAOpensTheCalculatorWithItsOwnHelpContext) {
  std::string contexto;
  ctx.calculadora = [&](console::Contexto& c) { contexto = c.QUALHLP; };
  term.press(key::AltA).press(key::Esc);
  ESC_OPCAO(ctx, console::Jan::kSubdialogo, 4, 1, 10, opcoes);
  EXPECT_EQ(contexto, "NADA");
  EXPECT_EQ(ctx.QUALHLP, " ");
}

TEST_F(MenuTest, MarkerMenuMovesTheStar) {
  term.press(key::Down).press(key::Down).press(key::Enter);
  EXPECT_EQ(ESC_ITEM(ctx, console::Jan::kSubdialogo, 4, 9, 0, 1), 3);
  EXPECT_EQ(ctx.ULTESC, 3);
  EXPECT_EQ(tela().at(7, 18).ch, '*');
  EXPECT_EQ(tela().at(5, 18).ch, ' ');
  term.press(key::End).press(key::Down).press(key::Esc);
  EXPECT_EQ(ESC_ITEM(ctx, console::Jan::kSubdialogo, 4, 9, 0, 3), 0);
  EXPECT_EQ(ctx.ULTESC, 4);
  EXPECT_EQ(tela().at(8, 18).ch, '*');
}

TEST(Tempo, ConversionsAndMidnight) {
  EXPECT_EQ(console::HORA_SEG("01:02:03"), 3723);
  EXPECT_EQ(console::SEG_HORA(3723), "01:02:03");
  EXPECT_EQ(console::SEG_HORA(90000), "01:00:00");
  EXPECT_EQ(console::SEG_HOR_2(90180), "01D01h03m");
  EXPECT_EQ(console::TEMPO_PAS("23:59:00", "00:01:00"), 120);
  EXPECT_EQ(console::TEMPO_PAS("10:00:00", "10:00:30"), 30);
  EXPECT_EQ(console::TEMPO_PAS("23:59:00", "00:01:00", 1), "00:02:00");
}

// A table of n records as the grids see it.
class TabelaFalsa final : public console::Saltavel {
 public:
  explicit TabelaFalsa(int n, int rec = 1) : n_(n), rec_(rec) {}
  bool vazia() const override { return n_ == 0; }
  bool eof() const override { return rec_ > n_; }
  bool bof() const override { return bof_; }
  void salta(int k) override {
    bof_ = false;
    rec_ += k;
    if (rec_ < 1) {
      rec_ = 1;
      bof_ = true;
    }
    if (rec_ > n_ + 1) rec_ = n_ + 1;
  }
  int rec() const { return rec_; }

 private:
  int n_, rec_;
  bool bof_ = false;
};

TEST(Skipped, StopsAtTheEndsAndCountsTheAppendStep) {
  TabelaFalsa t(5, 3);
  EXPECT_EQ(console::SKIPPED(t, 10), 2);
  EXPECT_EQ(t.rec(), 5);
  EXPECT_EQ(console::SKIPPED(t, 1, true), 1);
  EXPECT_TRUE(t.eof());
  EXPECT_EQ(console::SKIPPED(t, 1, true), 0);  // already at the end
  EXPECT_EQ(console::SKIPPED(t, -10), -5);
  EXPECT_EQ(t.rec(), 1);
  EXPECT_EQ(console::SKIPPED(t, 0), 0);
  TabelaFalsa vazia(0);
  EXPECT_EQ(console::SKIPPED(vazia, 3, true), 0);
}

}  // namespace

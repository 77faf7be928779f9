#include "console/mensagens.h"

#include <gtest/gtest.h>

#include "console/alerta.h"
#include "fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"

namespace {

using namespace rt::text::literals;
namespace key = rt::term::key;
using console::MENS;

class MensTest : public ::testing::Test, protected console::teste::ConsoleFixture {};

TEST_F(MensTest, WaitNoticeOpensWindowTenAtRowTwentyEndingAtColumn75) {
  EXPECT_EQ(MENS(ctx, console::mens::Espera, "Encerrando..."), "");
  const console::Janela* j = ctx.janelas.find(console::Jan::kMensagem);
  ASSERT_NE(j, nullptr);
  EXPECT_EQ(j->top, 20);
  EXPECT_EQ(j->bottom, 22);
  EXPECT_EQ(j->left, 60);
  EXPECT_EQ(j->right, 75);
  EXPECT_EQ(j->tipo, 1);
  EXPECT_TRUE(ctx.janelas.isOpen(console::Jan::kMensagem));
  EXPECT_EQ(trecho(20, 60, 13), "Encerrando...");
  EXPECT_EQ(tela().at(19, 59).ch, "┌"_cp[0]);
  EXPECT_EQ(tela().at(21, 74).ch, "┘"_cp[0]);
  EXPECT_EQ(term.pending(), 0u);
  EXPECT_FALSE(term.exhausted());  // returned without reading a key
}

TEST_F(MensTest, WaitNoticeOfTheSameSizeOnlyRewritesItsText) {
  MENS(ctx, console::mens::Espera, "Aguarde 1");
  tela().put(19, 63, "X", 7);  // a redraw would draw the frame again
  MENS(ctx, console::mens::Espera, "Aguarde 2");
  EXPECT_EQ(tela().at(19, 63).ch, 'X');
  EXPECT_EQ(trecho(20, 64, 9), "Aguarde 2");
  MENS(ctx, console::mens::Espera, "Aguarde muito mais");
  EXPECT_EQ(tela().at(19, 54).ch, "┌"_cp[0]);
}

TEST_F(MensTest, WaitNoticeAfterAClosedMessageOfTheSameSizeOpensItsWindowAgain) {
  term.pause().press('x');
  MENS(ctx, console::mens::Aviso, "Aguarde 1");  // same size, closed after the key
  EXPECT_FALSE(ctx.janelas.isOpen(console::Jan::kMensagem));
  MENS(ctx, console::mens::Espera, "Aguarde 2");
  EXPECT_TRUE(ctx.janelas.isOpen(console::Jan::kMensagem));
  EXPECT_EQ(tela().at(19, 63).ch, "┌"_cp[0]);
}

TEST_F(MensTest, QuestionTakesOnlyTheGivenLettersAndRestoresTheScreen) {
  tela().put(20, 60, "fundo", 7);
  term.pause().press('x').press('1').press(key::Esc).press('n');
  EXPECT_EQ(MENS(ctx, console::mens::Escolha, "Confirma?", {.teclas = "SN"}), "N");
  EXPECT_EQ(trecho(20, 60, 5), "fundo");
  EXPECT_EQ(term.pending(), 0u);
  term.pause().press('s');
  EXPECT_EQ(MENS(ctx, console::mens::Escolha, "Confirma?", {.teclas = "SN"}), "S");
}

TEST_F(MensTest, ErrorMessageBeepsAndWaitsForAnyKeyButModeFiveDoesNotBeep) {
  term.pause().press(key::F2);
  MENS(ctx, console::mens::Aviso, "Erro");
  EXPECT_EQ(term.beeps(), 1);
  EXPECT_FALSE(ctx.janelas.isOpen(console::Jan::kMensagem));
  term.pause().press('a');
  MENS(ctx, console::mens::Nota, "Aviso");
  EXPECT_EQ(term.beeps(), 1);
  EXPECT_EQ(term.pending(), 0u);
}

TEST_F(MensTest, TypeaheadIsDiscardedBeforeTheQuestion) {
  term.press('n').pause().press('s');  // 'n' typed before the question showed
  EXPECT_EQ(MENS(ctx, console::mens::Escolha, "Confirma?", {.teclas = "SN"}), "S");
}

TEST_F(MensTest, WindowLayoutRules) {
  using console::layoutMens;
  auto l = layoutMens(13, "Encerrando...", {});
  EXPECT_EQ(l.largura, 15);
  EXPECT_EQ(l.coluna, 60);
  l = layoutMens(11, "abc", {.coluna = std::string("E")});
  EXPECT_EQ(l.coluna, 2);
  l = layoutMens(11, "abcd", {.coluna = std::string("C")});
  EXPECT_EQ(l.coluna, 37);  // (80 - 6) / 2
  l = layoutMens(11, "abcd", {.coluna = std::string("x")});
  EXPECT_EQ(l.coluna, 69);
  l = layoutMens(11, "abcd", {.coluna = 7});
  EXPECT_EQ(l.coluna, 7);
  // Type 7 widens the window after placing it.
  l = layoutMens(73, "abcd", {});
  EXPECT_EQ(l.coluna, 69);
  EXPECT_EQ(l.largura, 7);
  // Texts wider than the screen start at column 0.
  l = layoutMens(11, std::string(78, 'a'), {});
  EXPECT_EQ(l.coluna, 0);
  // Two lines: width (42 / 2) + 1 = 22; padded to 44 less 3.
  l = layoutMens(11, std::string(40, 'a'), {.linhas = 2});
  EXPECT_EQ(l.largura, 22);
  EXPECT_EQ(l.texto.size(), 41u);
  l = layoutMens(71, std::string(40, 'a'), {.linhas = 2});
  EXPECT_EQ(l.largura, 23);
  EXPECT_EQ(l.texto.size(), 44u);
  // A one-field prompt gets blanks for its field.
  l = layoutMens(14, "Terminal:", {}, 2);
  EXPECT_EQ(l.texto, "Terminal:  ");
  EXPECT_EQ(l.largura, 13);
}

TEST_F(MensTest, LongMessageIsClippedNotMisplaced) {
  MENS(ctx, console::mens::Espera, std::string(90, 'z'));
  EXPECT_EQ(ctx.janelas.find(console::Jan::kMensagem)->left, 0);
  EXPECT_EQ(tela().at(20, 0).ch, 'z');
}

TEST_F(MensTest, StatusLineModeAndClearing) {
  tela().put(24, 0, std::string(80, '#'), 7);
  MENS(ctx, console::mens::Linha, "Tecle algo");
  EXPECT_EQ(linha(24), " Tecle algo" + std::string(69, ' '));
  MENS(ctx, console::mens::Linha, "abcd", {.coluna = std::string("C")});
  EXPECT_EQ(trecho(24, 38, 4), "abcd");
  EXPECT_EQ(tela().at(24, 37).ch, ' ');
  EXPECT_EQ(MENS(ctx), "");
  EXPECT_EQ(linha(24), std::string(80, ' '));
}

TEST(Center, IntegerDivisionAndLongTexts) {
  EXPECT_EQ(console::CENTER("abc"), 38);
  EXPECT_EQ(console::CENTER("abcd", 10), 3);
  EXPECT_EQ(console::CENTER(std::string(81, 'a')), 0);
}

class AvisosnTest : public ::testing::Test, protected console::teste::ConsoleFixture {};

TEST_F(AvisosnTest, KindsAndTheirAnswers) {
  using console::AVISOSN;
  term.press(key::Esc);
  EXPECT_EQ(AVISOSN(ctx, "Confirma?", 2), "N");
  term.press('s');
  EXPECT_EQ(AVISOSN(ctx, "Confirma?", 2), "S");
  term.press(key::Enter);
  EXPECT_EQ(AVISOSN(ctx, "Confirma?", 2), "S");  // Sim is selected first
  term.press(key::Right).press(key::Enter);
  EXPECT_EQ(AVISOSN(ctx, "Confirma?", 2), "N");
  term.press(key::Right).press(key::Left).press(key::Enter);
  EXPECT_EQ(AVISOSN(ctx, "Confirma?", 9), "S");  // any other kind is yes/no
  term.press(key::Enter);
  EXPECT_EQ(AVISOSN(ctx, "Pronto", 0), "N");
  term.press('i');
  EXPECT_EQ(AVISOSN(ctx, "?", 3), "I");
  term.press(key::Esc);
  EXPECT_EQ(AVISOSN(ctx, "?", 3), "N");
  term.press('f');
  EXPECT_EQ(AVISOSN(ctx, "?", 4), "F");
  term.press('n');
  EXPECT_EQ(AVISOSN(ctx, "?", 4), "N");
  term.press('5');
  EXPECT_EQ(console::AVISOSN7(ctx, {"Quantas?"}), 5);
  term.press(key::Esc);
  EXPECT_EQ(console::AVISOSN7(ctx, {"Quantas?"}), 0);
  EXPECT_FALSE(term.exhausted());
}

TEST_F(AvisosnTest, BoxShowsLinesAndButtonsAndRestoresTheScreen) {
  tela().put(12, 30, "fundo da tela", 7);
  const rt::term::Screen antes = tela();
  term.press(key::Esc);
  console::AVISOSN(ctx, {"Primeira linha", "Segunda"}, 4);
  EXPECT_TRUE(term.contains("Primeira linha"));
  EXPECT_TRUE(term.contains(" Sim    Nao    Fim "));
  for (int r = 0; r < 25; ++r) EXPECT_EQ(linha(r), antes.rowText(r));
}

TEST_F(AvisosnTest, AvisoWritesInTheHelpColour) {
  console::AVISO(ctx, "Nota");
  EXPECT_EQ(trecho(24, 0, 4), "Nota");
  EXPECT_EQ(tela().at(24, 0).attr, 112);  // N/W
  console::AVISO(ctx, "X", 3, 5);
  EXPECT_EQ(tela().at(3, 5).ch, 'X');
}

}  // namespace

namespace {

class PromptTest : public ::testing::Test, protected console::teste::ConsoleFixture {};

TEST_F(PromptTest, NumberFieldSitsAfterTheTextAndEscGivesZero) {
  rt::text::Decimal n = 7;
  term.pause().press(key::Esc);
  EXPECT_EQ(MENS(ctx, console::mens::Campo, "Terminal:", n, {.linha = 20, .coluna = 2, .picture = "@z 99"}),
            rt::text::Decimal());
  EXPECT_EQ(n, rt::text::Decimal());
  EXPECT_FALSE(ctx.janelas.isOpen(console::Jan::kMensagem));

  n = 0;
  term.pause().type("12").press(key::Enter);
  EXPECT_EQ(MENS(ctx, console::mens::Campo, "Terminal:", n, {.linha = 20, .coluna = 2, .picture = "@z 99"}),
            rt::text::Decimal(12));
  // The field was at row 20, column 2 + 9 + 1, inside the window's frame.
  EXPECT_EQ(term.shown().rowText(20).substr(2, 9), "Terminal:");
  EXPECT_EQ(term.shown().rowText(20).substr(12, 1), "1");
}

TEST_F(PromptTest, TextDateAndLogicalFields) {
  std::string s = "ABC ";
  term.pause().type("xy").press(key::Enter);
  EXPECT_EQ(MENS(ctx, console::mens::Campo, "Letra:", s), "xy  ");  // "@K": the first key clears the field
  term.pause().press(key::Esc);
  EXPECT_EQ(MENS(ctx, console::mens::Campo, "Letra:", s), "");
  rt::text::Date d;
  term.pause().press(key::Esc);
  EXPECT_EQ(MENS(ctx, console::mens::Campo, "Data:", d, {.picture = "@D"}), rt::text::Date::fromYmd(2010, 4, 30));
  bool b = true;
  term.pause().press(key::Esc);
  EXPECT_FALSE(MENS(ctx, console::mens::Campo, "Sim?", b, {.picture = "Y"}));
}

TEST_F(PromptTest, AWideScrollPictureStaysInsideTheWindowAndTheScreenComesBack) {
  // A 40-character folder asked with "@S76": the field scrolls within the window's width, the
  // frame's right border (column 74 of a window from column 15, 60 wide) stays on the row being
  // typed, and closing gives back the screen it covered.
  tela().fill({0, 0, 24, 79}, '.', 7);
  const std::string antes = tela().rowText(19) + tela().rowText(20) + tela().rowText(21);
  std::string durante;
  ctx.console.setKey(key::F9, [&] { durante = tela().rowText(20); });
  std::string pasta(40, ' ');
  term.pause().type(std::string(30, 'x')).press(key::F9).press(key::Enter);
  MENS(ctx, console::mens::Campo, "Nova pasta TAVREN:", pasta, {.picture = "@S76"});
  ctx.console.clearKey(key::F9);
  EXPECT_EQ(pasta, std::string(30, 'x') + std::string(10, ' '));
  ASSERT_EQ(durante.size(), 80u);
  EXPECT_EQ(durante.substr(74), std::string(console::molduraSimples().substr(3, 1)) + ".....") << durante;
  EXPECT_EQ(tela().rowText(19) + tela().rowText(20) + tela().rowText(21), antes);
}

TEST_F(PromptTest, ValidRuleKeepsTheCursorInTheField) {
  rt::text::Decimal n;
  int chamadas = 0;
  auto valid = [&] { return ++chamadas > 1; };
  term.pause().type("5").press(key::Enter).press(key::Enter);
  MENS(ctx, console::mens::Campo, "Vias:", n, {.linha = 17, .coluna = 20, .picture = "@ 9", .valid = valid});
  EXPECT_EQ(chamadas, 2);
  EXPECT_EQ(n, rt::text::Decimal(5));
}

}  // namespace

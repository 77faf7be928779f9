#include "console/janelas.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "rt/text/cp860.h"

namespace {

using namespace rt::text::literals;
using console::Jan;
using console::Janelas;
using rt::term::Screen;

class JanelasTest : public ::testing::Test {
 protected:
  Screen screen;
  Janelas janelas{screen};

  std::string row(int r) { return screen.rowText(r); }
};

TEST_F(JanelasTest, AchacorNamesAttributes) {
  EXPECT_EQ(console::ACHACOR(30), "GR+/B");
  EXPECT_EQ(console::ACHACOR(112), "N/W");
  EXPECT_EQ(console::ACHACOR(79), "W+/R");
  EXPECT_EQ(console::ACHACOR(48), "N/BG");
  EXPECT_EQ(console::ACHACOR(0), "N/N");
  EXPECT_EQ(console::ACHACOR(255), "W+/W+");
}

TEST_F(JanelasTest, OpeningTwiceAndClosingOnceRestoresTheFirstBackground) {
  screen.put(5, 5, "original", 7);
  Screen before = screen;
  janelas.REDEFJAN(Jan{5}, 30, 31, 63, 4, 4, 8, 30, 2);
  janelas.ABREJAN(Jan{5});
  janelas.ESCRLCOL(Jan{5}, 2, 2, "first");
  janelas.ABREJAN(Jan{5});  // opening an open window first restores what it covered
  janelas.FECHAJAN(Jan{5});
  for (int r = 0; r < Screen::kRows; ++r) EXPECT_EQ(screen.rowText(r), before.rowText(r)) << r;
  EXPECT_FALSE(janelas.isOpen(Jan{5}));
  janelas.FECHAJAN(Jan{5});  // closing a closed window does nothing
  EXPECT_EQ(row(5), before.rowText(5));
}

TEST_F(JanelasTest, AWindowGuardClosesOnEveryWayOutUnlessReleased) {
  screen.put(6, 6, "under", 7);
  const Screen before = screen;
  janelas.REDEFJAN(Jan::kDialogo, 30, 31, 63, 4, 4, 8, 30, 2);
  auto mesmaTela = [&] {
    for (int r = 0; r < Screen::kRows; ++r)
      if (screen.rowText(r) != before.rowText(r)) return false;
    return !janelas.isOpen(Jan::kDialogo);
  };
  // An early return and a thrown error close it as the end of the scope does.
  auto recusa = [&](bool lanca) {
    const console::JanelaAberta janela(janelas, Jan::kDialogo);
    janelas.ESCRLCOL(Jan::kDialogo, 2, 2, "refused");
    if (lanca) throw std::overflow_error("Decimal out of range");
  };
  recusa(false);
  EXPECT_TRUE(mesmaTela());
  EXPECT_THROW(recusa(true), std::overflow_error);
  EXPECT_TRUE(mesmaTela());
  // A window something else opened is closed by the guard that adopts it...
  janelas.ABREJAN(Jan::kDialogo);
  { const auto adotada = console::JanelaAberta::adota(janelas, Jan::kDialogo); }
  EXPECT_TRUE(mesmaTela());
  // ...and one released stays open for its caller to close.
  {
    console::JanelaAberta aviso(janelas, Jan::kDialogo);
    aviso.solta();
  }
  EXPECT_TRUE(janelas.isOpen(Jan::kDialogo));
  EXPECT_NE(row(4), before.rowText(4));
  janelas.FECHAJAN(Jan::kDialogo);
  EXPECT_TRUE(mesmaTela());
}

TEST_F(JanelasTest, AGuardedScreenComesBackUnlessKept) {
  screen.put(3, 0, "menu", 7);
  {
    console::TelaGuardada guarda(screen);
    screen.put(3, 0, "list", 30);
    screen.put(20, 10, "stray", 30);
  }
  EXPECT_EQ(row(3).substr(0, 4), "menu");
  EXPECT_EQ(screen.at(3, 0).attr, 7);
  EXPECT_EQ(row(20).substr(10, 5), "     ");
  {
    console::TelaGuardada guarda(screen);
    screen.put(3, 0, "cor!", 30);
    guarda.mantem();
  }
  EXPECT_EQ(row(3).substr(0, 4), "cor!");
}

TEST_F(JanelasTest, FrameTypesDrawWhereTheyShould) {
  janelas.REDEFJAN(Jan{11}, 30, 31, 63, 5, 10, 8, 20, 1);
  janelas.ABREJAN(Jan{11});
  // Type 1: from (top-1, left-1) to (bottom-1, right-1).
  EXPECT_EQ(screen.at(4, 9).ch, "┌"_cp[0]);
  EXPECT_EQ(screen.at(4, 19).ch, "┐"_cp[0]);
  EXPECT_EQ(screen.at(7, 9).ch, "└"_cp[0]);
  EXPECT_EQ(screen.at(7, 19).ch, "┘"_cp[0]);
  EXPECT_EQ(screen.at(4, 10).attr, 31);
  janelas.FECHAJAN(Jan{11});
  EXPECT_EQ(screen.at(4, 9).ch, ' ');

  janelas.REDEFJAN(Jan{12}, 30, 31, 63, 5, 10, 8, 20, 2);
  janelas.ABREJAN(Jan{12});
  EXPECT_EQ(screen.at(5, 10).ch, "┌"_cp[0]);
  EXPECT_EQ(screen.at(8, 20).ch, "┘"_cp[0]);
}

TEST_F(JanelasTest, ShadowTypeRaisesBottomAndDrawsShadow) {
  janelas.REDEFJAN(Jan{20}, 30, 31, 8, 10, 10, 11, 20, 7);
  EXPECT_EQ(janelas.find(Jan{20})->bottom, 15);  // new record: raised by 4
  janelas.REDEFJAN(Jan{20}, 30, 31, 8, 10, 10, 11, 20, 7);
  EXPECT_EQ(janelas.find(Jan{20})->bottom, 13);  // existing record: raised by 2
  janelas.ABREJAN(Jan{20});
  janelas.ESCRJAN(Jan{20}, "123456789");  // exactly the 9 columns left..right-2
  EXPECT_EQ(row(10).substr(10, 11), "123456789" + std::string(2, "░"_cp[0]));
  EXPECT_EQ(row(11).substr(11, 10), std::string(10, "░"_cp[0]));
  EXPECT_EQ(screen.at(11, 11).attr, 8);
}

TEST_F(JanelasTest, TextWrapsAtRightLimitOfAFramedWindow) {
  janelas.REDEFJAN(Jan{21}, 30, 31, 63, 2, 10, 6, 15, 1);
  janelas.ABREJAN(Jan{21});
  janelas.ESCRJAN(Jan{21}, "abcdefghij");
  EXPECT_EQ(row(2).substr(10, 4), "abcd");  // right - 2 = 13 is the last column
  EXPECT_EQ(row(3).substr(10, 4), "efgh");
  EXPECT_EQ(row(4).substr(10, 2), "ij");
  EXPECT_EQ(janelas.find(Jan{21})->ultimoTexto, "abcdefghij");
}

TEST_F(JanelasTest, ColourCodesAndRuns) {
  janelas.REDEFJAN(Jan{22}, 30, 31, 63, 3, 0, 3, 79, 0);
  std::string text = "a\x02" "b\x03" "c" + console::REP(10) + "─"_cp[0] + "\x01" "d";
  janelas.ESCRJAN(Jan{22}, text);
  EXPECT_EQ(row(3).substr(0, 14), "abc" + std::string(10, "─"_cp[0]) + "d");
  EXPECT_EQ(screen.at(3, 0).attr, 30);
  EXPECT_EQ(screen.at(3, 1).attr, 31);
  EXPECT_EQ(screen.at(3, 2).attr, 63);
  EXPECT_EQ(screen.at(3, 12).attr, 63);
  EXPECT_EQ(screen.at(3, 13).attr, 30);
  EXPECT_EQ(janelas.find(Jan{22})->ultimoTexto, "abc" + std::string(10, "─"_cp[0]) + "d");
}

TEST_F(JanelasTest, XrepExpandsOncePerRunAndNeverLoops) {
  EXPECT_EQ(console::XREP(std::string("x\x04\x03-y")), "x---y");
  EXPECT_EQ(console::XREP(std::string("ab\x04\x05")), std::string("ab\x04\x05"));  // too short: kept
  // A run of byte 4 itself produces byte 4s that are not expanded again.
  EXPECT_EQ(console::XREP(std::string("\x04\x03\x04")), std::string(3, '\x04'));
}

TEST_F(JanelasTest, StatusLineUsesFixedColoursAndSkipsCodes) {
  janelas.ESCRJAN(Jan{0}, "");
  EXPECT_EQ(screen.cursorRow(), 24);
  EXPECT_EQ(screen.cursorCol(), 0);
  janelas.ESCRJAN(Jan{0}, "\x02" "Aviso\x01 ok");
  EXPECT_EQ(row(24).substr(0, 8), "Aviso ok");
  EXPECT_EQ(screen.at(24, 0).attr, *rt::term::parseColour("W+/B"));
  EXPECT_EQ(screen.at(24, 6).attr, *rt::term::parseColour("GR+/B"));
}

TEST_F(JanelasTest, EscrlcolKeepsColoursAndEscratrRecolours) {
  janelas.REDEFJAN(Jan{23}, 30, 31, 63, 10, 10, 14, 40, 0);
  janelas.ABREJAN(Jan{23});
  janelas.ESCRJAN(Jan{23}, std::string(31, 'x') + "Opcao um" + std::string(23, ' '));
  janelas.ESCRATR(Jan{23}, 2, 1, 79, 8);
  EXPECT_EQ(row(11).substr(10, 8), "Opcao um");
  EXPECT_EQ(screen.at(11, 10).attr, 79);
  janelas.ESCRLCOL(Jan{23}, 2, 1, "OPCAO");
  EXPECT_EQ(row(11).substr(10, 8), "OPCAO um");
  EXPECT_EQ(screen.at(11, 10).attr, 79);
}

TEST_F(JanelasTest, MovesStopAtTheScreenEdgeAndWritesAreClipped) {
  janelas.REDEFJAN(Jan{24}, 30, 31, 63, 22, 70, 24, 79, 0);
  janelas.ABREJAN(Jan{24});
  janelas.ESCRJAN(Jan{24}, "abcdefghijABCDEFGHIJ");
  janelas.MOVEVER(Jan{24}, 0);  // bottom already on row 24
  EXPECT_EQ(janelas.find(Jan{24})->bottom, 24);
  janelas.MOVEHOR(Jan{24}, 0);
  EXPECT_EQ(janelas.find(Jan{24})->right, 79);
  janelas.MOVEVER(Jan{24}, 129);
  EXPECT_EQ(janelas.find(Jan{24})->top, 21);
  EXPECT_EQ(row(21).substr(70, 10), "abcdefghij");
  // A window partly off the screen writes only what fits.
  janelas.REDEFJAN(Jan{25}, 30, 31, 63, 24, 75, 26, 90, 0);
  janelas.ABREJAN(Jan{25});
  janelas.ESCRJAN(Jan{25}, "0123456789");
  EXPECT_EQ(row(24).substr(75, 5), "01234");
}

}  // namespace

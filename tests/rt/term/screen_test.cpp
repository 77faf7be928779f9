#include "rt/term/screen.h"

#include <gtest/gtest.h>

#include <climits>

#include "rt/text/cp860.h"

namespace rt::term {
namespace {

using namespace rt::text::literals;

constexpr Attr kBlueText = makeAttr(14, 1);  // GR+/B
constexpr Attr kMenu = makeAttr(0, 7);       // N/W

std::string blanks(int n) {
  return std::string(static_cast<std::size_t>(n), ' ');
}

TEST(Screen, StartsBlankWhiteOnBlack) {
  Screen s;
  for (int r = 0; r < Screen::kRows; ++r) EXPECT_EQ(s.rowText(r), blanks(80));
  EXPECT_EQ(s.at(24, 79).attr, makeAttr(7, 0));
  // Outside the screen there is nothing to read, and nothing breaks.
  EXPECT_EQ(s.at(25, 0), Cell{});
  EXPECT_EQ(s.at(-1, 5), Cell{});
  EXPECT_EQ(s.rowText(25), "");
}

TEST(Screen, WritesAreClippedAtEveryEdge) {
  Screen s;
  s.put(3, 75, "abcdefghij", kBlueText);  // runs off the right edge: never wraps onto row 4
  EXPECT_EQ(s.rowText(3).substr(75), "abcde");
  EXPECT_EQ(s.rowText(4), blanks(80));
  s.put(5, -3, "xyzHello", kBlueText);  // starts left of the screen
  EXPECT_EQ(s.rowText(5).substr(0, 6), "Hello ");
  EXPECT_EQ(s.at(5, 0).attr, kBlueText);
  s.put(-1, 0, "gone", kBlueText);
  s.put(25, 0, "gone", kBlueText);
  s.put(7, 80, "gone", kBlueText);
  s.put(7, INT_MIN + 1, "gone", kBlueText);
  for (int r : {0, 7, 24}) EXPECT_EQ(s.rowText(r), blanks(80)) << r;
  s.putChars(8, 78, "1234");
  EXPECT_EQ(s.rowText(8).substr(78), "12");
  s.recolour(9, 70, 1000, kMenu);
  EXPECT_EQ(s.at(9, 69).attr, makeAttr(7, 0));
  EXPECT_EQ(s.at(9, 79).attr, kMenu);
  s.recolour(10, 10, INT_MAX, kMenu);
  EXPECT_EQ(s.at(10, 79).attr, kMenu);
  s.recolour(11, -5, 7, kMenu);
  EXPECT_EQ(s.at(11, 1).attr, kMenu);
  EXPECT_EQ(s.at(11, 2).attr, makeAttr(7, 0));
}

TEST(Screen, FillAndClearOnlyTouchTheScreen) {
  Screen s;
  s.fill({20, 70, 40, 100}, 'x', kMenu);
  EXPECT_EQ(s.rowText(24).substr(68), "  xxxxxxxxxx");
  EXPECT_EQ(s.rowText(19), blanks(80));
  s.fill({5, 5, 4, 10}, 'y', kMenu);  // an empty rectangle
  EXPECT_EQ(s.rowText(5), blanks(80));
  s.setCursor(10, 10);
  s.clear(kBlueText);
  EXPECT_EQ(s.at(24, 79), (Cell{' ', kBlueText}));
  EXPECT_EQ(s.cursorRow(), 0);
  EXPECT_EQ(s.cursorCol(), 0);
}

TEST(Screen, PutCharsKeepsTheColoursAndRecolourKeepsTheText) {
  Screen s;
  s.put(2, 10, "Nome:", kBlueText);
  s.put(2, 15, "     ", kMenu);
  s.putChars(2, 12, "xxxxx");
  EXPECT_EQ(s.rowText(2).substr(10, 10), "Noxxxxx   ");
  EXPECT_EQ(s.at(2, 14).attr, kBlueText);
  EXPECT_EQ(s.at(2, 15).attr, kMenu);
  s.recolour(2, 10, 3, makeAttr(15, 4));
  EXPECT_EQ(s.rowText(2).substr(10, 3), "Nox");
  EXPECT_EQ(s.at(2, 12).attr, makeAttr(15, 4));
  EXPECT_EQ(s.at(2, 13).attr, kBlueText);
}

TEST(Screen, BoxDrawsTheEightFrameCharacters) {
  Screen s;
  s.box({1, 2, 4, 8}, "┌─┐│┘─└│"_cp, kBlueText);
  EXPECT_EQ(s.rowText(1).substr(2, 7), std::string("┌─────┐"_cp));
  EXPECT_EQ(s.rowText(2).substr(2, 7), std::string("│     │"_cp));
  EXPECT_EQ(s.rowText(4).substr(2, 7), std::string("└─────┘"_cp));
  EXPECT_EQ(s.at(1, 2).attr, kBlueText);
  EXPECT_EQ(s.at(2, 5).attr, makeAttr(7, 0)) << "the inside is left alone";
  // A box partly off screen draws what shows; a short frame text draws nothing.
  s.box({22, 75, 27, 85}, "╔═╗║╝═╚║"_cp, kMenu);
  EXPECT_EQ(s.rowText(22).substr(75), std::string("╔════"_cp));
  EXPECT_EQ(s.rowText(23).substr(75), std::string("║    "_cp));
  Screen t;
  t.box({0, 0, 3, 3}, "+-+", kMenu);
  EXPECT_EQ(t.rowText(0), blanks(80));
}

TEST(Screen, SaveAndRestoreARectangle) {
  Screen s;
  s.put(5, 10, "abcdef", kBlueText);
  s.put(6, 10, "ghijkl", kMenu);
  Screen::Saved saved = s.save({5, 11, 6, 13});
  s.fill({0, 0, 24, 79}, '#', makeAttr(4, 0));
  s.restore(saved);
  EXPECT_EQ(s.rowText(5).substr(10, 6), "#bcd##");
  EXPECT_EQ(s.rowText(6).substr(10, 6), "#hij##");
  EXPECT_EQ(s.at(5, 11).attr, kBlueText);
  EXPECT_EQ(s.at(6, 13).attr, kMenu);
  EXPECT_EQ(s.at(5, 14).attr, makeAttr(4, 0));
}

TEST(Screen, SaveAndRestorePartlyOffScreen) {
  Screen s;
  s.put(24, 76, "wxyz", kBlueText);
  s.put(0, 0, "ab", kMenu);
  auto corner = s.save({22, 76, 30, 200});
  auto origin = s.save({-5, -5, 0, 1});
  EXPECT_EQ(corner.cells.size(), 3u * 4u);
  s.clear();
  s.restore(corner);
  s.restore(origin);
  EXPECT_EQ(s.rowText(24).substr(76), "wxyz");
  EXPECT_EQ(s.rowText(0).substr(0, 3), "ab ");
  EXPECT_EQ(s.at(0, 1).attr, kMenu);
  // Entirely off screen: nothing kept, nothing restored.
  auto none = s.save({30, 90, 40, 100});
  EXPECT_TRUE(none.cells.empty());
  s.restore(none);
  // A huge rectangle costs no more than the screen.
  EXPECT_EQ(s.save({INT_MIN, INT_MIN, INT_MAX, INT_MAX}).cells.size(), 25u * 80u);
}

TEST(Screen, CursorIsKeptOnScreen) {
  Screen s;
  s.setCursor(30, -4);
  EXPECT_EQ(s.cursorRow(), 24);
  EXPECT_EQ(s.cursorCol(), 0);
  s.setCursorShape(CursorShape::Hidden);
  EXPECT_EQ(s.cursorShape(), CursorShape::Hidden);
}

TEST(Screen, VersionMovesWithEveryChange) {
  Screen s;
  auto v = s.version();
  s.put(0, 0, "a", kMenu);
  EXPECT_GT(s.version(), v);
  v = s.version();
  s.restore(s.save({0, 0, 1, 1}));
  EXPECT_GT(s.version(), v);
  v = s.version();
  s.setCursor(3, 3);
  EXPECT_GT(s.version(), v);
}

}  // namespace
}  // namespace rt::term

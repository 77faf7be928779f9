#include "rt/term/colour_map.h"

#include <gtest/gtest.h>

#include <set>

#include "rt/term/glyphs.h"

namespace rt::term {
namespace {

TEST(ColourMap, ConsoleColoursInCursesOrder) {
  // black blue green cyan red magenta brown white -> curses 0 4 2 6 1 5 3 7
  const int expected[16] = {0, 4, 2, 6, 1, 5, 3, 7, 8, 12, 10, 14, 9, 13, 11, 15};
  for (int c = 0; c < 16; ++c) EXPECT_EQ(cursesColour(c), expected[c]) << c;
}

TEST(ColourMap, PlanForTheTerminal) {
  EXPECT_EQ(colourPlan(256, 65536).depth, ColourDepth::Sixteen);
  EXPECT_FALSE(colourPlan(256, 65536).sharesDefault);
  EXPECT_EQ(colourPlan(16, 256).depth, ColourDepth::Sixteen);
  EXPECT_TRUE(colourPlan(16, 256).sharesDefault);
  EXPECT_EQ(colourPlan(8, 64).depth, ColourDepth::Eight);
  EXPECT_TRUE(colourPlan(8, 64).sharesDefault);
  EXPECT_FALSE(colourPlan(8, 256).sharesDefault);
  EXPECT_EQ(colourPlan(16, 64).depth, ColourDepth::Eight);
  EXPECT_EQ(colourPlan(0, 0).depth, ColourDepth::None);
  EXPECT_EQ(colourPlan(8, 32).depth, ColourDepth::None);
}

// Every attribute maps to a pair in range whose colours are its own (dimmed on 8 colours), and
// the pairs are distinct where the colours are.
void checkPlan(const ColourPlan& plan) {
  const bool sixteen = plan.depth == ColourDepth::Sixteen;
  std::set<int> pairs;
  for (int a = 0; a < 256; ++a) {
    const Attr attr = static_cast<Attr>(a);
    CellStyle s = cellStyle(attr, plan);
    ASSERT_GE(s.pair, plan.sharesDefault ? 0 : 1) << a;
    ASSERT_LT(s.pair, pairCount(plan)) << a;
    EXPECT_EQ(s.bold, !sixteen && foreground(attr) > 7);
    EXPECT_FALSE(s.reverse);
    PairColours c = pairColours(s.pair, plan);
    EXPECT_EQ(c.foreground, sixteen ? foreground(attr) : foreground(attr) & 7) << a;
    EXPECT_EQ(c.background, sixteen ? background(attr) : background(attr) & 7) << a;
    pairs.insert(s.pair);
  }
  EXPECT_EQ(pairs.size(), sixteen ? 256u : 64u);
  EXPECT_EQ(cellStyle(makeAttr(7, 0), plan).pair == 0, plan.sharesDefault);
}

TEST(ColourMap, SixteenColoursGiveEveryAttributeItsOwnPair) {
  checkPlan({ColourDepth::Sixteen, false});
  checkPlan({ColourDepth::Sixteen, true});
  EXPECT_EQ(pairCount({ColourDepth::Sixteen, false}), 257);
  // Bright backgrounds keep their own pair (N/W+ is not N/W).
  ColourPlan plan{ColourDepth::Sixteen, false};
  EXPECT_NE(cellStyle(makeAttr(0, 15), plan).pair, cellStyle(makeAttr(0, 7), plan).pair);
}

TEST(ColourMap, EightColoursShowBrightForegroundsInBold) {
  checkPlan({ColourDepth::Eight, false});
  checkPlan({ColourDepth::Eight, true});
  EXPECT_EQ(pairCount({ColourDepth::Eight, true}), 64);
}

TEST(ColourMap, WithoutColoursBackgroundsShowReversed) {
  ColourPlan none;
  EXPECT_FALSE(cellStyle(makeAttr(7, 0), none).reverse);
  EXPECT_TRUE(cellStyle(makeAttr(0, 7), none).reverse);
  EXPECT_TRUE(cellStyle(makeAttr(15, 1), none).bold);
  EXPECT_EQ(cellStyle(makeAttr(15, 1), none).pair, 0);
}

TEST(Glyphs, BytesShowAsTheirCharacters) {
  EXPECT_EQ(screenGlyph('A'), U'A');
  EXPECT_EQ(screenGlyph(' '), U' ');
  EXPECT_EQ(screenGlyph(0x80), U'Ç');
  EXPECT_EQ(screenGlyph(0x87), U'ç');
  EXPECT_EQ(screenGlyph(0x8E), U'Ã');
  EXPECT_EQ(screenGlyph(0xDA), U'┌');
  EXPECT_EQ(screenGlyph(0xC4), U'─');
  EXPECT_EQ(screenGlyph(0xBF), U'┐');
  EXPECT_EQ(screenGlyph(0xB3), U'│');
  EXPECT_EQ(screenGlyph(0xD9), U'┘');
  EXPECT_EQ(screenGlyph(0xC0), U'└');
  EXPECT_EQ(screenGlyph(0xCD), U'═');
  EXPECT_EQ(screenGlyph(0xC1), U'┴');
  EXPECT_EQ(screenGlyph(0xB0), U'░');
  EXPECT_EQ(screenGlyph(0xFE), U'■');
  EXPECT_EQ(screenGlyph(0xAE), U'«');
  EXPECT_EQ(screenGlyph(0xAF), U'»');
  EXPECT_EQ(screenGlyph(0xC6), U'╞');
}

TEST(Glyphs, ControlBytesNeverReachTheTerminal) {
  // A control byte written to the terminal would move its cursor or change its modes.
  for (int b = 0; b < 256; ++b) {
    char32_t g = screenGlyph(static_cast<unsigned char>(b));
    EXPECT_GE(g, U' ') << b;
    EXPECT_NE(g, U'\x7f') << b;
    EXPECT_FALSE(g >= 0x80 && g < 0xA0) << b;
  }
  EXPECT_EQ(screenGlyph(0x10), U'►');
  EXPECT_EQ(screenGlyph(0x1E), U'▲');
  EXPECT_EQ(screenGlyph(0x00), U' ');
}

}  // namespace
}  // namespace rt::term

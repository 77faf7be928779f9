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

TEST(ColourMap, DepthOfTheTerminal) {
  EXPECT_EQ(colourDepth(256, 65536), ColourDepth::Sixteen);
  EXPECT_EQ(colourDepth(16, 256), ColourDepth::Sixteen);
  EXPECT_EQ(colourDepth(8, 64), ColourDepth::Eight);
  EXPECT_EQ(colourDepth(16, 64), ColourDepth::Eight);
  EXPECT_EQ(colourDepth(0, 0), ColourDepth::None);
}

TEST(ColourMap, SixteenColoursGiveEveryAttributeItsOwnPair) {
  std::set<int> pairs;
  for (int a = 0; a < 256; ++a) {
    CellStyle s = cellStyle(static_cast<Attr>(a), ColourDepth::Sixteen);
    EXPECT_FALSE(s.bold);
    ASSERT_GE(s.pair, 0);
    ASSERT_LT(s.pair, pairCount(ColourDepth::Sixteen));
    pairs.insert(s.pair);
    PairColours c = pairColours(s.pair, ColourDepth::Sixteen);
    EXPECT_EQ(c.foreground, foreground(static_cast<Attr>(a)));
    EXPECT_EQ(c.background, background(static_cast<Attr>(a)));
  }
  EXPECT_EQ(pairs.size(), 256u);
  // White on black is the terminal's default pair, which curses keeps as pair 0.
  EXPECT_EQ(cellStyle(makeAttr(7, 0), ColourDepth::Sixteen).pair, 0);
  // Bright backgrounds keep their own pair (N/W+ is not N/W).
  EXPECT_NE(cellStyle(makeAttr(0, 15), ColourDepth::Sixteen).pair, cellStyle(makeAttr(0, 7), ColourDepth::Sixteen).pair);
}

TEST(ColourMap, EightColoursShowBrightForegroundsInBold) {
  std::set<int> pairs;
  for (int a = 0; a < 256; ++a) {
    CellStyle s = cellStyle(static_cast<Attr>(a), ColourDepth::Eight);
    ASSERT_GE(s.pair, 0);
    ASSERT_LT(s.pair, 64);
    EXPECT_EQ(s.bold, foreground(static_cast<Attr>(a)) > 7);
    PairColours c = pairColours(s.pair, ColourDepth::Eight);
    EXPECT_EQ(c.foreground, foreground(static_cast<Attr>(a)) & 7);
    EXPECT_EQ(c.background, background(static_cast<Attr>(a)) & 7);
    pairs.insert(s.pair);
  }
  EXPECT_EQ(pairs.size(), 64u);
  EXPECT_EQ(cellStyle(makeAttr(7, 0), ColourDepth::Eight).pair, 0);
  EXPECT_EQ(cellStyle(makeAttr(15, 0), ColourDepth::Eight).pair, 0);
}

TEST(ColourMap, WithoutColoursBackgroundsShowReversed) {
  EXPECT_FALSE(cellStyle(makeAttr(7, 0), ColourDepth::None).reverse);
  EXPECT_TRUE(cellStyle(makeAttr(0, 7), ColourDepth::None).reverse);
  EXPECT_TRUE(cellStyle(makeAttr(15, 1), ColourDepth::None).bold);
  EXPECT_EQ(cellStyle(makeAttr(15, 1), ColourDepth::None).pair, 0);
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

#include "rt/term/colour.h"

#include <gtest/gtest.h>

namespace rt::term {
namespace {

TEST(Colour, NumericAttributeToText) {
  EXPECT_EQ(colourText(30), "GR+/B");
  EXPECT_EQ(colourText(112), "N/W");
  EXPECT_EQ(colourText(79), "W+/R");
  EXPECT_EQ(colourText(48), "N/BG");
  EXPECT_EQ(colourText(0), "N/N");
  EXPECT_EQ(colourText(255), "W+/W+");
  EXPECT_EQ(colourText(31), "W+/B");
  EXPECT_EQ(colourText(makeAttr(5, 6)), "BR/GR");
}

TEST(Colour, TextToNumericAttribute) {
  EXPECT_EQ(parseColour("GR+/B"), 30);
  EXPECT_EQ(parseColour("N/W"), 112);
  EXPECT_EQ(parseColour("W+/R"), 79);
  EXPECT_EQ(parseColour("N/BG"), 48);
  EXPECT_EQ(parseColour("N/N"), 0);
  EXPECT_EQ(parseColour("W+/W+"), 255);
  EXPECT_EQ(parseColour("N/W+"), makeAttr(0, 15));
  EXPECT_EQ(parseColour("W/R+"), makeAttr(7, 12));
  // Letters in any case and order, blanks, "+" before the letter, a missing side.
  EXPECT_EQ(parseColour("w+/b"), 31);
  EXPECT_EQ(parseColour(" +W / B "), 31);
  EXPECT_EQ(parseColour("RG/BR"), makeAttr(6, 5));
  EXPECT_EQ(parseColour("W"), makeAttr(7, 0));
  EXPECT_EQ(parseColour("/B"), makeAttr(0, 1));
  EXPECT_EQ(parseColour(""), makeAttr(0, 0));
}

TEST(Colour, EveryAttributeSurvivesTheRoundTrip) {
  for (int a = 0; a < 256; ++a) {
    auto text = colourText(static_cast<Attr>(a));
    ASSERT_EQ(parseColour(text), a) << text;
  }
}

TEST(Colour, BlinkShowsAsABrightBackground) {
  EXPECT_EQ(parseColour("R/W*"), makeAttr(4, 15));
  EXPECT_EQ(parseColour("N/W*"), makeAttr(0, 15));
  // On the foreground side the "*" is still blink, not a bright letter.
  EXPECT_EQ(parseColour("W*/B"), makeAttr(7, 9));
  EXPECT_EQ(parseColour("W+*/B"), makeAttr(15, 9));
  EXPECT_EQ(parseColour("*W+/B"), makeAttr(15, 9));
}

TEST(Colour, TextsThatAreNoColour) {
  EXPECT_FALSE(parseColour("Q/B"));
  EXPECT_FALSE(parseColour("W/BLUE"));
  EXPECT_FALSE(parseColour("W+/B/R"));
}

TEST(Colour, ListsOfUpToSixEntries) {
  ColourSet set = parseColourList("N/W+,W/N,N/N,N/N,N/W+");
  EXPECT_EQ(set.standard(), makeAttr(0, 15));
  EXPECT_EQ(set.enhanced(), makeAttr(7, 0));
  EXPECT_EQ(set.border(), makeAttr(0, 0));
  EXPECT_EQ(set.entries[3], makeAttr(0, 0));
  EXPECT_EQ(set.unselected(), makeAttr(0, 15));
  EXPECT_EQ(set.entries[5], ColourSet{}.entries[5]) << "a missing sixth entry keeps its default";

  ColourSet menu = parseColourList("GR+/B,W/R+,W+/B,W+/B,W+/B,W+/B");
  EXPECT_EQ(menu.entries[0], 30);
  EXPECT_EQ(menu.entries[1], makeAttr(7, 12));
  for (int i = 2; i < 6; ++i) EXPECT_EQ(menu.entries[static_cast<std::size_t>(i)], 31) << i;
}

TEST(Colour, EmptyAndBadEntriesKeepTheBase) {
  ColourSet base = parseColourList("W/W,W/W,N/N,N/N,W/W");
  ColourSet set = parseColourList("W+/B,,  ,XX/Y,R/G", base);
  EXPECT_EQ(set.entries[0], 31);
  EXPECT_EQ(set.entries[1], base.entries[1]);
  EXPECT_EQ(set.entries[2], base.entries[2]);
  EXPECT_EQ(set.entries[3], base.entries[3]);
  EXPECT_EQ(set.entries[4], makeAttr(4, 2));
  EXPECT_EQ(set.entries[5], base.entries[5]);
  // A seventh entry and beyond are ignored; an empty list changes nothing.
  ColourSet seven = parseColourList("N/N,N/N,N/N,N/N,N/N,N/N,W+/W+");
  for (Attr a : seven.entries) EXPECT_EQ(a, 0);
  ColourSet same = parseColourList("", base);
  EXPECT_EQ(same.entries, base.entries);
}

}  // namespace
}  // namespace rt::term

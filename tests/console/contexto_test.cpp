#include "console/contexto.h"

#include <gtest/gtest.h>

#include "fixture.h"

namespace {

class ContextoTest : public ::testing::Test, protected console::teste::ConsoleFixture {};

TEST_F(ContextoTest, StartsWithTheTerminalsDefaultColoursAndEmptyTables) {
  EXPECT_EQ(ctx.cores.COR_TEL1, 30);
  EXPECT_EQ(ctx.cores.COR_ESCOL, 79);
  EXPECT_EQ(ctx.cores.COR_SAY, "N/W+");
  EXPECT_EQ(ctx.cores.COR_ENCH_C, "W+/B");
  EXPECT_EQ(ctx.ALJ[1], 0);
  EXPECT_EQ(ctx.ACJB[12], 0);
  for (int id = 1; id <= 10; ++id) EXPECT_NE(ctx.janelas.find(console::Jan{id}), nullptr) << id;
  EXPECT_EQ(&ctx.screen(), &con.screen());
}

TEST_F(ContextoTest, PositionTablesIgnoreIndexesOutsideTheirSize) {
  ctx.ALJA[23] = 5;
  ctx.ALJA[24] = 9;  // no such slot: written nowhere
  ctx.ALJA[0] = 9;
  ctx.ALJB[13] = 9;
  EXPECT_EQ(ctx.ALJA[23], 5);
  EXPECT_EQ(ctx.ALJA[24], 0);
  EXPECT_EQ(ctx.ALJA[0], 0);
  EXPECT_EQ(ctx.ALJA[22], 0);
  EXPECT_EQ(ctx.ALJB[13], 0);
  EXPECT_EQ(ctx.ALJB[12], 0);
}

}  // namespace

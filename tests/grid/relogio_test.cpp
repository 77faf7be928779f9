// The idle clock of the declaration's grids: the time of use shown every idle minute, stopped
// once after TEMP_DES idle minutes, started again by the next key; Alt+T pauses it.
#include <gtest/gtest.h>

#include <chrono>

#include "fixture.h"
#include "rt/term/keys.h"

namespace {

using grid::teste::C;
using grid::teste::GridFixture;
namespace key = rt::term::key;
using std::chrono::minutes;
using std::chrono::seconds;

class Relogio : public GridFixture {
 protected:
  void SetUp() override {
    tabela(store::Area::TMP_03);
    linha(store::Area::TMP_03, {{"NOMEDEPEN", C("MARIA")}});
    g.TEMP_DES = 2;
  }
};

TEST_F(Relogio, IdleGridStopsTheClockOnceAndTheNextKeyRestartsIt) {
  teclas().pause(minutes(5) + seconds(10)).press(key::Down).press(key::Esc);
  grid::EDITA(ctx, g, 3);
  // Shown at two, three, four and five idle minutes; stopped once past two.
  EXPECT_EQ(servicos.conta("VETEMPO"), 4);
  EXPECT_EQ(servicos.conta("PARA_REL"), 1);
  EXPECT_EQ(servicos.conta("INI_DECLA"), 1);
  // The stop came after the third minute's display, the restart after the last one.
  const auto& c = servicos.chamadas;
  const auto para = std::find(c.begin(), c.end(), "PARA_REL");
  ASSERT_NE(para, c.end());
  EXPECT_EQ(std::count(c.begin(), para, "VETEMPO"), 2);
  EXPECT_EQ(c.back(), "INI_DECLA");
}

TEST_F(Relogio, ShortPausesDoNothing) {
  teclas().pause(seconds(110)).press(key::Down).pause(seconds(110)).press(key::Esc);
  grid::EDITA(ctx, g, 3);
  EXPECT_FALSE(servicos.chamou("VETEMPO"));
  EXPECT_FALSE(servicos.chamou("PARA_REL"));
  EXPECT_FALSE(servicos.chamou("INI_DECLA"));
}

TEST_F(Relogio, APausedClockOrNoDeclarationIsNotStopped) {
  servicos.pausado = true;
  teclas().pause(minutes(4)).press(key::Esc);
  grid::EDITA(ctx, g, 3);
  EXPECT_FALSE(servicos.chamou("PARA_REL"));
  EXPECT_FALSE(servicos.chamou("INI_DECLA"));
  servicos.pausado = false;
  g.OPCAO_1 = 0;
  teclas().pause(minutes(4)).press(key::Esc);
  grid::EDITA(ctx, g, 3);
  EXPECT_FALSE(servicos.chamou("PARA_REL"));
  // The display still runs.
  EXPECT_TRUE(servicos.chamou("VETEMPO"));
}

TEST_F(Relogio, GridsAboveTwentyJustWait) {
  tabela(store::Area::AUXPAG);
  (void)ctx.areas.select(store::Area::AUXPAG);
  teclas().pause(minutes(4)).press(key::Esc);
  grid::EDITA(ctx, g, 30);
  EXPECT_FALSE(servicos.chamou("VETEMPO"));
  EXPECT_FALSE(servicos.chamou("PARA_REL"));
}

TEST_F(Relogio, AltTPausesTheClockInsideADeclaration) {
  teclas().press(key::AltT).press(key::Esc);
  grid::EDITA(ctx, g, 3);
  EXPECT_TRUE(servicos.pausado);
  g.OPCAO_1 = 0;
  teclas().press(key::AltT).press(key::Esc);
  grid::EDITA(ctx, g, 3);
  EXPECT_EQ(servicos.conta("DESLIG_RELG"), 1);
}

}  // namespace

// The order of the declaration's screens: every key that leaves a screen, on the screens where
// the rule differs, with and without rural activity, for a new taxpayer and with the rural
// activity abroad.
#include "shell/declara_regras.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rt/term/keys.h"

namespace shell::teste {
namespace {

namespace key = rt::term::key;

struct Caso {
  int tela;
  int tecla;
  int esperada;  // -1: the end question is asked and the screen stays
  bool rural = false;
  bool novo = false;
  std::string atv = "S";
  bool mudou = false;  // a screen key already chose the screen
};

std::string nome(const Caso& c) {
  return "screen " + std::to_string(c.tela) + " key " + std::to_string(c.tecla) + (c.rural ? " rural" : "") +
         (c.novo ? " new" : "") + (c.atv == "N" ? " abroad" : "") + (c.mudou ? " switched" : "");
}

TEST(ProximaTela, EveryKeyLeadsWhereTheDriverSends) {
  const std::vector<Caso> casos = {
      // PgDn: the same screen again, also 5 after its final-declaration dialog.
      {5, key::PgDn, 5},
      {1, key::PgDn, 1},
      {22, key::PgDn, 22},
      // PgUp and Shift-Tab.
      {22, key::PgUp, 5},
      {23, key::ShiftTab, 5},
      {10, key::ShiftTab, 7},
      {11, key::ShiftTab, 10},
      {8, key::PgUp, 7},
      {9, key::ShiftTab, 7},
      {7, key::ShiftTab, 6},
      {2, key::PgUp, 1},
      {1, key::ShiftTab, 1},
      {11, key::ShiftTab, 10, true},
      {12, key::ShiftTab, 11, true},
      {14, key::ShiftTab, 13, true},
      {14, key::ShiftTab, 12, true, false, "N"},
      {17, key::ShiftTab, 17, true},
      // Tab.
      {6, key::Tab, 1, false, true},
      {6, key::Tab, 7},
      {7, key::Tab, 10},
      {10, key::Tab, 11},
      {11, key::Tab, 1},
      {11, key::Tab, 12, true},
      {17, key::Tab, 12, true},
      {8, key::Tab, 7},
      {9, key::Tab, 7},
      {22, key::Tab, 4},
      {23, key::Tab, 4},
      {1, key::Tab, 2},
      {5, key::Tab, 6},
      {12, key::Tab, 13, true},
      {12, key::Tab, 14, true, false, "N"},
      // Esc.
      {8, key::Esc, 7},
      {9, key::Esc, 7},
      {22, key::Esc, 5},
      {23, key::Esc, 5},
      {11, key::Esc, 10},
      {1, key::Esc, -1},
      {7, key::Esc, -1},
      {10, key::Esc, -1},
      // Enter.
      {6, key::Enter, 1, false, true},
      {6, key::Enter, 7},
      {3, key::Enter, 4},
      {11, key::Enter, 12},
      // Any other key, when no screen key chose the screen.
      {6, 0, 1, false, true},
      {3, 0, 4},
      {11, 0, 10},
      {11, 0, 12, true},
      {7, 0, 10},
      {9, 0, 10},
      {10, key::F2, 10},
      {13, 0, 14, true},
      // A screen key chose the screen: it stands.
      {4, key::F5, 4, false, false, "S", true},
      {6, 0, 6, false, true, "S", true},
  };
  for (const Caso& c : casos) {
    grid::TelaAberta tela;
    tela.TELA = c.tela;
    tela.TELAMAX = telaMaxima(c.rural);
    SaidaDaTela s;
    s.ULTTECLA = c.tecla;
    s.TECLAMUDA = c.mudou;
    s.PVEZ = c.novo;
    s.rural = c.rural;
    s.ATV_BRASIL = c.atv;
    const ProximaTela r = proximaTela(tela, s);
    if (c.esperada < 0) {
      EXPECT_TRUE(r.pergunta) << nome(c);
      EXPECT_EQ(r.tela, c.tela) << nome(c);
    } else {
      EXPECT_FALSE(r.pergunta) << nome(c);
      EXPECT_EQ(r.tela, c.esperada) << nome(c);
    }
  }
}

TEST(ProximaTela, ScreensBeyondTheLastAreKeptOnlyForTheDetails) {
  EXPECT_EQ(telaPermitida(12, 11, 11), 11);  // no rural activity: back to the last screen
  EXPECT_EQ(telaPermitida(12, 11, 17), 12);
  EXPECT_EQ(telaPermitida(18, 17, 17), 12);
  EXPECT_EQ(telaPermitida(22, 5, 11), 22);
  EXPECT_EQ(telaPermitida(23, 5, 11), 23);
  EXPECT_EQ(telaPermitida(20, 7, 11), 7);
  EXPECT_EQ(telaPermitida(11, 10, 11), 11);
  EXPECT_EQ(telaMaxima(true), 17);
  EXPECT_EQ(telaMaxima(false), 11);
}

}  // namespace
}  // namespace shell::teste

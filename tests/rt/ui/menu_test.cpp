#include <gtest/gtest.h>

#include "rt/term/console.h"
#include "rt/term/scripted_terminal.h"
#include "rt/text/cp860.h"
#include "rt/ui/menu.h"

namespace rt::ui {
namespace {

using rt::term::Console;
using rt::term::Key;
using rt::term::ScriptedTerminal;
namespace key = rt::term::key;
using namespace rt::text::literals;

struct MenuTest : ::testing::Test {
  ScriptedTerminal term;
  Console console{term};
  rt::term::ColourSet colours = rt::term::parseColourList("N/W,W+/N,R/W,R+/N,N+/W,N/W");
  MenuBar bar{console, colours};
  std::vector<std::string> seen;  // the screen rows a hot key saw
  void SetUp() override {
    bar.addPad(" Dec&laracao  ", {{std::string("&Declaração"_cp), 11, std::string("Inicia ou modifica uma declaração"_cp)},
                                 {"&Lancamentos", 12, "Prepara todos os lancamentos."},
                                 {"&Conferencia", 13, "Confere uma declaracao"},
                                 menuSeparator(),
                                 {"&Terminar", 17, "Sai do programa reorganizando", key::AltT}});
    bar.addPad("O&pcoes", {{"&Area de Trabalho", 21, "Seleciona drive e a pasta"},
                           {"&Trans.Declaracao", 22, "Transfere", 0, false},
                           {"&Senha", 23, "Retira, coloca ou modifica a senha"}});
    bar.addPad("Sai&r", {{"Sai&r ", 81, "Sai do programa ", key::AltR}});
    console.setKey(key::F9, [this] {
      seen.clear();
      for (int r = 0; r < 25; ++r) seen.push_back(term.row(r));
    });
  }
};

TEST_F(MenuTest, AltLetterOpensAPadAndAnItemIsChosen) {
  term.press(key::AltP).press(key::Down).press(key::F9).press(key::Enter);
  EXPECT_EQ(bar.run(), 23);  // Down passed over the disabled item
  ASSERT_EQ(seen.size(), 25u);
  // The bar: " Declaracao  " then " Opcoes " highlighted.
  EXPECT_EQ(seen[0].substr(0, 24), "  Declaracao    Opcoes  ");
  const int pad2 = 15;
  EXPECT_EQ(seen[1].substr(pad2, 20), std::string("┌──────────────────┐"_cp));
  EXPECT_EQ(seen[2].substr(pad2, 20), std::string("│ Area de Trabalho │"_cp));
  EXPECT_EQ(seen[4].substr(pad2, 20), std::string("│ Senha            │"_cp));
  EXPECT_EQ(seen[24].find("Retira, coloca ou modifica a senha"), 23u);
  console.refresh();
  EXPECT_EQ(term.row(2).substr(pad2, 5), std::string(5, ' '));  // the pop-up is gone
  EXPECT_EQ(term.attrAt(0, pad2 + 2), colours.entries[2]);      // hot letter "p" marked
}

TEST_F(MenuTest, HotLettersShortcutsEscAndMouse) {
  term.press(key::AltL).type("c");
  EXPECT_EQ(bar.run(), 13);
  term.press(key::AltT);
  EXPECT_EQ(bar.run(), 17);  // a shortcut from the closed bar
  term.press(key::Enter).press(key::Esc).press(key::Esc);
  EXPECT_EQ(bar.run(1), 0);
  term.press(key::Enter).press(key::Right).press(key::Enter);
  EXPECT_EQ(bar.run(1), 81);
  EXPECT_EQ(bar.currentPad(), 2);
  term.press(Key{key::MouseLeft, false, 0, 3}).press(Key{key::MouseLeft, false, 3, 5});
  EXPECT_EQ(bar.run(), 12);
}

}  // namespace
}  // namespace rt::ui

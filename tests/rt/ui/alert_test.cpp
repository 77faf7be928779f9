#include <gtest/gtest.h>

#include "rt/term/console.h"
#include "rt/term/scripted_terminal.h"
#include "rt/text/cp860.h"
#include "rt/ui/alert.h"

namespace rt::ui {
namespace {

using rt::term::Console;
using rt::term::ScriptedTerminal;
namespace key = rt::term::key;
using namespace rt::text::literals;

struct AlertTest : ::testing::Test {
  ScriptedTerminal term;
  Console console{term};
  std::vector<std::string> simNao{"Sim", "Nao"};
};

TEST_F(AlertTest, HotLetterChoosesAndTheScreenComesBack) {
  console.screen().put(12, 0, std::string(80, 'x'), 7);
  int shownRow = -1;
  std::string buttonsRow;
  term.press(key::Right).type("n");  // the move shows the box with "Nao" under the cursor
  int answer = alert(console, "Confirma os dados ?;Segunda linha", simNao, "N/W+");
  EXPECT_EQ(answer, 2);
  // While it waited for "n" the box showed both lines centred and the buttons.
  bool found = false;
  for (int r = 0; r < 25; ++r)
    if (term.row(r).find("Confirma os dados ?") != std::string::npos) {
      found = true;
      shownRow = r;
      buttonsRow = term.row(r + 3);
      EXPECT_NE(term.row(r + 1).find("Segunda linha"), std::string::npos);
    }
  EXPECT_TRUE(found) << term.dump();
  EXPECT_NE(buttonsRow.find(" Sim    Nao "), std::string::npos) << buttonsRow;
  auto nao = static_cast<int>(buttonsRow.find(" Nao "));
  EXPECT_EQ(term.attrAt(shownRow + 3, nao + 1), rt::term::makeAttr(15, 0));  // selected: sides swapped
  console.refresh();
  EXPECT_EQ(term.row(12), std::string(80, 'x'));
}

TEST_F(AlertTest, EscGivesZeroAndEnterTheCurrentButton) {
  term.press(key::Esc);
  EXPECT_EQ(alert(console, "Sair do Editor ? ", simNao), 0);
  term.press(key::Enter);
  EXPECT_EQ(alert(console, "x", simNao, "W+/R", 2), 2);
  std::vector<std::string> seven{"1", "2", "3", "4", "5", "6", "7"};
  term.type("5");
  EXPECT_EQ(alert(console, "Qual?", seven), 5);
  term.press(key::Left).press(key::Left).press(key::Enter);
  EXPECT_EQ(alert(console, "Qual?", seven), 6);  // wraps from the first to the last
}

}  // namespace
}  // namespace rt::ui

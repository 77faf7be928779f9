#include <gtest/gtest.h>

#include "rt/term/console.h"
#include "rt/term/scripted_terminal.h"
#include "rt/ui/achoice.h"

namespace rt::ui {
namespace {

using rt::term::Console;
using rt::term::ScriptedTerminal;
namespace key = rt::term::key;

struct AChoiceTest : ::testing::Test {
  ScriptedTerminal term;
  Console console{term};
  std::vector<std::string> items{"Abrir", "Novo", "Salvar", "salvar Como", "saiR", "Extra 1", "Extra 2"};
  rt::term::Rect rect{5, 10, 8, 24};  // four rows: the list scrolls
  AChoiceOptions options() {
    AChoiceOptions o;
    o.colours = rt::term::parseColourList("W/B,N/W,,,W+/B");
    return o;
  }
};

TEST_F(AChoiceTest, MovesSkipUnselectableItemsAndScroll) {
  auto o = options();
  o.selectable = {true, false, true, true, true, true, true};
  term.press(key::Down);  // skips "Novo"
  term.press(key::Down).press(key::Down).press(key::Down);  // to "saiR"... then "Extra 1"
  term.press(key::Enter);
  EXPECT_EQ(achoice(console, rect, items, o), 6);
  console.refresh();
  EXPECT_EQ(term.row(8).substr(10, 15), "Extra 1        ");
  EXPECT_EQ(term.attrAt(8, 10), o.colours.enhanced());
  EXPECT_EQ(term.row(5).substr(10, 6), "Salvar");
}

TEST_F(AChoiceTest, LettersHomeEndAndEsc) {
  auto o = options();
  term.type("s").type("s").press(key::Enter);
  EXPECT_EQ(achoice(console, rect, items, o), 4);  // the second item beginning with S
  term.press(key::End).press(key::Up).press(key::Enter);
  EXPECT_EQ(achoice(console, rect, items, o), 6);
  term.press(key::Down).press(key::Esc);
  EXPECT_EQ(achoice(console, rect, items, o), 0);
  term.press(key::Right);
  EXPECT_EQ(achoice(console, rect, items, o), 0);
  EXPECT_EQ(console.lastKey().code, key::Right);
}

TEST_F(AChoiceTest, UserFunctionDecidesOnExceptionsAndHits) {
  auto o = options();
  o.initial = 2;
  std::vector<std::pair<AChoiceMode, int>> calls;
  o.userFunction = [&](AChoiceMode mode, int current, int) {
    calls.emplace_back(mode, current);
    if (mode != AChoiceMode::Exception) return AChoiceAction::Continue;
    int k = console.lastKey().code;
    if (k == key::Enter) return AChoiceAction::Select;
    if (k == key::Esc) return AChoiceAction::Abort;
    if (k == 'e') return AChoiceAction::Goto;
    return AChoiceAction::Continue;
  };
  term.pause();  // nothing typed yet: the list is idle
  term.press(key::Up).press(key::Up);  // the second Up hits the top
  term.type("e").press(key::Enter);
  EXPECT_EQ(achoice(console, rect, items, o), 6);
  auto has = [&](AChoiceMode m, int cur) {
    return std::find(calls.begin(), calls.end(), std::make_pair(m, cur)) != calls.end();
  };
  EXPECT_TRUE(has(AChoiceMode::Idle, 2));
  EXPECT_TRUE(has(AChoiceMode::HitTop, 1));
  EXPECT_TRUE(has(AChoiceMode::Exception, 1));  // "e" came as an exception on item 1
  EXPECT_TRUE(has(AChoiceMode::Exception, 6));  // Enter on "Extra 1"
}

TEST_F(AChoiceTest, HotKeyRunsInsideTheList) {
  auto o = options();
  int fired = 0;
  console.setKey(key::F2, [&] { ++fired; });
  term.press(key::F2).press(key::Down).press(key::Enter);
  EXPECT_EQ(achoice(console, rect, items, o), 2);
  EXPECT_EQ(fired, 1);
}

}  // namespace
}  // namespace rt::ui

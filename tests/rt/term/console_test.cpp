#include "rt/term/console.h"

#include <gtest/gtest.h>

#include "rt/term/scripted_terminal.h"
#include "rt/text/cp860.h"

namespace rt::term {
namespace {

using namespace std::chrono_literals;
using namespace rt::text::literals;

class ConsoleTest : public testing::Test {
 protected:
  ScriptedTerminal term;
  Console console{term};
};

TEST_F(ConsoleTest, PushedKeysComeBeforeTypedOnes) {
  term.press(key::Enter).type("x");
  console.push(key::F2);
  console.pushText("ab");
  EXPECT_EQ(console.inkey(0ms).code, key::F2);
  EXPECT_EQ(console.inkey(0ms).code, 'a');
  EXPECT_EQ(console.lastKey().code, 'a');
  EXPECT_EQ(console.inkey(0ms).code, 'b');
  EXPECT_EQ(console.waitKey().code, key::Enter);
  EXPECT_EQ(console.inkey(0ms).code, 'x');
  EXPECT_EQ(console.lastKey().code, 'x');
}

TEST_F(ConsoleTest, PollingFindsNothingWithoutAKey) {
  EXPECT_TRUE(console.inkey(0ms).isNone());
  EXPECT_FALSE(console.keyWaiting());
  console.push(key::Esc);
  EXPECT_TRUE(console.keyWaiting());
}

TEST_F(ConsoleTest, TypeaheadIsClearedButLaterKeysStay) {
  term.press(key::Down).press(key::Down);
  console.push(key::F5);
  console.clearTypeahead();
  EXPECT_FALSE(console.keyWaiting());
  term.press(key::Up);
  EXPECT_EQ(console.waitKey().code, key::Up);
}

TEST_F(ConsoleTest, ScreenIsShownBeforeWaitingAndOnlyWhenChanged) {
  console.screen().put(3, 4, "Confirma", makeAttr(0, 7));
  term.press('S').press('N');
  EXPECT_EQ(console.waitKey().code, 'S');
  EXPECT_EQ(term.row(3).substr(4, 8), "Confirma");
  EXPECT_EQ(term.attrAt(3, 4), makeAttr(0, 7));
  const int shown = term.presents();
  console.waitKey();
  EXPECT_EQ(term.presents(), shown) << "nothing changed, nothing redrawn";
}

TEST_F(ConsoleTest, PauseMakesATimedReadTimeOut) {
  term.pause().press('a');
  EXPECT_TRUE(console.inkey(0ms).isNone());
  EXPECT_EQ(console.inkey(0ms).code, 'a');
}

TEST_F(ConsoleTest, TimedWaitsRunOnTheTerminalsClock) {
  // A ten-second wait with nothing typed ends at once on the scripted terminal's virtual clock,
  // and calls the idle callback while it waits.
  int idles = 0;
  console.setIdle([&] { ++idles; });
  EXPECT_TRUE(console.inkey(10s).isNone());
  EXPECT_GE(term.elapsed(), 10s);
  EXPECT_LT(term.elapsed(), 11s);
  EXPECT_GT(idles, 10);
  term.pause(3s).press('x');
  EXPECT_EQ(console.inkey(10s).code, 'x');
}

TEST_F(ConsoleTest, HotKeysWithCtrlLetterOnlyNeverFireOnArrows) {
  int modelSwitches = 0, helps = 0;
  console.setKey(
      key::Left, [&] { ++modelSwitches; }, /*ctrlLetterOnly=*/true);
  console.setKey(key::F1, [&] { ++helps; });
  EXPECT_EQ(console.hotKeyFor(Key{key::Left}), nullptr) << "the Left arrow is no Ctrl+S";
  const Console::HotKey* onCtrlS = console.hotKeyFor(ctrlKey('s'));
  ASSERT_NE(onCtrlS, nullptr);
  (*onCtrlS)();
  EXPECT_EQ(modelSwitches, 1);
  ASSERT_NE(console.hotKeyFor(Key{key::F1}), nullptr);
  (*console.hotKeyFor(Key{key::F1}))();
  EXPECT_EQ(helps, 1);
  EXPECT_EQ(console.hotKeyFor(Key{key::F2}), nullptr);
  console.clearKey(key::Left);
  EXPECT_EQ(console.hotKeyFor(ctrlKey('s')), nullptr);
}

TEST_F(ConsoleTest, AnOrdinaryBindingFiresForBothKeysThatShareACode) {
  int fired = 0;
  console.setKey(key::Left, [&] { ++fired; });
  EXPECT_NE(console.hotKeyFor(Key{key::Left}), nullptr);
  EXPECT_NE(console.hotKeyFor(ctrlKey('s')), nullptr);
}

TEST_F(ConsoleTest, BellFollowsTheSwitchButBeepAlwaysSounds) {
  console.bell();
  EXPECT_EQ(term.beeps(), 0);
  console.setBell(true);
  console.bell();
  console.beep();
  EXPECT_EQ(term.beeps(), 2);
}

// What the scripted terminal itself promises the tests built on it.
TEST(ScriptedTerminal, ForgottenKeysEndInEscInsteadOfHanging) {
  ScriptedTerminal term;
  EXPECT_EQ(term.readKey(-1ms), Key{key::Esc});
  EXPECT_TRUE(term.exhausted());
  ScriptedTerminal polled;
  std::optional<Key> k;
  int reads = 0;
  while (!(k = polled.readKey(100ms)) && reads < 20000) ++reads;
  ASSERT_TRUE(k);
  EXPECT_EQ(k->code, key::Esc);
  EXPECT_TRUE(polled.exhausted());
}

TEST(ScriptedTerminal, TimePassesOnlyInTimedWaitsWithoutAKey) {
  ScriptedTerminal term;
  term.press('a').pause(1000ms).press('b');
  EXPECT_EQ(term.readKey(250ms)->code, 'a');
  EXPECT_EQ(term.elapsed(), 0ms);
  int timeouts = 0;
  std::optional<Key> k;
  while (!(k = term.readKey(250ms))) ++timeouts;
  EXPECT_EQ(timeouts, 4);
  EXPECT_EQ(k->code, 'b');
  EXPECT_EQ(term.elapsed(), 1000ms);
  EXPECT_EQ(term.now() - std::chrono::steady_clock::time_point{}, 1000ms);
  // A wait without time limit sits a pause out at once.
  term.pause(5000ms).press('c');
  EXPECT_EQ(term.readKey(-1ms)->code, 'c');
  EXPECT_EQ(term.elapsed(), 6000ms);
  // An empty queue times out as well, and the clock moves by the timeout.
  EXPECT_FALSE(term.readKey(300ms));
  EXPECT_EQ(term.elapsed(), 6300ms);
  EXPECT_FALSE(term.exhausted());
}

TEST(ScriptedTerminal, ShowsRowsAsCp860AndUtf8) {
  ScriptedTerminal term;
  Screen s;
  s.put(0, 0, "ATENÇÃO ─┐"_cp, makeAttr(14, 1));
  term.present(s);
  EXPECT_EQ(term.row(0).substr(0, 10), std::string("ATENÇÃO ─┐"_cp));
  EXPECT_EQ(term.rowUtf8(0).substr(0, 16), "ATENÇÃO ─┐");
  EXPECT_TRUE(term.contains("ÇÃO"_cp));
  EXPECT_FALSE(term.contains("CAO"));
  EXPECT_EQ(term.attrAt(0, 0), makeAttr(14, 1));
  EXPECT_EQ(term.presents(), 1);
}

}  // namespace
}  // namespace rt::term

#include <gtest/gtest.h>

#include "rt/term/console.h"
#include "rt/term/scripted_terminal.h"
#include "rt/ui/memoedit.h"

namespace rt::ui {
namespace {

using rt::term::Console;
using rt::term::ctrlKey;
using rt::term::ScriptedTerminal;
namespace key = rt::term::key;

struct MemoTest : ::testing::Test {
  ScriptedTerminal term;
  Console console{term};
  rt::term::Rect rect{2, 0, 6, 19};  // 5 rows of 20 columns
  std::string shownRow(int r) {
    console.refresh();
    return term.row(r).substr(0, 20);
  }
};

TEST_F(MemoTest, TypedTextWrapsAndIsGivenBackWithSoftLineEnds) {
  console.setInsertMode(true);
  term.type("O contribuinte deve entregar a declaracao").press(key::Enter).type("Atenciosamente");
  term.press(ctrlKey('w'));
  MemoResult r = memoEdit(console, "", rect);
  EXPECT_TRUE(r.saved);
  EXPECT_TRUE(r.changed);
  EXPECT_EQ(r.text, "O contribuinte deve \x8D\nentregar a \x8D\ndeclaracao\r\nAtenciosamente");
  EXPECT_EQ(shownRow(2), "O contribuinte deve ");
  EXPECT_EQ(shownRow(3), "entregar a          ");
  EXPECT_EQ(shownRow(4), "declaracao          ");
  EXPECT_EQ(shownRow(5), "Atenciosamente      ");
  EXPECT_EQ(r.line, 4);
  EXPECT_EQ(r.col, 14);
}

TEST_F(MemoTest, EditingInsideAParagraphWrapsItAgain) {
  console.setInsertMode(true);
  // Soft line ends of the stored text join again; the new words push the rest down.
  term.press(key::End).type(" muito").press(key::CtrlPgDn).press(key::Backspace).press(ctrlKey('w'));
  MemoResult r = memoEdit(console, "Prezado cliente, \x8D\nsegue a carta\r\nFim.", rect);
  EXPECT_EQ(r.text, "Prezado cliente, \x8D\nmuito segue a carta\r\nFim");
}

TEST_F(MemoTest, EscGivesBackTheOriginalAndViewModeChangesNothing) {
  term.type("xyz").press(key::Esc);
  MemoResult r = memoEdit(console, "texto\r\noriginal", rect);
  EXPECT_FALSE(r.saved);
  EXPECT_EQ(r.text, "texto\r\noriginal");
  MemoOptions view;
  view.edit = false;
  term.type("abc").press(key::Down).press(key::Del).press(ctrlKey('w'));
  r = memoEdit(console, "texto\r\noriginal", rect, view);
  EXPECT_EQ(r.text, "texto\r\noriginal");
  EXPECT_FALSE(r.changed);
  EXPECT_EQ(r.line, 2);
}

TEST_F(MemoTest, CtrlYDeletesTheLineAndCtrlEndIsNotSave) {
  term.press(key::CtrlEnd).press(25).press(ctrlKey('w'));
  MemoResult r = memoEdit(console, "um\r\ndois\r\ntres", rect);
  EXPECT_EQ(r.text, "um\r\ndois");  // Ctrl+End went to the last row shown, Ctrl+Y removed it
  console.setInsertMode(false);
  term.press(key::Right).type("XY").press(ctrlKey('w'));
  r = memoEdit(console, "abcd", rect);
  EXPECT_EQ(r.text, "aXYd");  // overwrite
}

TEST_F(MemoTest, KeyHookSeesModesAndCanSaveOrIgnore) {
  std::vector<std::pair<MemoMode, int>> calls;
  MemoOptions o;
  o.keyHook = [&](MemoMode mode, int, int) {
    int k = console.lastKey().code;
    calls.emplace_back(mode, mode == MemoMode::Idle || mode == MemoMode::Init ? 0 : k);
    if (mode == MemoMode::Key || mode == MemoMode::KeyChanged) {
      if (k == key::AltP) return memo::kIgnore;
      if (k == key::F10) return 23;  // leave with the text, as Ctrl+W
    }
    return memo::kDefault;
  };
  console.setInsertMode(true);
  term.pause().type("A").press(key::AltP).press(key::F10);
  MemoResult r = memoEdit(console, "bc", rect, o);
  EXPECT_TRUE(r.saved);
  EXPECT_EQ(r.text, "Abc");
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls[0].first, MemoMode::Init);
  EXPECT_EQ(calls[1].first, MemoMode::Idle);
  EXPECT_NE(std::find(calls.begin(), calls.end(), std::make_pair(MemoMode::KeyChanged, key::AltP)), calls.end());
  EXPECT_NE(std::find(calls.begin(), calls.end(), std::make_pair(MemoMode::KeyChanged, key::F10)), calls.end());
}

TEST_F(MemoTest, WideLinesPanTheView) {
  MemoOptions o;
  o.lineWidth = 40;
  term.press(key::End).press(ctrlKey('w'));
  std::string line = "0123456789012345678901234567890123456789";
  MemoResult r = memoEdit(console, line, rect, o);
  EXPECT_EQ(r.col, 40);
  EXPECT_EQ(shownRow(2), std::string("1234567890123456789") + " ");
}

TEST_F(MemoTest, PositionsAndLinesConvertBothWays) {
  std::string text = "O contribuinte deve entregar\r\nfim";
  EXPECT_EQ(memoPosToLineCol(text, 20, 21).line, 2);  // "entregar" wrapped to line 2
  EXPECT_EQ(memoPosToLineCol(text, 20, 21).col, 1);
  EXPECT_EQ(memoPosToLineCol(text, 20, 30).line, 3);  // "fim" after the hard line end
  EXPECT_EQ(memoLineColToPos(text, 20, 3, 1), 31u);
  EXPECT_EQ(memoLineColToPos(text, 20, 2, 0), 20u);
  std::string soft = "abc \x8D\ndef";
  EXPECT_EQ(memoLineColToPos(soft, 4, 2, 1), 7u);  // "e", past the soft line end
}

}  // namespace
}  // namespace rt::ui

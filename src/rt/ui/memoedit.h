// The memo editor (the old runtime's MEMOEDIT): edits or shows a text in a rectangle of the
// screen, with word wrap at a line width that may be wider than the rectangle (the view pans).
//
// Text format. Lines ended with Enter are kept with CR LF. A line the editor broke by word wrap
// ends with the soft line end 8D 0A, as the old runtime stored it (the letter files keep them);
// on reading, a soft line end joins its two lines again, and the text is wrapped anew. A bare
// LF or CR also ends a line. Tabs become blanks up to the next tab stop when editing starts.
//
// Keys: arrows, Home/End (line), Ctrl+Home/Ctrl+End (first/last row of the window), PgUp/PgDn,
// Ctrl+PgUp/Ctrl+PgDn (start/end of the text), Ctrl+Left/Ctrl+Right (word), Enter, Backspace,
// Del, Tab, Ctrl+Y (delete the line), Ctrl+T (delete the word to the right), Ins
// (insert/overwrite; the cursor shape follows), Ctrl+W (end and give back the edited text),
// Esc (end and give back the text as it was). Ctrl+W is told from Ctrl+End by Key::ctrlLetter.
// In view mode nothing changes the text.
//
// The key hook is called as the old user function was: Init once at the start, Idle while no key
// is waiting, Key for a key the editor does not handle and for Ctrl+Y, Ctrl+T, Ins, Ctrl+W and
// Esc (KeyChanged once the text has changed). Its answer: kDefault (the key's own action;
// nothing for an unknown key), kIgnore, kData (the key is typed as a character), or a key code
// whose action to take instead (Ctrl+W 23 saves, Esc 27 abandons, Ins 22 toggles insert).
// Hot keys (Console::setKey) run before anything else.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "rt/term/colour.h"
#include "rt/term/console.h"

namespace rt::ui {

enum class MemoMode { Idle = 0, Key = 1, KeyChanged = 2, Init = 3 };

namespace memo {
inline constexpr int kDefault = 0;
inline constexpr int kIgnore = 32;
inline constexpr int kData = 33;
// The key codes a hook answers with most: Ctrl+W's action (end, giving back the edited text)
// and Ins's (insert/overwrite).
inline constexpr int kSave = 23;
inline constexpr int kToggleInsert = 22;
}  // namespace memo

struct MemoOptions {
  bool edit = true;
  int lineWidth = 0;  // word-wrap width; 0: the rectangle's width
  int tabSize = 4;
  bool wordWrap = true;
  // Where the cursor starts: text line (1-based) and column (0-based), and its row and column
  // inside the rectangle (0-based).
  int startLine = 1, startCol = 0, windowRow = 0, windowCol = 0;
  rt::term::Attr colour = rt::term::makeAttr(7, 0);
  // (mode, text line 1-based, text column 0-based) -> kDefault, kIgnore, kData or a key code.
  std::function<int(MemoMode mode, int line, int col)> keyHook;
};

struct MemoResult {
  std::string text;    // the edited text after Ctrl+W, the original after Esc
  bool saved = false;  // ended with Ctrl+W (or a hook answer of 23)
  bool changed = false;
  int line = 1, col = 0;  // where the cursor was
};

MemoResult memoEdit(rt::term::Console& console, std::string_view text, rt::term::Rect rect,
                    const MemoOptions& options = {});

// Line and column (line 1-based, column 0-based) of a byte offset of a text, laid out as the
// editor lays it out (the old MPOSTOLC), and back (MLCTOPOS); offsets are 0-based.
struct LineCol {
  int line = 1, col = 0;
};
LineCol memoPosToLineCol(std::string_view text, int lineWidth, std::size_t pos, int tabSize = 4, bool wordWrap = true);
std::size_t memoLineColToPos(std::string_view text, int lineWidth, int line, int col, int tabSize = 4,
                             bool wordWrap = true);

// The text laid out in lines as the editor lays it out (the old MLCOUNT and MEMOLINE), each
// line without its line end; soft line ends only join, as they do on reading.
std::vector<std::string> memoLines(std::string_view text, int lineWidth, int tabSize = 4, bool wordWrap = true);

}  // namespace rt::ui

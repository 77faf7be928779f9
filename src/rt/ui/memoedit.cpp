#include "rt/ui/memoedit.h"

#include <algorithm>
#include <vector>

#include "rt/ui/memo_layout.h"

namespace rt::ui {

using rt::term::Key;
namespace key = rt::term::key;
using memo::kSoftReturn;
using memo::Layout;
using memo::Line;

namespace {

constexpr int kCtrlT = 20, kCtrlY = 25, kCtrlW = 23;

class MemoEditor {
 public:
  MemoEditor(rt::term::Console& console, std::string_view text, rt::term::Rect rect, const MemoOptions& opt)
      : console_(console), rect_(rect), opt_(opt), original_(text) {
    for (auto& p : memo::parse(text, opt.tabSize)) paras_.push_back(std::move(p.text));
    winRows_ = std::max(1, rect.bottom - rect.top + 1);
    winCols_ = std::max(1, rect.right - rect.left + 1);
    width_ = opt.lineWidth > 0 ? opt.lineWidth : winCols_;
    relayout();
    int line = std::clamp(opt.startLine - 1, 0, static_cast<int>(layout_.lines.size()) - 1);
    place(line, opt.startCol);
    topLine_ = std::max(0, line - std::clamp(opt.windowRow, 0, winRows_ - 1));
    leftCol_ = wide() ? std::max(0, opt.startCol - std::clamp(opt.windowCol, 0, winCols_ - 1)) : 0;
  }

  MemoResult run();

 private:
  bool wide() const { return width_ > winCols_ || !opt_.wordWrap; }
  void relayout() {
    layout_.build(paras_, width_, opt_.wordWrap, [](const std::string& s) -> const std::string& { return s; });
  }
  int curLine() const { return layout_.lineOf(para_, off_); }
  int curCol() const { return off_ - layout_.lines[static_cast<std::size_t>(curLine())].start; }
  void place(int li, int col) {
    li = std::clamp(li, 0, static_cast<int>(layout_.lines.size()) - 1);
    para_ = layout_.lines[static_cast<std::size_t>(li)].para;
    off_ = layout_.offsetAt(li, col);
  }
  std::string& text() { return paras_[static_cast<std::size_t>(para_)]; }
  void ensureVisible();
  void draw();
  std::string result() const;
  int callHook(MemoMode mode) {
    console_.screen().setCursor(cursorRow(), cursorCol());
    return opt_.keyHook(mode, curLine() + 1, curCol());
  }
  int cursorRow() const { return rect_.top + curLine() - topLine_; }
  int cursorCol() const { return rect_.left + std::min(curCol() - leftCol_, winCols_ - 1); }
  void edited() {
    changed_ = true;
    relayout();
  }
  // Carries out a key; false when the edit is over (saved_ says how).
  bool perform(const Key& k, int code);
  // The moves to another line that keep to the column `col`, and those along the text; false
  // for a key that is no move.
  bool moveAcross(int code, int col);
  bool moveAlong(int code);
  // The keys that change the text, in edit mode.
  void edit(int code);
  void breakLine();
  void eraseBack();
  void eraseHere();
  void eraseLine();
  void eraseWord();
  bool handles(const Key& k) const;
  void typeChar(char c);
  void wordLeft();
  void wordRight();

  rt::term::Console& console_;
  rt::term::Rect rect_;
  const MemoOptions& opt_;
  std::string original_;
  std::vector<std::string> paras_;
  Layout layout_;
  int winRows_ = 1, winCols_ = 1, width_ = 1;
  int para_ = 0, off_ = 0;
  int wantCol_ = -1;  // the column Up and Down keep to
  int topLine_ = 0, leftCol_ = 0;
  bool changed_ = false;
  bool saved_ = false;
};

void MemoEditor::ensureVisible() {
  int li = curLine();
  if (li < topLine_) topLine_ = li;
  if (li >= topLine_ + winRows_) topLine_ = li - winRows_ + 1;
  if (wide()) {
    int c = curCol();
    if (c < leftCol_) leftCol_ = c;
    if (c >= leftCol_ + winCols_) leftCol_ = c - winCols_ + 1;
  } else {
    leftCol_ = 0;
  }
}

void MemoEditor::draw() {
  auto& s = console_.screen();
  for (int r = 0; r < winRows_; ++r) {
    std::string row(static_cast<std::size_t>(winCols_), ' ');
    int li = topLine_ + r;
    if (li < static_cast<int>(layout_.lines.size())) {
      const Line& l = layout_.lines[static_cast<std::size_t>(li)];
      const std::string& t = paras_[static_cast<std::size_t>(l.para)];
      for (int c = 0; c < winCols_; ++c) {
        int i = l.start + leftCol_ + c;
        if (i >= l.end) break;
        row[static_cast<std::size_t>(c)] = t[static_cast<std::size_t>(i)];
      }
    }
    s.put(rect_.top + r, rect_.left, row, opt_.colour);
  }
  s.setCursor(cursorRow(), cursorCol());
  if (opt_.edit)
    s.setCursorShape(console_.insertMode() ? rt::term::CursorShape::Insert : rt::term::CursorShape::Normal);
}

std::string MemoEditor::result() const {
  std::string out;
  for (std::size_t p = 0; p < paras_.size(); ++p) {
    if (p > 0) out += "\r\n";
    const std::string& t = paras_[p];
    for (int li = layout_.first[p]; li < static_cast<int>(layout_.lines.size()); ++li) {
      const Line& l = layout_.lines[static_cast<std::size_t>(li)];
      if (l.para != static_cast<int>(p)) break;
      out.append(t, static_cast<std::size_t>(l.start), static_cast<std::size_t>(l.end - l.start));
      if (!layout_.lastOfPara(li)) {
        out += kSoftReturn;
        out += '\n';
      }
    }
  }
  return out;
}

bool MemoEditor::handles(const Key& k) const {
  if (k.isChar()) return true;
  switch (k.code) {
    case key::Up: case key::Down: case key::Left: case key::Right: case key::Home: case key::End:
    case key::PgUp: case key::PgDn: case key::CtrlPgUp: case key::CtrlPgDn: case key::CtrlHome:
    case key::CtrlLeft: case key::CtrlRight: case key::Enter: case key::Backspace: case key::Del:
    case key::Tab:
      return true;
    case key::CtrlEnd:
      return !k.ctrlLetter;  // Ctrl+W shares the code and goes to the hook
    default:
      return false;
  }
}

void MemoEditor::typeChar(char c) {
  std::string& t = text();
  if (console_.insertMode() || off_ >= static_cast<int>(t.size()))
    t.insert(static_cast<std::size_t>(off_), 1, c);
  else
    t[static_cast<std::size_t>(off_)] = c;
  ++off_;
  edited();
}

void MemoEditor::wordLeft() {
  const std::string& t = text();
  if (off_ == 0) {
    if (para_ > 0) {
      --para_;
      off_ = static_cast<int>(text().size());
    }
    return;
  }
  int i = off_;
  while (i > 0 && t[static_cast<std::size_t>(i - 1)] == ' ') --i;
  while (i > 0 && t[static_cast<std::size_t>(i - 1)] != ' ') --i;
  off_ = i;
}

void MemoEditor::wordRight() {
  const std::string& t = text();
  const int len = static_cast<int>(t.size());
  if (off_ >= len) {
    if (para_ + 1 < static_cast<int>(paras_.size())) {
      ++para_;
      off_ = 0;
    }
    return;
  }
  int i = off_;
  while (i < len && t[static_cast<std::size_t>(i)] != ' ') ++i;
  while (i < len && t[static_cast<std::size_t>(i)] == ' ') ++i;
  off_ = i;
}

bool MemoEditor::perform(const Key& k, int code) {
  const bool vertical = code == key::Up || code == key::Down || code == key::PgUp || code == key::PgDn ||
                        (code == key::CtrlHome) || (code == key::CtrlEnd && !k.ctrlLetter);
  if (!vertical) wantCol_ = -1;
  if (code == key::Esc) return false;
  if (code == kCtrlW && (k.ctrlLetter || code != k.code)) {
    saved_ = true;
    return false;
  }
  if (moveAcross(code, wantCol_ >= 0 ? wantCol_ : curCol()) || moveAlong(code)) return true;
  if (code == key::Ins) {
    console_.setInsertMode(!console_.insertMode());
    return true;
  }
  if (opt_.edit) edit(code);
  return true;
}

bool MemoEditor::moveAcross(int code, int col) {
  const int lastLine = static_cast<int>(layout_.lines.size()) - 1;
  const int li = curLine();
  switch (code) {
    case key::CtrlEnd:  // the window's last row
      place(std::min(topLine_ + winRows_ - 1, lastLine), col);
      break;
    case key::Up: place(li - 1, col); break;
    case key::Down: place(li + 1, col); break;
    case key::PgUp:
      topLine_ = std::max(0, topLine_ - winRows_);
      place(li - winRows_, col);
      break;
    case key::PgDn:
      topLine_ = std::min(std::max(0, lastLine - winRows_ + 1), topLine_ + winRows_);
      place(li + winRows_, col);
      break;
    case key::CtrlHome: place(topLine_, col); break;
    default: return false;
  }
  wantCol_ = col;
  return true;
}

bool MemoEditor::moveAlong(int code) {
  switch (code) {
    case key::CtrlPgUp: para_ = 0; off_ = 0; return true;
    case key::CtrlPgDn:
      para_ = static_cast<int>(paras_.size()) - 1;
      off_ = static_cast<int>(text().size());
      return true;
    case key::Home: off_ = layout_.lines[static_cast<std::size_t>(curLine())].start; return true;
    case key::End: place(curLine(), width_ + 1 + static_cast<int>(text().size())); return true;
    case key::Left:
      if (off_ > 0) {
        --off_;
      } else if (para_ > 0) {
        --para_;
        off_ = static_cast<int>(text().size());
      }
      return true;
    case key::Right:
      if (off_ < static_cast<int>(text().size())) {
        ++off_;
      } else if (para_ + 1 < static_cast<int>(paras_.size())) {
        ++para_;
        off_ = 0;
      }
      return true;
    case key::CtrlLeft: wordLeft(); return true;
    case key::CtrlRight: wordRight(); return true;
    default: return false;
  }
}

void MemoEditor::edit(int code) {
  switch (code) {
    case key::Enter: breakLine(); return;
    case key::Backspace: eraseBack(); return;
    case key::Del: eraseHere(); return;
    case key::Tab: {
      int n = opt_.tabSize > 0 ? opt_.tabSize - curCol() % opt_.tabSize : 1;
      for (int i = 0; i < n; ++i) typeChar(' ');
      return;
    }
    case kCtrlY: eraseLine(); return;
    case kCtrlT: eraseWord(); return;
    default:
      if (code >= 32 && code <= 255) typeChar(static_cast<char>(code));
      return;
  }
}

// Enter: in insert mode the paragraph is cut at the cursor; in overwrite mode the cursor goes
// to the start of the next line, and past the last line a new empty paragraph is added.
void MemoEditor::breakLine() {
  if (console_.insertMode()) {
    std::string rest = text().substr(static_cast<std::size_t>(off_));
    text().resize(static_cast<std::size_t>(off_));
    paras_.insert(paras_.begin() + para_ + 1, rest);
    ++para_;
    off_ = 0;
  } else {
    int li = curLine();
    if (li == static_cast<int>(layout_.lines.size()) - 1) {
      paras_.emplace_back();
      para_ = static_cast<int>(paras_.size()) - 1;
      off_ = 0;
    } else {
      edited();
      place(li + 1, 0);
      return;
    }
  }
  edited();
}

// Backspace: the character before the cursor, or at a paragraph's start the join with the one
// before.
void MemoEditor::eraseBack() {
  if (off_ > 0) {
    text().erase(static_cast<std::size_t>(off_ - 1), 1);
    --off_;
  } else if (para_ > 0) {
    std::string cur = text();
    paras_.erase(paras_.begin() + para_);
    --para_;
    off_ = static_cast<int>(text().size());
    text() += cur;
  } else {
    return;
  }
  edited();
}

// Del: the character under the cursor, or at a paragraph's end the join with the next one.
void MemoEditor::eraseHere() {
  if (off_ < static_cast<int>(text().size())) {
    text().erase(static_cast<std::size_t>(off_), 1);
  } else if (para_ + 1 < static_cast<int>(paras_.size())) {
    text() += paras_[static_cast<std::size_t>(para_ + 1)];
    paras_.erase(paras_.begin() + para_ + 1);
  } else {
    return;
  }
  edited();
}

// Ctrl+Y: the cursor's line; a paragraph of one line goes whole unless it is the only one.
void MemoEditor::eraseLine() {
  int li = curLine();
  const Line l = layout_.lines[static_cast<std::size_t>(li)];
  bool whole = layout_.first[static_cast<std::size_t>(para_)] == li && layout_.lastOfPara(li);
  if (whole && paras_.size() > 1) {
    paras_.erase(paras_.begin() + para_);
    if (para_ >= static_cast<int>(paras_.size())) para_ = static_cast<int>(paras_.size()) - 1;
    off_ = 0;
  } else {
    text().erase(static_cast<std::size_t>(l.start), static_cast<std::size_t>(l.end - l.start));
    off_ = l.start;
  }
  edited();
}

// Ctrl+T: from the cursor to the start of the next word.
void MemoEditor::eraseWord() {
  std::string& t = text();
  int end = off_;
  const int len = static_cast<int>(t.size());
  while (end < len && t[static_cast<std::size_t>(end)] != ' ') ++end;
  while (end < len && t[static_cast<std::size_t>(end)] == ' ') ++end;
  if (end > off_) {
    t.erase(static_cast<std::size_t>(off_), static_cast<std::size_t>(end - off_));
    edited();
  }
}

MemoResult MemoEditor::run() {
  auto& s = console_.screen();
  const auto shape = s.cursorShape();
  if (opt_.keyHook) {
    ensureVisible();
    callHook(MemoMode::Init);
  }
  for (;;) {
    ensureVisible();
    draw();
    if (opt_.keyHook && !console_.keyWaiting()) {
      callHook(MemoMode::Idle);
      ensureVisible();
      draw();
    }
    Key k = console_.waitKey();
    if (const auto* hot = console_.hotKeyFor(k)) {
      (*hot)();
      continue;
    }
    int code = k.code;
    const bool configurable = code == kCtrlY || code == kCtrlT || code == key::Ins || code == key::Esc ||
                              (code == kCtrlW && k.ctrlLetter);
    if (opt_.keyHook && (configurable || !handles(k))) {
      int answer = callHook(changed_ ? MemoMode::KeyChanged : MemoMode::Key);
      if (answer == memo::kIgnore) continue;
      if (answer == memo::kData) {
        if (opt_.edit && k.isChar()) typeChar(k.ch());
        continue;
      }
      if (answer != memo::kDefault) code = answer;
      else if (!configurable && !handles(k)) continue;  // an unknown key: nothing to do
    } else if (!configurable && !handles(k)) {
      continue;
    }
    if (!perform(k, code)) break;
  }
  s.setCursorShape(shape);
  MemoResult r;
  r.saved = saved_;
  r.changed = changed_;
  r.text = saved_ ? result() : original_;
  r.line = curLine() + 1;
  r.col = curCol();
  return r;
}

}  // namespace

MemoResult memoEdit(rt::term::Console& console, std::string_view text, rt::term::Rect rect, const MemoOptions& options) {
  return MemoEditor(console, text, rect, options).run();
}

}  // namespace rt::ui

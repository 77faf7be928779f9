#include "rt/ui/read.h"

namespace rt::ui {

using rt::term::Key;
namespace key = rt::term::key;

Read::Read(rt::term::Console& console, rt::term::ColourSet colours) : console_(console), colours_(colours) {}

Get& Read::add(Get get) {
  gets_.push_back(std::move(get));
  gets_.back().display(console_.screen(), colours_);
  return gets_.back();
}

void Read::display() {
  for (auto& g : gets_) g.display(console_.screen(), colours_);
  if (running_ && pos_ >= 0 && pos_ < static_cast<int>(gets_.size()))
    gets_[static_cast<std::size_t>(pos_)].display(console_.screen(), colours_);
}

void Read::showCursorShape() {
  console_.screen().setCursorShape(console_.insertMode() ? rt::term::CursorShape::Insert
                                                         : rt::term::CursorShape::Normal);
}

ReadResult Read::run(int start) {
  ReadResult result;
  if (gets_.empty()) return result;
  rt::term::ActiveInputScope scope(console_, *this);
  auto shape = console_.screen().cursorShape();
  running_ = true;
  updated_ = false;
  kill_ = false;
  pos_ = std::clamp(start, 0, static_cast<int>(gets_.size()) - 1);
  exit_ = Exit::Down;
  lastExit_ = Exit::Down;
  lastPos_ = pos_;
  bumpTop_ = bumpBottom_ = false;
  display();
  for (;;) {
    Get& g = gets_[static_cast<std::size_t>(pos_)];
    reader(g);
    result.lastGet = pos_;
    if (kill_) {
      exit_ = Exit::Escape;
      break;
    }
    if (!settle()) break;
  }
  result.escaped = exit_ == Exit::Escape;
  result.updated = updated_;
  result.lastKey = console_.lastKey();
  running_ = false;
  display();
  console_.screen().setCursorShape(shape);
  return result;
}

// Moves to the next field by how the last one was left; false when the READ is over.
bool Read::settle() {
  Exit e = exit_;
  if (e == Exit::Escape || e == Exit::Write) return false;
  if (e != Exit::When) {
    lastPos_ = pos_;
    bumpTop_ = bumpBottom_ = false;
  } else {
    e = lastExit_;
  }
  const int n = static_cast<int>(gets_.size());
  switch (e) {
    case Exit::Up: --pos_; break;
    case Exit::Down: ++pos_; break;
    case Exit::Top: pos_ = 0; bumpTop_ = true; e = Exit::Down; break;
    case Exit::Bottom: pos_ = n - 1; bumpBottom_ = true; e = Exit::Up; break;
    case Exit::Enter: ++pos_; break;
    default: break;
  }
  if (pos_ < 0) {
    if (!console_.readExit() && !bumpBottom_) {
      bumpTop_ = true;
      pos_ = lastPos_;
      e = Exit::Down;
    }
  } else if (pos_ >= n) {
    if (!console_.readExit() && e != Exit::Enter && !bumpTop_) {
      bumpBottom_ = true;
      pos_ = lastPos_;
      e = Exit::Up;
    }
  }
  lastExit_ = e;
  return pos_ >= 0 && pos_ < n;
}

void Read::reader(Get& g) {
  if (!g.canEnter()) {
    exit_ = Exit::When;
    return;
  }
  g.setFocus();
  showCursorShape();
  exit_ = Exit::None;
  while (exit_ == Exit::None) {
    g.display(console_.screen(), colours_);
    while (exit_ == Exit::None) {
      Key k = console_.waitKey();
      if (const auto* handler = console_.hotKeyFor(k)) {
        doHotKey(g, *handler);
      } else {
        applyKey(g, k);
        g.runEdited();
      }
      g.display(console_.screen(), colours_);
      // A field typed full is left at once: the key that filled it is shown before the field's
      // check or the next field can cover it (an amount grows from the right, so its last
      // digit redraws the whole field).
      if (leftFull_) console_.refresh();
    }
    if (!postValidate(g)) exit_ = Exit::None;
  }
  g.killFocus();
  g.display(console_.screen(), colours_);
}

void Read::doHotKey(Get& g, const rt::term::Console::HotKey& handler) {
  // The handler sees what was typed so far, as the old runtime assigned before SET KEY ran.
  if (g.changed()) {
    g.assign();
    updated_ = true;
  }
  redisplay_ = false;
  handler();
  g.updateBuffer();
  if (redisplay_) display();
  redisplay_ = false;
  showCursorShape();
  if (kill_) exit_ = Exit::Escape;
}

bool Read::postValidate(Get& g) {
  if (exit_ == Exit::Escape) return true;
  // Whatever the check says about a field that filled up, it says it before the keys typed on.
  struct Cheio {
    rt::term::Console& c;
    Cheio(rt::term::Console& con, bool on) : c(con) { c.setCheckingFullField(on); }
    ~Cheio() { c.setCheckingFullField(false); }
    Cheio(const Cheio&) = delete;
    Cheio& operator=(const Cheio&) = delete;
  } cheio(console_, leftFull_);
  leftFull_ = false;
  if (g.badDate()) {
    g.restart();
    console_.bell();
    if (say_) say_(g, Refusal::BadDate);
    display();
    return false;
  }
  if (g.changed()) {
    g.assign();
    updated_ = true;
  }
  bool ok = g.runValid();
  g.updateBuffer();
  if (!ok) g.restart();
  display();
  if (kill_) {
    exit_ = Exit::Escape;
    return true;
  }
  return ok;
}

void Read::applyKey(Get& g, const Key& k) {
  leftFull_ = false;
  switch (k.code) {
    case key::Up:
    case key::ShiftTab: exit_ = Exit::Up; return;
    case key::Down:
    case key::Tab: exit_ = Exit::Down; return;
    case key::Enter: exit_ = Exit::Enter; return;
    case key::Esc: exit_ = Exit::Escape; return;
    case key::PgUp:
    case key::PgDn:
    case key::CtrlEnd: exit_ = Exit::Write; return;  // Ctrl+W and Ctrl+End share 23
    case key::CtrlHome: exit_ = Exit::Top; return;
    case key::Ins:
      console_.setInsertMode(!console_.insertMode());
      showCursorShape();
      return;
    case 21: g.undo(); return;  // Ctrl+U
    case key::Home: g.home(); return;
    case key::End: g.end(); return;
    case key::Right: g.right(); return;
    case key::Left: g.left(); return;
    case key::CtrlRight: g.wordRight(); return;
    case key::CtrlLeft: g.wordLeft(); return;
    case key::Backspace: g.backspace(); return;
    case key::Del: g.del(); return;
    case 20: g.delWordRight(); return;  // Ctrl+T
    case 25: g.delEnd(); return;        // Ctrl+Y
    default: break;
  }
  if (!k.isChar()) return;
  char c = k.ch();
  if (g.kind() == Get::Kind::Number && (c == '.' || c == ',')) {
    g.toDecimalPoint();
    return;
  }
  // Where refusals are said, a full free-text field is not left by typing on: what is typed
  // after its end would go to the next field, or be dropped, without a word.
  const bool fica = say_ && g.freeText();
  if (fica && g.typeOut()) {
    console_.bell();
    say_(g, Refusal::TooLong);
    return;
  }
  if (!g.type(c, console_.insertMode())) {
    if (say_) say_(g, Refusal::NotAccepted);
    return;
  }
  if (g.typeOut()) {
    console_.bell();
    if (!console_.confirm() && !fica) {
      exit_ = Exit::Enter;
      leftFull_ = true;
    }
  }
}

std::string Read::name() const {
  if (!running_ || gets_.empty()) return {};
  return gets_[static_cast<std::size_t>(pos_)].name();
}

std::string Read::text() const {
  if (!running_ || gets_.empty()) return {};
  const Get& g = gets_[static_cast<std::size_t>(pos_)];
  return g.hasFocus() ? g.buffer() : formatValue(g.valueFromBuffer(), g.picture());
}

bool Read::setText(std::string_view text) {
  if (!running_ || gets_.empty()) return false;
  if (!gets_[static_cast<std::size_t>(pos_)].setText(text)) return false;
  updated_ = true;
  return true;
}

char Read::type() const {
  if (!running_ || gets_.empty()) return 'C';
  switch (gets_[static_cast<std::size_t>(pos_)].kind()) {
    case Get::Kind::Number:
      return 'N';
    case Get::Kind::Date:
      return 'D';
    case Get::Kind::Logical:
      return 'L';
    case Get::Kind::Text:
      break;
  }
  return 'C';
}

std::string Read::picture() const {
  if (!running_ || gets_.empty()) return {};
  return gets_[static_cast<std::size_t>(pos_)].picture();
}

ReadResult readOne(rt::term::Console& console, Get get, const rt::term::ColourSet& colours, RefusalNotice say) {
  Read r(console, colours);
  r.onRefusal(std::move(say));
  r.add(std::move(get));
  return r.run();
}

}  // namespace rt::ui

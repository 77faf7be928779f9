// The console the program runs on: the screen it draws into, the terminal that shows it, and
// the keyboard as the old runtime gave it (INKEY with a timeout, KEYBOARD pushes, typeahead
// clear, SET KEY hot keys, LASTKEY, the bell). One Console lives in the program state.
#pragma once

#include <chrono>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "rt/term/keys.h"
#include "rt/term/screen.h"
#include "rt/term/terminal.h"

namespace rt::term {

// The input a READ is editing, as hot keys see it (the old READVAR and the GET under the
// cursor). The READ registers itself while it runs; a hot key may read the name and the
// value, put a new value and ask for the whole form to be shown again.
class ActiveInput {
 public:
  // "M->NAME" for a memory variable, the bare field name for a table field.
  virtual std::string name() const = 0;
  // The value as the field shows it while editing.
  virtual std::string text() const = 0;
  // Puts a value given as text (as typed) into the field and its variable; false when the
  // text does not fit the field's type.
  virtual bool setText(std::string_view text) = 0;
  // Every field of the form is drawn again from its variable when the hot key returns.
  virtual void requestRedisplay() = 0;
  // The READ ends when the hot key returns (CLEAR GETS from a hot key).
  virtual void endRead() = 0;
  // The kind of the field's value ('C' text, 'N' number, 'D' date, 'L' logical) and its
  // picture, for hot keys that put a computed value in (the calculator, a converter). The
  // field's width is that of text().
  virtual char type() const { return 'C'; }
  virtual std::string picture() const { return {}; }

 protected:
  ~ActiveInput() = default;
};

class Console {
 public:
  using Idle = std::function<void()>;
  using HotKey = std::function<void()>;

  explicit Console(Terminal& terminal) : terminal_(terminal) {}
  Console(const Console&) = delete;
  Console& operator=(const Console&) = delete;

  Screen& screen() { return screen_; }
  const Screen& screen() const { return screen_; }
  Terminal& terminal() { return terminal_; }

  // Shows the screen when it changed since the last time.
  void refresh();

  // INKEY: the next key, pushed keys first. Waits at most `timeout` (negative: for ever) and
  // gives key::None when the time ran out. The screen is shown before waiting; the idle
  // callback runs about every quarter second while waiting (clocks on screen). The old
  // INKEY(0) waited for ever: that is waitKey(); a zero timeout here only polls.
  Key inkey(std::chrono::milliseconds timeout);
  Key waitKey() { return inkey(std::chrono::milliseconds(-1)); }
  // Whether a key is waiting (pushed or typed), without taking it.
  bool keyWaiting();
  // KEYBOARD: queued before anything typed.
  void push(Key k) { pushed_.push_back(k); }
  void push(int code) { push(Key{code}); }
  void pushText(std::string_view cp860Text);
  // Forgets pushed and typed-ahead keys.
  void clearTypeahead();
  Key lastKey() const { return lastKey_; }

  void setIdle(Idle idle) { idle_ = std::move(idle); }

  // SET KEY: a handler for a key code, active during input, lists and browses (they call
  // hotKeyFor). With ctrlLetterOnly the handler fires for the Ctrl+letter only, never for the
  // navigation key that shares its code.
  void setKey(int code, HotKey handler, bool ctrlLetterOnly = false);
  void clearKey(int code);
  // Keeps a bound key from firing (true) or lets it fire again (false), leaving its handler in
  // place: a handler may so hold its own key while it runs without being destroyed under
  // itself. Returns whether the key was held before, for nesting.
  bool holdKey(int code, bool held);
  // The handler bound to this key, or nullptr.
  const HotKey* hotKeyFor(const Key& k) const;

  // The input a READ is editing, or nullptr outside a READ. Set through ActiveInputScope.
  ActiveInput* activeInput() const { return activeInput_; }

  // SET INSERT: the mode input fields and the memo editor start in; Ins toggles it.
  bool insertMode() const { return insert_; }
  void setInsertMode(bool on) { insert_ = on; }
  // READEXIT: Up on the first field and Down on the last end a READ.
  bool readExit() const { return readExit_; }
  void setReadExit(bool on) { readExit_ = on; }
  // SET CONFIRM: typing past the end of a field does not leave it (Enter is needed).
  bool confirm() const { return confirm_; }
  void setConfirm(bool on) { confirm_ = on; }
  // Set while the check of a field left because it filled up runs: the keys typed after the
  // field's last place were meant for the next field, and a notice of that check must not be
  // closed by them before it is read.
  bool checkingFullField() const { return checkingFull_; }
  void setCheckingFullField(bool on) { checkingFull_ = on; }

  bool bellOn() const { return bellOn_; }
  void setBell(bool on) { bellOn_ = on; }
  // A beep when the bell is on (SET BELL).
  void bell();
  // A beep regardless of SET BELL (the program's own alerts).
  void beep() { terminal_.beep(); }

 private:
  struct Binding {
    HotKey handler;
    bool ctrlLetterOnly = false;
    bool held = false;
  };
  Terminal& terminal_;
  Screen screen_;
  std::uint64_t shownVersion_ = ~std::uint64_t{0};
  std::deque<Key> pushed_;
  Key lastKey_;
  Idle idle_;
  std::map<int, Binding> hotKeys_;
  bool bellOn_ = false;
  bool insert_ = false;
  bool readExit_ = false;
  bool confirm_ = false;
  bool checkingFull_ = false;
  ActiveInput* activeInput_ = nullptr;
  friend class ActiveInputScope;
};

// Registers the input a READ is editing for as long as it lives; nested READs (a hot key
// that opens a form) put the outer one back when they end.
class ActiveInputScope {
 public:
  ActiveInputScope(Console& console, ActiveInput& input)
      : console_(console), previous_(console.activeInput_) {
    console_.activeInput_ = &input;
  }
  ~ActiveInputScope() { console_.activeInput_ = previous_; }
  ActiveInputScope(const ActiveInputScope&) = delete;
  ActiveInputScope& operator=(const ActiveInputScope&) = delete;

 private:
  Console& console_;
  ActiveInput* previous_;
};

}  // namespace rt::term

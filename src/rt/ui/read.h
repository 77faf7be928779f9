// READ: runs a form of input fields modally, as the old runtime's ReadModal did.
//
// Keys: Enter and Tab go to the next field, Up and Shift+Tab to the previous one, Ctrl+Home to
// the first; Enter on the last field ends the READ; Up on the first and Down on the last end
// it only with READEXIT on (Console::readExit), otherwise they stay; PgUp, PgDn and Ctrl+W
// (Ctrl+End) end it with every value kept; Esc ends it without writing the field being edited.
// Inside a field: Left/Right, Home/End, Ctrl+Left/Ctrl+Right, Backspace, Del, Ctrl+T (word),
// Ctrl+Y (to the end), Ctrl+U (undo), Ins (insert/overwrite; the cursor shape follows).
// Hot keys (Console::setKey) run first; while they run, Console::activeInput() is this READ.
#pragma once

#include <deque>
#include <functional>
#include <string>

#include "rt/term/colour.h"
#include "rt/term/console.h"
#include "rt/ui/get.h"

namespace rt::ui {

// What the input itself refused, before the field's own check could run: a date that is no
// real day, a character the field's template does not take (a letter in an amount), a
// character typed on into a full free-text field.
enum class Refusal { BadDate, NotAccepted, TooLong };
// Says a refusal to the user; without one the refusal only rings the bell, and a full field is
// left by typing on, as the old runtime did.
using RefusalNotice = std::function<void(const Get&, Refusal)>;

struct ReadResult {
  bool updated = false;     // some field wrote a changed value (the old UPDATED())
  rt::term::Key lastKey;    // the key that ended the READ (LASTKEY)
  bool escaped = false;     // ended with Esc (or by a hot key that killed it)
  int lastGet = -1;         // index of the field the READ ended on
};

class Read final : public rt::term::ActiveInput {
 public:
  // Fields show in the unselected colour (entry 5) and the one being edited in the enhanced
  // colour (entry 2) of `colours`, unless a field has its own.
  explicit Read(rt::term::Console& console, rt::term::ColourSet colours = {});
  Read(const Read&) = delete;
  Read& operator=(const Read&) = delete;
  ~Read() = default;

  // @ row, col GET: adds the field and shows it. The reference stays valid while the Read
  // lives (fields are never moved).
  Get& add(Get get);
  Get& get(int row, int col, Binding binding, std::string_view picture = {}) {
    return add(Get(row, col, std::move(binding), picture));
  }
  std::size_t size() const { return gets_.size(); }
  Get& at(std::size_t i) { return gets_[i]; }

  // Where refusals are said (see RefusalNotice).
  void onRefusal(RefusalNotice say) { say_ = std::move(say); }
  // Draws every field again from its variable.
  void display();
  // Runs the READ from field `start`; the fields stay (CLEAR GETS is destroying the Read).
  ReadResult run(int start = 0);
  // Index of the field being edited, -1 outside run().
  int current() const { return running_ ? pos_ : -1; }

  // ActiveInput, for hot keys.
  std::string name() const override;
  std::string text() const override;
  bool setText(std::string_view text) override;
  void requestRedisplay() override { redisplay_ = true; }
  void endRead() override { kill_ = true; }
  char type() const override;
  std::string picture() const override;

 private:
  enum class Exit { None, Up, Down, Top, Bottom, Enter, Write, Escape, When };
  void reader(Get& g);
  void applyKey(Get& g, const rt::term::Key& k);
  bool postValidate(Get& g);
  void doHotKey(Get& g, const rt::term::Console::HotKey& handler);
  bool settle();
  void showCursorShape();

  rt::term::Console& console_;
  rt::term::ColourSet colours_;
  std::deque<Get> gets_;
  int pos_ = 0;
  bool running_ = false;
  Exit exit_ = Exit::None;
  Exit lastExit_ = Exit::Down;
  int lastPos_ = 0;
  bool bumpTop_ = false, bumpBottom_ = false;
  bool updated_ = false;
  bool kill_ = false;
  bool redisplay_ = false;
  bool leftFull_ = false;  // the field being left filled up (typed out)
  RefusalNotice say_;
};

// A READ of one field (the grid's cell edit, a prompt).
ReadResult readOne(rt::term::Console& console, Get get, const rt::term::ColourSet& colours = {},
                   RefusalNotice say = {});

}  // namespace rt::ui

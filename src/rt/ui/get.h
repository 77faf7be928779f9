// One input field (the runtime's GET): a value reached through a Binding, shown and edited
// through a picture at a place on the screen. A Read (read.h) runs one or more of them.
//
// Editing follows the old runtime: the field is edited as its picture's text (the buffer),
// only at the template's edit places; a number or a date is read back from the buffer when the
// field is left. "@K" and every number clear the buffer when the first key typed is data and
// the cursor has not moved; "." or "," in a number jumps to the decimal places and puts the
// whole part typed so far right-aligned before them. The value is written to its variable only
// when it differs from what the field started with.
//
// A number typed from the start of its field is shown as it grows, right-aligned before the
// decimal places with its separators and sign (2500 shows "2.500,00", never "250 0"); a digit
// that no longer fits the whole part goes on into the decimal places. Any key that moves or
// edits otherwise ends that entry and leaves an ordinary buffer.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "rt/term/colour.h"
#include "rt/term/screen.h"
#include "rt/text/transform.h"
#include "rt/ui/binding.h"

namespace rt::ui {

class Get {
 public:
  enum class Kind { Text, Number, Date, Logical };

  Get(int row, int col, Binding binding, std::string_view picture = {});

  // WHEN: a field whose condition is false is skipped.
  Get& when(std::function<bool()> condition) {
    when_ = std::move(condition);
    return *this;
  }
  // VALID: runs when the field is left (not with Esc) after the value was written; false keeps
  // the cursor in the field.
  Get& valid(std::function<bool()> check) {
    valid_ = std::move(check);
    return *this;
  }
  // EDITED: runs after each key that left the buffer different from the value the field
  // started with, before the field is drawn again (what shows beside a field may no longer
  // belong to what is being typed).
  Get& edited(std::function<void()> action) {
    edited_ = std::move(action);
    return *this;
  }
  void runEdited() const {
    if (edited_ && changed()) edited_();
  }
  // Unselected (entry 5) and enhanced (entry 2) colours; a Read gives its own otherwise.
  Get& colours(const rt::term::ColourSet& set) {
    colours_ = set;
    return *this;
  }

  const std::string& name() const { return binding_.name; }
  int row() const { return row_; }
  int col() const { return col_; }
  Kind kind() const { return kind_; }
  const std::string& picture() const { return picture_; }
  bool hasColours() const { return colours_.has_value(); }

  bool canEnter() const { return !when_ || when_(); }
  bool runValid() const { return !valid_ || valid_(); }

  // --- editing, used by Read ---
  void setFocus();
  void killFocus();
  bool hasFocus() const { return focus_; }
  const std::string& buffer() const { return buffer_; }
  int pos() const { return pos_; }
  // The buffer differs from the value the field was given (or last wrote).
  bool changed() const { return focus_ && buffer_ != original_; }
  // The last character typed filled the last place of the field.
  bool typeOut() const { return typeOut_; }
  // A date whose text is neither empty nor a real day.
  bool badDate() const;
  // Free text of three places or more (every place takes any character): such a field that
  // is full is not left by typing on, where the input says its refusals.
  bool freeText() const;
  // The places that can be typed into.
  int places() const;

  // Typing a data character; false when the template refuses it.
  bool type(char c, bool insert);
  void left();
  void right();
  void home();
  void end();
  void wordLeft();
  void wordRight();
  void backspace();
  void del();
  void delEnd();        // Ctrl+Y: blanks from the cursor to the end
  void delWordRight();  // Ctrl+T
  void undo();          // Ctrl+U: back to the value the field started with
  // After a refused value: the cursor to the first place, and the first data key clears the
  // field again as it did on entry.
  void restart();
  void toDecimalPoint();

  // The value the buffer stands for.
  Value valueFromBuffer() const;
  // Writes the buffer's value through the binding; the buffer becomes the new starting point.
  void assign();
  // Reads the variable again into the buffer (after a hot key or a VALID changed it).
  void updateBuffer();
  // Puts a value given as text; false when it does not read as the field's type.
  bool setText(std::string_view text);

  // Draws the field: the buffer in the enhanced colour while focused, else the value through
  // the picture in the unselected colour; with focus the cursor goes to the edit place.
  void display(rt::term::Screen& screen, const rt::term::ColourSet& fallback) const;

 private:
  bool editable(int i) const;
  int firstEditable() const;
  int lastEditable() const;
  int nextEditable(int from) const;  // -1 when none
  int prevEditable(int from) const;  // -1 when none
  void clearBuffer();
  // The whole part typed from the start of a number (see the header's note).
  bool inWholeEntry() const;
  bool typeWhole(char c);
  void showWhole();
  int lastWholePlace() const;
  int wholePlaces() const;
  void shiftLeftFrom(int i);
  // Whether every place typed into from `from` on is blank.
  bool blankFrom(int from) const;
  std::string format(const Value& v) const;
  void makePictures(const Value& v);
  void fitBuffer();

  int row_, col_;
  Binding binding_;
  std::string picture_;
  rt::text::Picture pic_;
  std::string editPicture_;  // the picture the buffer is made with
  std::string templ_;        // one template character per buffer place
  Kind kind_ = Kind::Text;
  int decimalPlace_ = -1;  // buffer index of a number's decimal point
  Value start_;            // the value when the field got focus
  std::string buffer_, original_;
  int pos_ = 0;
  bool focus_ = false;
  bool clearPending_ = false;
  bool typeOut_ = false;
  bool wholeEntry_ = false;     // a number's whole part is being typed from its start
  std::string wholeDigits_;     // the digits typed so far
  bool wholeNegative_ = false;  // "-" was typed
  std::string wholeBuffer_;     // the buffer as the entry last showed it
  mutable int offset_ = 0;  // first buffer place shown in an @S field
  std::function<bool()> when_, valid_;
  std::function<void()> edited_;
  std::optional<rt::term::ColourSet> colours_;
};

}  // namespace rt::ui

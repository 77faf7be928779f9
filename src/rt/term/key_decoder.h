// Turns the bytes a terminal sends into the runtime's key codes. It knows the xterm family
// (CSI and SS3 sequences with modifier parameters, modifyOtherKeys and CSI-u reports, SGR and
// X10 mouse reports), the rxvt and Linux console variants, ESC-prefixed Alt keys and UTF-8
// text, and can learn further sequences from the terminal's description. It holds no state
// between calls: the caller keeps the unread bytes, so it can be tested without a terminal.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "rt/term/keys.h"

namespace rt::term {

struct Decoded {
  enum class Kind {
    Key,         // `key` was typed
    Incomplete,  // the bytes may be the start of a longer sequence: wait a little for more
    Refused,     // a character the console code page lacks (the caller beeps)
    Ignored,     // a report with no key code (mouse release, an unknown sequence)
  };
  Kind kind = Kind::Ignored;
  Key key;
  // Bytes used from the start of the input; 0 only when Incomplete.
  std::size_t consumed = 0;
};

class KeyDecoder {
 public:
  // A sequence this terminal sends for a key (from its description), tried before the
  // built-in ones. Empty sequences and sequences not starting with ESC are not taken, so a
  // description can never turn an ordinary character into another key.
  void addSequence(std::string_view bytes, Key key);

  // Decodes the first key of `input` (which must not be empty). `complete` says that no more
  // bytes are coming now: the ESC delay has passed, so a lone ESC is the Esc key and an
  // unfinished sequence is taken as Alt plus its second byte.
  Decoded decode(std::string_view input, bool complete) const;

 private:
  struct Learned {
    std::string bytes;
    Key key;
  };
  std::vector<Learned> learned_;
};

// The key of a function key 1-12 with modifiers (Alt wins over Ctrl, Ctrl over Shift, as the
// old console reported them); key::None for other numbers.
int functionKey(int number, bool shift, bool alt, bool ctrl);

}  // namespace rt::term

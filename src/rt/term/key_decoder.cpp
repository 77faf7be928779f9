#include "rt/term/key_decoder.h"

#include <array>
#include <optional>

#include "rt/text/cp860.h"

namespace rt::term {
namespace {

using Kind = Decoded::Kind;
constexpr char kEsc = '\x1b';

Decoded keyResult(Key k, std::size_t used) {
  return {Kind::Key, k, used};
}
Decoded ignored(std::size_t used) {
  return {Kind::Ignored, {}, used};
}
Decoded refused(std::size_t used) {
  return {Kind::Refused, {}, used};
}
Decoded incomplete() {
  return {Kind::Incomplete, {}, 0};
}

struct Mods {
  bool shift = false, alt = false, ctrl = false;
};

// xterm's modifier parameter: 1 + a bit mask of Shift 1, Alt 2, Ctrl 4, Meta 8 (Meta is Alt here).
Mods modsOf(int param) {
  int bits = param > 1 ? param - 1 : 0;
  return {(bits & 1) != 0, (bits & 10) != 0, (bits & 4) != 0};
}

enum class Nav { Up, Down, Left, Right, Home, End, PgUp, PgDn, Ins, Del };

int navCode(Nav n, Mods m) {
  // The old console had Ctrl codes only for these six; Shift and Alt leave a key as it is.
  if (m.ctrl) {
    switch (n) {
      case Nav::Left:
        return key::CtrlLeft;
      case Nav::Right:
        return key::CtrlRight;
      case Nav::Home:
        return key::CtrlHome;
      case Nav::End:
        return key::CtrlEnd;
      case Nav::PgUp:
        return key::CtrlPgUp;
      case Nav::PgDn:
        return key::CtrlPgDn;
      default:
        break;
    }
  }
  switch (n) {
    case Nav::Up:
      return key::Up;
    case Nav::Down:
      return key::Down;
    case Nav::Left:
      return key::Left;
    case Nav::Right:
      return key::Right;
    case Nav::Home:
      return key::Home;
    case Nav::End:
      return key::End;
    case Nav::PgUp:
      return key::PgUp;
    case Nav::PgDn:
      return key::PgDn;
    case Nav::Ins:
      return key::Ins;
    case Nav::Del:
      return key::Del;
  }
  return key::None;
}

// A key before its modifiers are folded into one runtime code.
struct Event {
  enum class Type { Code, Function, Navigation, Text, Keypad } type = Type::Code;
  int value = 0;  // a key code, a function-key number, a Nav, or a code point
  Mods mods;
};

// A single control byte as typed: Ctrl+letters keep their code and say so.
Decoded controlByte(unsigned char b) {
  switch (b) {
    case 0x09:
      return keyResult(Key{key::Tab}, 1);
    case 0x0D:
      return keyResult(Key{key::Enter}, 1);
    case 0x7F:
      return keyResult(Key{key::Backspace}, 1);
    default:
      break;
  }
  if (b >= 1 && b <= 26) return keyResult(Key{b, true}, 1);
  return ignored(1);  // NUL and Ctrl+\ ] ^ _ have no key of their own
}

// A character with modifiers, as modifyOtherKeys and CSI-u report it.
Decoded textKey(char32_t cp, Mods m, std::size_t used) {
  if (cp == 13) return keyResult(Key{m.ctrl ? key::CtrlEnter : key::Enter}, used);
  if (cp == 9) return keyResult(Key{m.shift ? key::ShiftTab : key::Tab}, used);
  if (cp == 27) return keyResult(Key{key::Esc}, used);
  if (cp == 127 || cp == 8) return keyResult(Key{key::Backspace}, used);
  if (cp >= 0xE000 && cp <= 0xF8FF) return ignored(used);  // keys reported by private codes
  if (m.shift && cp >= 'a' && cp <= 'z') cp -= 'a' - 'A';  // CSI-u reports the unshifted key
  if (m.alt) {
    if (cp >= 0x80) return ignored(used);
    char c = static_cast<char>(cp);
    if (int code = key::altOf(c)) return keyResult(Key{code}, used);
    if (int code = key::altOfDigit(c)) return keyResult(Key{code}, used);
    if (c == '-') return keyResult(Key{key::AltMinus}, used);
    if (c == '=') return keyResult(Key{key::AltEquals}, used);
    if (c == '+') return keyResult(Key{key::AltKeypadPlus}, used);
    return ignored(used);
  }
  if (m.ctrl) {
    if ((cp >= 'a' && cp <= 'z') || (cp >= 'A' && cp <= 'Z'))
      return keyResult(ctrlKey(static_cast<char>(cp)), used);
    return ignored(used);
  }
  if (cp < 0x20) return ignored(used);
  if (auto byte = rt::text::cp860::fromCodepoint(cp)) return keyResult(Key{*byte}, used);
  return refused(used);
}

int functionNumberOfTilde(int code) {
  if (code >= 11 && code <= 15) return code - 10;  // F1-F5 (vt220, rxvt)
  if (code >= 17 && code <= 21) return code - 11;  // F6-F10
  if (code == 23) return 11;
  if (code == 24) return 12;
  return 0;
}

std::optional<Nav> navOfTilde(int code) {
  switch (code) {
    case 1:
    case 7:
      return Nav::Home;
    case 2:
      return Nav::Ins;
    case 3:
      return Nav::Del;
    case 4:
    case 8:
      return Nav::End;
    case 5:
      return Nav::PgUp;
    case 6:
      return Nav::PgDn;
    default:
      return std::nullopt;
  }
}

std::optional<Nav> navOfLetter(char c) {
  switch (c) {
    case 'A':
      return Nav::Up;
    case 'B':
      return Nav::Down;
    case 'C':
      return Nav::Right;
    case 'D':
      return Nav::Left;
    case 'H':
      return Nav::Home;
    case 'F':
      return Nav::End;
    default:
      return std::nullopt;
  }
}

Decoded finish(const Event& e, std::size_t used) {
  switch (e.type) {
    case Event::Type::Code:
      return keyResult(Key{e.value}, used);
    case Event::Type::Function: {
      int code = functionKey(e.value, e.mods.shift, e.mods.alt, e.mods.ctrl);
      return code == key::None ? ignored(used) : keyResult(Key{code}, used);
    }
    case Event::Type::Navigation:
      return keyResult(Key{navCode(static_cast<Nav>(e.value), e.mods)}, used);
    case Event::Type::Text:
      return textKey(static_cast<char32_t>(e.value), e.mods, used);
    case Event::Type::Keypad:
      if (e.mods.alt) {
        if (e.value == '-') return keyResult(Key{key::AltKeypadMinus}, used);
        if (e.value == '+') return keyResult(Key{key::AltKeypadPlus}, used);
        return ignored(used);
      }
      if (e.value == 13) return keyResult(Key{e.mods.ctrl ? key::CtrlEnter : key::Enter}, used);
      return textKey(static_cast<char32_t>(e.value), Mods{}, used);
  }
  return ignored(used);
}

// What a sequence after ESC turned out to be.
struct Parsed {
  enum class State { Event, Done, Incomplete } state = State::Incomplete;
  Event event;
  Decoded done;  // a finished result with no event (mouse, ignored)
  std::size_t used = 0;
};

Parsed withEvent(Event e, std::size_t used) {
  return {Parsed::State::Event, e, {}, used};
}
Parsed withResult(Decoded d) {
  return {Parsed::State::Done, {}, d, d.consumed};
}
Parsed notYet() {
  return {};
}

// The parameters and final byte of a CSI sequence, and the bytes it takes.
struct Csi {
  char marker = 0;  // a private marker before the parameters ('<' of the SGR mouse, '?' of replies)
  std::array<int, 4> params{};
  char final = 0;  // 0: the sequence was broken off, and `used` bytes are dropped
  std::size_t used = 0;
};

// Reads a CSI sequence (`in` starts with ESC [) up to its final byte; nothing while it is
// incomplete.
std::optional<Csi> readCsi(std::string_view in) {
  Csi csi;
  std::size_t pos = 2;
  if (in[pos] >= 0x3C && in[pos] <= 0x3F) csi.marker = in[pos++];
  std::size_t count = 0;
  bool inSub = false;  // after ':' the sub-parameters (alternate keys) are skipped
  for (; pos < in.size(); ++pos) {
    char c = in[pos];
    if (c >= '0' && c <= '9') {
      if (!inSub && count < csi.params.size() && csi.params[count] < 100000)
        csi.params[count] = csi.params[count] * 10 + (c - '0');
    } else if (c == ';') {
      inSub = false;
      ++count;
    } else if (c == ':') {
      inSub = true;
    } else if (c == '$' && csi.marker == 0) {
      csi.final = c;  // rxvt's Shift form, although '$' is an intermediate byte elsewhere
      break;
    } else if (c >= 0x20 && c <= 0x2F) {
      // intermediate bytes: none of the keys use them; the sequence is skipped at its final
    } else if (c >= 0x40 && c <= 0x7E) {
      csi.final = c;
      break;
    } else {
      csi.used = pos;  // broken off: drop what came so far
      return csi;
    }
  }
  if (csi.final == 0) return std::nullopt;
  csi.used = pos + 1;
  return csi;
}

// The key of a whole CSI sequence.
Parsed csiKey(const Csi& csi) {
  const std::size_t used = csi.used;
  const char final = csi.final;
  const auto& params = csi.params;
  const int p0 = params[0];
  const Mods mods = modsOf(params[1]);

  if (csi.marker == '<') {
    // SGR mouse report: ESC [ < button ; column ; row M (press) or m (release).
    if (final == 'M' && (p0 & ~(4 | 8 | 16)) == 0)
      return withResult(keyResult(Key{key::MouseLeft, false, params[2] - 1, params[1] - 1}, used));
    return withResult(ignored(used));
  }
  if (csi.marker != 0) return withResult(ignored(used));  // replies to queries, not keys

  if (auto nav = navOfLetter(final))
    return withEvent({Event::Type::Navigation, static_cast<int>(*nav), mods}, used);
  switch (final) {
    case 'Z':
      return withEvent({Event::Type::Code, key::ShiftTab, {}}, used);
    case 'P':
    case 'Q':
    case 'R':
    case 'S':
      return withEvent({Event::Type::Function, final - 'P' + 1, mods}, used);
    case 'a':
    case 'b':
    case 'c':
    case 'd': {  // rxvt Shift+arrows
      constexpr Nav arrows[4] = {Nav::Up, Nav::Down, Nav::Right, Nav::Left};
      return withEvent(
          {Event::Type::Navigation, static_cast<int>(arrows[final - 'a']), Mods{true, false, false}}, used);
    }
    case 'u':
      // CSI-u: ESC [ code ; modifiers u.
      return withEvent({Event::Type::Text, p0, mods}, used);
    case '~':
    case '^':
    case '$':
    case '@': {
      if (final == '~' && p0 == 27)  // modifyOtherKeys: ESC [ 27 ; modifiers ; code ~
        return withEvent({Event::Type::Text, params[2], mods}, used);
      Mods m = mods;
      if (final == '^') m.ctrl = true;  // rxvt
      if (final == '$') m.shift = true;
      if (final == '@') m.ctrl = m.shift = true;
      if (auto nav = navOfTilde(p0))
        return withEvent({Event::Type::Navigation, static_cast<int>(*nav), m}, used);
      if (int f = functionNumberOfTilde(p0)) return withEvent({Event::Type::Function, f, m}, used);
      return withResult(ignored(used));
    }
    default:
      return withResult(ignored(used));
  }
}

// CSI: `in` starts with ESC [.
Parsed parseCsi(std::string_view in) {
  if (in.size() < 3) return notYet();
  // The Linux console's F1-F5: ESC [ [ A..E.
  if (in[2] == '[') {
    if (in.size() < 4) return notYet();
    if (in[3] >= 'A' && in[3] <= 'E') return withEvent({Event::Type::Function, in[3] - 'A' + 1, {}}, 4);
    return withResult(ignored(4));
  }
  // X10 mouse report: ESC [ M, then button, column and row, each plus 32.
  if (in[2] == 'M') {
    if (in.size() < 6) return notYet();
    int button = static_cast<unsigned char>(in[3]) - 32;
    int col = static_cast<unsigned char>(in[4]) - 33;
    int row = static_cast<unsigned char>(in[5]) - 33;
    if ((button & ~(4 | 8 | 16)) == 0) return withResult(keyResult(Key{key::MouseLeft, false, row, col}, 6));
    return withResult(ignored(6));
  }
  const std::optional<Csi> csi = readCsi(in);
  if (!csi) return notYet();
  if (csi->final == 0) return withResult(ignored(csi->used));
  return csiKey(*csi);
}

// SS3: `in` starts with ESC O.
Parsed parseSs3(std::string_view in) {
  std::size_t pos = 2;
  int modifier = 0;
  while (pos < in.size() && ((in[pos] >= '0' && in[pos] <= '9') || in[pos] == ';')) {
    if (in[pos] == ';')
      modifier = 0;
    else
      modifier = modifier * 10 + (in[pos] - '0');
    if (++pos > 8) return withResult(ignored(pos));
  }
  if (pos >= in.size()) return notYet();
  const char final = in[pos];
  const std::size_t used = pos + 1;
  const Mods mods = modsOf(modifier);
  if (auto nav = navOfLetter(final))
    return withEvent({Event::Type::Navigation, static_cast<int>(*nav), mods}, used);
  if (final >= 'P' && final <= 'S') return withEvent({Event::Type::Function, final - 'P' + 1, mods}, used);
  if (final >= 'a' && final <= 'd') {  // rxvt Ctrl+arrows
    constexpr Nav arrows[4] = {Nav::Up, Nav::Down, Nav::Right, Nav::Left};
    return withEvent(
        {Event::Type::Navigation, static_cast<int>(arrows[final - 'a']), Mods{false, false, true}}, used);
  }
  // The keypad in application mode.
  if (final == 'M') return withEvent({Event::Type::Keypad, 13, mods}, used);
  if (final >= 'p' && final <= 'y') return withEvent({Event::Type::Keypad, '0' + (final - 'p'), mods}, used);
  constexpr std::string_view kKeypadFinals = "jklmnoX";
  constexpr std::string_view kKeypadChars = "*+,-./=";
  if (auto i = kKeypadFinals.find(final); i != std::string_view::npos)
    return withEvent({Event::Type::Keypad, kKeypadChars[i], mods}, used);
  if (final < 0x20) return withResult(ignored(pos));  // broken off
  return withResult(ignored(used));
}

// A sequence introduced by ESC [ or ESC O, with or without a leading Alt ESC.
Parsed parseSequence(std::string_view in) {
  return in[1] == '[' ? parseCsi(in) : parseSs3(in);
}

Decoded decodeUtf8Char(std::string_view in, bool complete) {
  auto lead = static_cast<unsigned char>(in[0]);
  std::size_t length = lead >= 0xF0 && lead <= 0xF7   ? 4
                       : lead >= 0xE0                 ? 3
                       : lead >= 0xC2 && lead <= 0xDF ? 2
                                                      : 0;
  if (length == 0 || (lead >= 0xF8)) return refused(1);
  if (in.size() < length) {
    for (std::size_t i = 1; i < in.size(); ++i)
      if ((static_cast<unsigned char>(in[i]) & 0xC0) != 0x80) return refused(i);
    return complete ? refused(in.size()) : incomplete();
  }
  std::size_t pos = 0;
  auto cp = rt::text::cp860::decodeUtf8(in.substr(0, length), pos);
  if (!cp) return refused(pos);
  if (*cp < 0x80) return refused(length);  // an overlong form of ASCII is not a character
  if (auto byte = rt::text::cp860::fromCodepoint(*cp)) return keyResult(Key{*byte}, length);
  return refused(length);
}

Decoded decodeEscape(std::string_view in, bool complete) {
  if (in.size() == 1) return complete ? keyResult(Key{key::Esc}, 1) : incomplete();
  const char second = in[1];
  if (second == '[' || second == 'O') {
    Parsed p = parseSequence(in);
    if (p.state == Parsed::State::Event) return finish(p.event, p.used);
    if (p.state == Parsed::State::Done) return p.done;
    if (!complete) return incomplete();
    // Nothing more came: ESC O alone is Alt+O; ESC [ alone is Esc followed by "["; a sequence
    // broken off in the middle is dropped.
    if (in.size() == 2) return second == 'O' ? keyResult(Key{key::AltO}, 2) : keyResult(Key{key::Esc}, 1);
    return ignored(in.size());
  }
  if (second == kEsc) {
    // ESC ESC [ ...: Alt held with a key that sends a sequence of its own.
    if (in.size() == 2) return complete ? keyResult(Key{key::Esc}, 1) : incomplete();
    if (in[2] == '[' || in[2] == 'O') {
      Parsed p = parseSequence(in.substr(1));
      if (p.state == Parsed::State::Event) {
        Event e = p.event;
        e.mods.alt = true;
        return finish(e, p.used + 1);
      }
      if (p.state == Parsed::State::Done) {
        Decoded d = p.done;
        d.consumed += 1;
        return d;
      }
      if (!complete) return incomplete();
    }
    return keyResult(Key{key::Esc}, 1);
  }
  auto b = static_cast<unsigned char>(second);
  if (b < 0x20 || b == 0x7F) return ignored(2);  // Alt with a control key: no code
  if (b < 0x80) {
    Decoded d = textKey(b, Mods{false, true, false}, 2);
    if (d.kind == Kind::Key) return d;
  }
  // Esc typed just before an ordinary character: the character follows on its own.
  return keyResult(Key{key::Esc}, 1);
}

}  // namespace

int functionKey(int number, bool shift, bool alt, bool ctrl) {
  if (number < 1 || number > 12) return key::None;
  if (number <= 10) {
    const int base = alt ? key::AltF1 : ctrl ? key::CtrlF1 : shift ? key::ShiftF1 : 0;
    if (base != 0) return base - (number - 1);
    return number == 1 ? key::F1 : -(number - 1);
  }
  const bool f11 = number == 11;
  if (alt) return f11 ? key::AltF11 : key::AltF12;
  if (ctrl) return f11 ? key::CtrlF11 : key::CtrlF12;
  if (shift) return f11 ? key::ShiftF11 : key::ShiftF12;
  return f11 ? key::F11 : key::F12;
}

void KeyDecoder::addSequence(std::string_view bytes, Key key) {
  if (bytes.size() < 2 || bytes[0] != kEsc) return;
  learned_.push_back({std::string(bytes), key});
}

Decoded KeyDecoder::decode(std::string_view in, bool complete) const {
  if (in.empty()) return incomplete();
  for (const auto& l : learned_) {
    if (in.starts_with(l.bytes)) return keyResult(l.key, l.bytes.size());
    if (!complete && l.bytes.starts_with(in)) return incomplete();
  }
  auto b = static_cast<unsigned char>(in[0]);
  if (b == 0x1B) return decodeEscape(in, complete);
  if (b < 0x20 || b == 0x7F) return controlByte(b);
  if (b < 0x80) return keyResult(Key{b}, 1);
  return decodeUtf8Char(in, complete);
}

}  // namespace rt::term

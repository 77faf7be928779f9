#include "rt/term/key_decoder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rt/text/cp860.h"

namespace rt::term {
namespace {

using namespace rt::text::literals;
using Kind = Decoded::Kind;

// Decodes a whole burst of input as the terminal would, after the ESC delay has passed.
std::vector<Key> keysOf(std::string_view bytes, const KeyDecoder& decoder = KeyDecoder{}) {
  std::vector<Key> keys;
  std::string rest(bytes);
  while (!rest.empty()) {
    Decoded d = decoder.decode(rest, true);
    EXPECT_NE(d.kind, Kind::Incomplete) << "with complete input";
    if (d.consumed == 0) break;
    if (d.kind == Kind::Key) keys.push_back(d.key);
    rest.erase(0, d.consumed);
  }
  return keys;
}

// The one code a byte sequence must give, used up entirely.
int codeOf(std::string_view bytes) {
  Decoded d = KeyDecoder{}.decode(bytes, true);
  EXPECT_EQ(d.kind, Kind::Key) << "for " << testing::PrintToString(std::string(bytes));
  EXPECT_EQ(d.consumed, bytes.size()) << "for " << testing::PrintToString(std::string(bytes));
  return d.key.code;
}

TEST(KeyDecoder, EnterAndCtrlEnterAreDistinct) {
  EXPECT_EQ(codeOf("\r"), key::Enter);
  Key ctrlJ = KeyDecoder{}.decode("\n", true).key;
  EXPECT_EQ(ctrlJ.code, key::CtrlEnter);
  // Terminals that report Ctrl+Enter: CSI-u, xterm's modifyOtherKeys, the keypad Enter.
  EXPECT_EQ(codeOf("\x1b[13;5u"), key::CtrlEnter);
  EXPECT_EQ(codeOf("\x1b[27;5;13~"), key::CtrlEnter);
  EXPECT_EQ(codeOf("\x1bOM"), key::Enter);
  EXPECT_EQ(codeOf("\x1bO5M"), key::CtrlEnter);
  // Enter reported with no or other modifiers stays Enter.
  EXPECT_EQ(codeOf("\x1b[13u"), key::Enter);
  EXPECT_EQ(codeOf("\x1b[13;2u"), key::Enter);
}

TEST(KeyDecoder, EscAloneWaitsForTheDelay) {
  KeyDecoder d;
  EXPECT_EQ(d.decode("\x1b", false).kind, Kind::Incomplete);
  Decoded esc = d.decode("\x1b", true);
  EXPECT_EQ(esc.kind, Kind::Key);
  EXPECT_EQ(esc.key.code, key::Esc);
  // Unfinished sequences wait as well.
  EXPECT_EQ(d.decode("\x1b[", false).kind, Kind::Incomplete);
  EXPECT_EQ(d.decode("\x1b[1;5", false).kind, Kind::Incomplete);
  EXPECT_EQ(d.decode("\x1bO", false).kind, Kind::Incomplete);
  EXPECT_EQ(d.decode("\x1b\x1b", false).kind, Kind::Incomplete);
  EXPECT_EQ(d.decode("\x1b[<0;3", false).kind, Kind::Incomplete);
}

TEST(KeyDecoder, EscFollowedByOtherBytesAfterTheDelay) {
  // Esc pressed twice.
  auto keys = keysOf("\x1b\x1b");
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[0].code, key::Esc);
  EXPECT_EQ(keys[1].code, key::Esc);
  // ESC O with nothing after it is Alt+O; ESC [ alone is Esc and then "[".
  EXPECT_EQ(codeOf("\x1bO"), key::AltO);
  keys = keysOf("\x1b[");
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[0].code, key::Esc);
  EXPECT_EQ(keys[1].code, '[');
  // Esc and then a character that has no Alt code: both arrive.
  keys = keysOf("\x1b,");
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[0].code, key::Esc);
  EXPECT_EQ(keys[1].code, ',');
  keys = keysOf("\x1b\xc3\xa7");  // Esc, ç
  ASSERT_EQ(keys.size(), 2u);
  EXPECT_EQ(keys[1].code, 0x87);
  // A sequence broken off is dropped rather than typed into a field.
  EXPECT_TRUE(keysOf("\x1b[1;5").empty());
}

TEST(KeyDecoder, AltLettersDigitsAndSymbols) {
  const std::string letters = "QWERTYUIOPASDFGHJKLZXCVBNM";
  const int codes[] = {272, 273, 274, 275, 276, 277, 278, 279, 280, 281, 286, 287, 288,
                       289, 290, 291, 292, 293, 294, 300, 301, 302, 303, 304, 305, 306};
  for (std::size_t i = 0; i < letters.size(); ++i) {
    char lower = static_cast<char>(letters[i] - 'A' + 'a');
    EXPECT_EQ(codeOf(std::string("\x1b") + lower), codes[i]) << letters[i];
    EXPECT_EQ(codeOf(std::string("\x1b") + letters[i]), codes[i]) << "Alt+Shift+" << letters[i];
  }
  for (char digit = '1'; digit <= '9'; ++digit)
    EXPECT_EQ(codeOf(std::string("\x1b") + digit), 376 + (digit - '1'));
  EXPECT_EQ(codeOf("\x1b"
                   "0"),
            385);
  EXPECT_EQ(codeOf("\x1b-"), key::AltMinus);
  EXPECT_EQ(codeOf("\x1b="), key::AltEquals);
  // modifyOtherKeys and CSI-u report Alt the same way.
  EXPECT_EQ(codeOf("\x1b[27;3;97~"), key::AltA);
  EXPECT_EQ(codeOf("\x1b[99;3u"), key::AltC);
  EXPECT_EQ(codeOf("\x1b[49;3u"), key::Alt1);
}

TEST(KeyDecoder, KeypadAltMinusAndPlus) {
  EXPECT_EQ(codeOf("\x1b\x1bOm"), key::AltKeypadMinus);
  EXPECT_EQ(codeOf("\x1b\x1bOk"), key::AltKeypadPlus);
  EXPECT_EQ(codeOf("\x1bO3m"), key::AltKeypadMinus);
  EXPECT_EQ(codeOf("\x1bO3k"), key::AltKeypadPlus);
  // Alt with the "+" of the main keyboard, which has no code of its own.
  EXPECT_EQ(codeOf("\x1b+"), key::AltKeypadPlus);
  // The keypad in application mode types its characters.
  EXPECT_EQ(codeOf("\x1bOm"), '-');
  EXPECT_EQ(codeOf("\x1bOk"), '+');
  EXPECT_EQ(codeOf("\x1bOp"), '0');
  EXPECT_EQ(codeOf("\x1bOy"), '9');
  EXPECT_EQ(codeOf("\x1bOn"), '.');
  EXPECT_EQ(codeOf("\x1bOl"), ',');
}

TEST(KeyDecoder, FunctionKeysInEveryDialect) {
  const int plain[] = {key::F1, key::F2, key::F3, key::F4,  key::F5,  key::F6,
                       key::F7, key::F8, key::F9, key::F10, key::F11, key::F12};
  const char* xterm[] = {"\x1bOP",   "\x1bOQ",   "\x1bOR",   "\x1bOS",   "\x1b[15~", "\x1b[17~",
                         "\x1b[18~", "\x1b[19~", "\x1b[20~", "\x1b[21~", "\x1b[23~", "\x1b[24~"};
  for (int i = 0; i < 12; ++i) EXPECT_EQ(codeOf(xterm[i]), plain[i]) << "F" << i + 1;
  // vt220 / rxvt F1-F4 and the Linux console's F1-F5.
  EXPECT_EQ(codeOf("\x1b[11~"), key::F1);
  EXPECT_EQ(codeOf("\x1b[14~"), key::F4);
  EXPECT_EQ(codeOf("\x1b[[A"), key::F1);
  EXPECT_EQ(codeOf("\x1b[[E"), key::F5);
  EXPECT_EQ(codeOf("\x1b[1P"), key::F1);
}

TEST(KeyDecoder, FunctionKeysWithModifiers) {
  EXPECT_EQ(codeOf("\x1b[1;2P"), -10);  // Shift+F1
  EXPECT_EQ(codeOf("\x1b[1;5Q"), -21);  // Ctrl+F2
  EXPECT_EQ(codeOf("\x1b[1;3P"), key::AltF1);
  EXPECT_EQ(codeOf("\x1b[1;3Q"), key::AltF2);
  EXPECT_EQ(codeOf("\x1b[1;3S"), key::AltF4);
  EXPECT_EQ(codeOf("\x1b[15;3~"), key::AltF5);
  EXPECT_EQ(codeOf("\x1b[17;3~"), key::AltF6);
  EXPECT_EQ(codeOf("\x1b[21;3~"), -39);  // Alt+F10
  EXPECT_EQ(codeOf("\x1b[21;2~"), -19);  // Shift+F10
  EXPECT_EQ(codeOf("\x1b[21;5~"), -29);  // Ctrl+F10
  EXPECT_EQ(codeOf("\x1b[23;2~"), key::ShiftF11);
  EXPECT_EQ(codeOf("\x1b[24;5~"), key::CtrlF12);
  EXPECT_EQ(codeOf("\x1b[23;3~"), key::AltF11);
  // Meta counts as Alt; Alt wins over Ctrl and Shift.
  EXPECT_EQ(codeOf("\x1b[1;9P"), key::AltF1);
  EXPECT_EQ(codeOf("\x1b[1;8P"), key::AltF1);
  // Alt as an ESC in front of the key's own sequence, and old xterm's SS3 modifier.
  EXPECT_EQ(codeOf("\x1b\x1bOP"), key::AltF1);
  EXPECT_EQ(codeOf("\x1b\x1b[15~"), key::AltF5);
  EXPECT_EQ(codeOf("\x1bO3P"), key::AltF1);
  // rxvt's Ctrl and Shift suffixes.
  EXPECT_EQ(codeOf("\x1b[15^"), -24);
  EXPECT_EQ(codeOf("\x1b[15$"), -14);
}

TEST(KeyDecoder, FunctionKeyTable) {
  EXPECT_EQ(functionKey(1, false, false, false), 28);
  EXPECT_EQ(functionKey(2, false, false, false), -1);
  EXPECT_EQ(functionKey(10, false, false, false), -9);
  EXPECT_EQ(functionKey(11, false, false, false), -40);
  EXPECT_EQ(functionKey(12, false, false, false), -41);
  EXPECT_EQ(functionKey(1, true, false, false), -10);
  EXPECT_EQ(functionKey(1, false, false, true), -20);
  EXPECT_EQ(functionKey(1, false, true, false), -30);
  EXPECT_EQ(functionKey(12, false, true, false), -47);
  EXPECT_EQ(functionKey(0, false, false, false), key::None);
  EXPECT_EQ(functionKey(13, false, false, false), key::None);
}

TEST(KeyDecoder, NavigationKeys) {
  struct Case {
    const char* bytes;
    int code;
  };
  const Case cases[] = {
      {"\x1b[A", key::Up},       {"\x1b[B", key::Down},
      {"\x1b[C", key::Right},    {"\x1b[D", key::Left},
      {"\x1bOA", key::Up},       {"\x1bOD", key::Left},
      {"\x1b[H", key::Home},     {"\x1b[F", key::End},
      {"\x1bOH", key::Home},     {"\x1bOF", key::End},
      {"\x1b[1~", key::Home},    {"\x1b[4~", key::End},
      {"\x1b[7~", key::Home},    {"\x1b[8~", key::End},
      {"\x1b[2~", key::Ins},     {"\x1b[3~", key::Del},
      {"\x1b[5~", key::PgUp},    {"\x1b[6~", key::PgDn},
      {"\x1b[Z", key::ShiftTab}, {"\t", key::Tab},
      {"\x7f", key::Backspace},  {"\x1b[27;2;9~", key::ShiftTab},
  };
  for (const auto& c : cases) {
    Decoded d = KeyDecoder{}.decode(c.bytes, true);
    EXPECT_EQ(d.key.code, c.code) << testing::PrintToString(std::string(c.bytes));
    EXPECT_FALSE(d.key.ctrlLetter) << "a navigation key is no Ctrl+letter";
  }
}

TEST(KeyDecoder, CtrlNavigationKeys) {
  EXPECT_EQ(codeOf("\x1b[1;5D"), key::CtrlLeft);
  EXPECT_EQ(codeOf("\x1b[1;5C"), key::CtrlRight);
  EXPECT_EQ(codeOf("\x1b[1;5H"), key::CtrlHome);
  EXPECT_EQ(codeOf("\x1b[1;5F"), key::CtrlEnd);
  EXPECT_EQ(codeOf("\x1b[5;5~"), key::CtrlPgUp);
  EXPECT_EQ(codeOf("\x1b[6;5~"), key::CtrlPgDn);
  EXPECT_EQ(codeOf("\x1b[7^"), key::CtrlHome);  // rxvt
  EXPECT_EQ(codeOf("\x1bOd"), key::CtrlLeft);   // rxvt
  // No codes of their own: Ctrl+Up and Shift or Alt with arrows act as the plain keys.
  EXPECT_EQ(codeOf("\x1b[1;5A"), key::Up);
  EXPECT_EQ(codeOf("\x1b[1;2D"), key::Left);
  EXPECT_EQ(codeOf("\x1b[1;3B"), key::Down);
  EXPECT_EQ(codeOf("\x1b\x1b[A"), key::Up);
  EXPECT_EQ(codeOf("\x1b[a"), key::Up);
}

TEST(KeyDecoder, CtrlLettersAreMarkedSoArrowsCanBeToldApart) {
  Decoded ctrlS = KeyDecoder{}.decode("\x13", true);
  EXPECT_EQ(ctrlS.key.code, key::Left);
  EXPECT_TRUE(ctrlS.key.ctrlLetter);
  Decoded left = KeyDecoder{}.decode("\x1b[D", true);
  EXPECT_EQ(left.key.code, key::Left);
  EXPECT_FALSE(left.key.ctrlLetter);
  EXPECT_NE(ctrlS.key, left.key);
  for (unsigned char b = 1; b <= 26; ++b) {
    if (b == '\t' || b == '\r') continue;
    Key k = KeyDecoder{}.decode(std::string(1, static_cast<char>(b)), true).key;
    EXPECT_EQ(k.code, b);
    EXPECT_TRUE(k.ctrlLetter) << int(b);
    EXPECT_EQ(k, ctrlKey(static_cast<char>('a' + b - 1)));
  }
  // Flow-control keys arrive as keys.
  EXPECT_EQ(KeyDecoder{}.decode("\x11", true).key, ctrlKey('q'));
  // Tab and Enter are the keys, not Ctrl+I and Ctrl+M.
  EXPECT_FALSE(KeyDecoder{}.decode("\t", true).key.ctrlLetter);
  EXPECT_FALSE(KeyDecoder{}.decode("\r", true).key.ctrlLetter);
  // Ctrl+letters reported through CSI-u.
  EXPECT_EQ(KeyDecoder{}.decode("\x1b[115;5u", true).key, ctrlKey('s'));
  // NUL and Ctrl+\ ] ^ _ are no keys: they would collide with F1 and the Ctrl codes.
  for (char b : std::string("\x00\x1c\x1d\x1e\x1f", 5))
    EXPECT_EQ(KeyDecoder{}.decode(std::string(1, b), true).kind, Kind::Ignored);
}

TEST(KeyDecoder, TypedTextArrivesAsCp860) {
  auto keys = keysOf("a\xc3\xa7\xc3\xa3o \xe2\x94\x80\xc3\x89");  // "ação ─É"
  std::string typed;
  for (Key k : keys) {
    EXPECT_TRUE(k.isChar());
    typed += k.ch();
  }
  EXPECT_EQ(typed, std::string("ação ─É"_cp));
  // Characters beyond ASCII get their CP860 byte as the code.
  EXPECT_EQ(codeOf("\xc3\x87"), 0x80);  // Ç
  EXPECT_EQ(codeOf("\xc2\xa0"), 0xFF);
}

TEST(KeyDecoder, CharactersWithoutCp860FormAreRefused) {
  Decoded euro = KeyDecoder{}.decode("\xe2\x82\xac", true);
  EXPECT_EQ(euro.kind, Kind::Refused);
  EXPECT_EQ(euro.consumed, 3u);
  // Malformed UTF-8 is refused one piece at a time, then typing goes on.
  Decoded stray = KeyDecoder{}.decode(
      "\x80"
      "a",
      true);
  EXPECT_EQ(stray.kind, Kind::Refused);
  EXPECT_EQ(stray.consumed, 1u);
  Decoded broken = KeyDecoder{}.decode(
      "\xc3"
      "a",
      true);
  EXPECT_EQ(broken.kind, Kind::Refused);
  EXPECT_EQ(broken.consumed, 1u);
  // An overlong form of "/" is not a character.
  EXPECT_EQ(KeyDecoder{}.decode("\xc0\xaf", true).kind, Kind::Refused);
  EXPECT_EQ(KeyDecoder{}.decode("\xf0\x9f\x98\x80", true).kind, Kind::Refused);  // an emoji
  // A character split over two reads waits for its second part.
  EXPECT_EQ(KeyDecoder{}.decode("\xc3", false).kind, Kind::Incomplete);
  EXPECT_EQ(KeyDecoder{}.decode("\xe2\x94", false).kind, Kind::Incomplete);
  EXPECT_EQ(KeyDecoder{}.decode("\xc3", true).kind, Kind::Refused);
}

TEST(KeyDecoder, MouseLeftPressesCarryTheCell) {
  // SGR report: button 0 at column 10, row 3 (counted from 1).
  Decoded sgr = KeyDecoder{}.decode("\x1b[<0;10;3M", true);
  EXPECT_EQ(sgr.key, (Key{key::MouseLeft, false, 2, 9}));
  EXPECT_EQ(sgr.consumed, 10u);
  // Release, right button, wheel and motion are no keys.
  EXPECT_EQ(KeyDecoder{}.decode("\x1b[<0;10;3m", true).kind, Kind::Ignored);
  EXPECT_EQ(KeyDecoder{}.decode("\x1b[<2;10;3M", true).kind, Kind::Ignored);
  EXPECT_EQ(KeyDecoder{}.decode("\x1b[<64;10;3M", true).kind, Kind::Ignored);
  EXPECT_EQ(KeyDecoder{}.decode("\x1b[<32;10;3M", true).kind, Kind::Ignored);
  // A press with Ctrl held is still a press.
  EXPECT_EQ(KeyDecoder{}.decode("\x1b[<16;1;1M", true).key, (Key{key::MouseLeft, false, 0, 0}));
  // X10 report: button, column and row as bytes plus 32.
  Decoded x10 = KeyDecoder{}.decode(std::string("\x1b[M") + char(32) + char(33 + 79) + char(33 + 24), true);
  EXPECT_EQ(x10.key, (Key{key::MouseLeft, false, 24, 79}));
  EXPECT_EQ(KeyDecoder{}.decode(std::string("\x1b[M") + char(35) + char(40) + char(40), true).kind,
            Kind::Ignored);
  EXPECT_EQ(KeyDecoder{}.decode("\x1b[M ", false).kind, Kind::Incomplete);
}

TEST(KeyDecoder, UnknownSequencesAreSkippedWhole) {
  // Focus events, a paste marker, a device report: nothing leaks into the input.
  EXPECT_TRUE(keysOf("\x1b[I\x1b[O").empty());
  EXPECT_TRUE(keysOf("\x1b[200~").empty());
  EXPECT_TRUE(keysOf("\x1b[?1;2c").empty());
  auto keys = keysOf("\x1b[99;99;99Xa");
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_EQ(keys[0].code, 'a');
  // A sequence interrupted by another key: the second one is kept.
  keys = keysOf("\x1b[1;\x1b[A");
  ASSERT_EQ(keys.size(), 1u);
  EXPECT_EQ(keys[0].code, key::Up);
  // Absurdly long parameter lists end as well.
  EXPECT_TRUE(keysOf("\x1b[" + std::string(100, '1') + "~").empty());
}

TEST(KeyDecoder, SeveralKeysInOneBurst) {
  auto keys = keysOf(
      "\x1b[A\x1b[B\rx\x1bOP\x1b"
      "a");
  std::vector<int> codes;
  for (Key k : keys) codes.push_back(k.code);
  EXPECT_EQ(codes, (std::vector<int>{key::Up, key::Down, key::Enter, 'x', key::F1, key::AltA}));
}

TEST(KeyDecoder, LearnedSequencesComeFirst) {
  KeyDecoder d;
  d.addSequence("\x1b[[Z", Key{key::F12});
  d.addSequence("x", Key{key::F11});  // not an escape sequence: never taken
  d.addSequence("", Key{key::F11});
  EXPECT_EQ(d.decode("\x1b[[Z", true).key.code, key::F12);
  EXPECT_EQ(d.decode("\x1b[[", false).kind, Kind::Incomplete);
  EXPECT_EQ(d.decode("x", true).key.code, 'x');
}

// Whatever bytes come, a decode uses up at least one and never more than there are, and with
// complete input it never asks for more: the read loop cannot stall or run past its buffer.
TEST(KeyDecoder, AnyBytesAreUsedUpSafely) {
  const std::string alphabet =
      std::string("\x1b\x1b\x1b[[[OOO0123456789;;;<~~uMm^$@ABCDHFPZakq\r\n\t\x7f", 46) +
      "\xc3\xa7\xe2\x82\xac\x80\xff\xf0";
  KeyDecoder d;
  d.addSequence("\x1b[[Z", Key{key::F12});
  std::uint32_t seed = 12345;
  auto next = [&] {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 8;
  };
  for (int round = 0; round < 20000; ++round) {
    std::string in;
    const std::size_t length = 1 + next() % 12;
    for (std::size_t i = 0; i < length; ++i) in += alphabet[next() % alphabet.size()];
    for (bool complete : {false, true}) {
      Decoded r = d.decode(in, complete);
      if (r.kind == Kind::Incomplete) {
        ASSERT_FALSE(complete) << testing::PrintToString(in);
        ASSERT_EQ(r.consumed, 0u);
      } else {
        ASSERT_GE(r.consumed, 1u) << testing::PrintToString(in);
        ASSERT_LE(r.consumed, in.size()) << testing::PrintToString(in);
      }
      if (r.kind == Kind::Key) {
        ASSERT_NE(r.key.code, key::None) << testing::PrintToString(in);
      }
    }
  }
}

}  // namespace
}  // namespace rt::term

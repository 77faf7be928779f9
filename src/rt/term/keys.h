// The runtime's key codes, which the program tests by number. Codes 1-31 serve both as
// navigation keys and as Ctrl+letters (Left and Ctrl+S are both 19); a Key remembers which one
// was typed so that a Ctrl+letter binding never fires on an arrow.
#pragma once

namespace rt::term {

namespace key {
inline constexpr int None = 0;
inline constexpr int Enter = 13, CtrlEnter = 10, Esc = 27, Tab = 9, ShiftTab = 271, Backspace = 8;
inline constexpr int Ins = 22, Del = 7;
inline constexpr int Home = 1, End = 6, PgUp = 18, PgDn = 3, Up = 5, Down = 24, Left = 19, Right = 4;
inline constexpr int CtrlLeft = 26, CtrlRight = 2, CtrlHome = 29, CtrlEnd = 23, CtrlPgUp = 31, CtrlPgDn = 30;
inline constexpr int F1 = 28, F2 = -1, F3 = -2, F4 = -3, F5 = -4, F6 = -5, F7 = -6, F8 = -7, F9 = -8,
                     F10 = -9, F11 = -40, F12 = -41;
// Shift+F1..F10 -10..-19, Ctrl+F1..F10 -20..-29, Alt+F1..F10 -30..-39.
inline constexpr int ShiftF1 = -10, CtrlF1 = -20, AltF1 = -30, AltF2 = -31, AltF3 = -32, AltF4 = -33,
                     AltF5 = -34, AltF6 = -35;
inline constexpr int ShiftF11 = -42, ShiftF12 = -43, CtrlF11 = -44, CtrlF12 = -45, AltF11 = -46, AltF12 = -47;
inline constexpr int AltQ = 272, AltW = 273, AltE = 274, AltR = 275, AltT = 276, AltY = 277, AltU = 278,
                     AltI = 279, AltO = 280, AltP = 281;
inline constexpr int AltA = 286, AltS = 287, AltD = 288, AltF = 289, AltG = 290, AltH = 291, AltJ = 292,
                     AltK = 293, AltL = 294;
inline constexpr int AltZ = 300, AltX = 301, AltC = 302, AltV = 303, AltB = 304, AltN = 305, AltM = 306;
inline constexpr int Alt1 = 376, Alt0 = 385, AltMinus = 386, AltEquals = 387;
inline constexpr int AltKeypadMinus = 330, AltKeypadPlus = 334;
// A left mouse press; the Key carries the cell.
inline constexpr int MouseLeft = 1002;

// The Alt code of a letter ('A'..'Z' or 'a'..'z'), 0 for anything else.
constexpr int altOf(char letter) {
  constexpr int codes[26] = {AltA, AltB, AltC, AltD, AltE, AltF, AltG, AltH, AltI, AltJ, AltK, AltL, AltM,
                             AltN, AltO, AltP, AltQ, AltR, AltS, AltT, AltU, AltV, AltW, AltX, AltY, AltZ};
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  return (letter >= 'A' && letter <= 'Z') ? codes[letter - 'A'] : 0;
}
// The Alt code of a digit '0'..'9', 0 for anything else.
constexpr int altOfDigit(char digit) {
  if (digit == '0') return Alt0;
  return (digit >= '1' && digit <= '9') ? Alt1 + (digit - '1') : 0;
}
}  // namespace key

struct Key {
  int code = key::None;
  // True when a code 1-26 came from Ctrl+letter rather than from a navigation key.
  bool ctrlLetter = false;
  // The cell of a mouse press.
  int row = -1, col = -1;

  bool isNone() const { return code == key::None; }
  // A printable CP860 byte (32-255), as typed.
  bool isChar() const { return code >= 32 && code <= 255; }
  char ch() const { return static_cast<char>(code); }
  friend bool operator==(const Key&, const Key&) = default;
};

inline Key ctrlKey(char letter) {
  return Key{(letter | 0x20) - 'a' + 1, true};
}

}  // namespace rt::term

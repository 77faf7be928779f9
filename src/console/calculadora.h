// The pop-up calculator: four operations chained left to right, a memory, and a result the
// user may send into the field being edited with Ctrl+Enter.
//
// Keys: digits (10 whole and 4 decimal places at most), "." or "," (decimal point), Backspace
// (clears the entry), "I" (sign), + - * / (operators), "=" or Enter, "C" (clears the
// calculation), "M" then "+", "-", "R" or "C" (memory add, subtract, recall, clear), the arrows
// (move the window), "X" or Esc (leave), Ctrl+Enter or Ctrl+J (leave and send).
//
// What is sent: with an operation pending, the result so far ("2 + 3" sends 2); right after
// "=", the result; otherwise (an entry typed with nothing pending, or right after "C") the
// entry as it shows. A division by zero, or a result too large to hold, sets an error that
// stays until "C" or a new entry, and a calculator in error sends nothing. Callers check that
// the result fits the target field before storing it.
#pragma once

#include <optional>

#include "console/contexto.h"
#include "rt/text/decimal.h"

namespace console {

struct Calculadora {
  rt::text::Decimal RESULT;  // the value sent, valid when CALCULADORA returned true
  // Where the window opens; the arrows move it and the new place is kept here.
  int LCAL = 11;
  int CCAL = 11;
};

// CALCULADORA: opens window `janela` (kCalculadora) at (topo, esquerda), default (11, 11), a top row
// above 11 taken as 11 and a left column above 48 as 48. True when the user sent a result.
bool CALCULADORA(Contexto& ctx, Calculadora& calc, Jan janela = Jan::kCalculadora, std::optional<int> topo = std::nullopt,
                 std::optional<int> esquerda = std::nullopt);

}  // namespace console

// The settings the shell keeps in named variables while it runs: the office-wide record
// DEFINE (billing, saving, the update check) and the terminal's own password fields of CONFIG.
// Start-up fills them from the tables; the settings screens change them and write them back.
#pragma once

#include <string>

#include "rt/text/decimal.h"

namespace shell {

struct Ajustes {
  // From DEFINE (table 43, one record for the office).
  rt::text::Decimal VAL_SEG;   // price per minute of use (N5.2)
  rt::text::Decimal VAL_BYTE;  // price per KByte of data (N5.2)
  rt::text::Decimal VAL_MIN;   // minimum fee (N8.2)
  rt::text::Decimal VAL_CPMF;  // (N8.4)
  int TEMP_DES = 0;            // minutes without a key before a declaration's clock stops
  // Save mode: 1 automatic every TEMP_SAL minutes, 2 manual (Alt-W), 3 only at the end. The
  // declaration driver reads only TEMP_SAL: 1-97 autosaves, 0 is manual, 99 end only.
  int COMO_SAL = 2;
  int TEMP_SAL = 15;
  std::string VER_ATUAL = "N";  // "S": check for a newer version at start-up

  // From the terminal's CONFIG record (table 42).
  bool QUERSEN = false;  // ask the access password at start-up
  int ULT_SENIR = 0;     // copy of the password's number; 0 when none was ever set

  // The date of this version, which the update check compares with the server's.
  std::string CULTIMAVER = "10/06/10";
};

}  // namespace shell

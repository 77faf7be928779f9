// Reading the gains rows' fields the way every part of the gains reads them.
#pragma once

#include <string>

#include "rt/db/table.h"
#include "rt/text/strings.h"
#include "store/campos.h"

namespace gains {

// The two digits of month `mes` in the monthly field names (REC_MES01 .. REC_MES12).
inline std::string mm(int mes) { return rt::text::doisDigitos(mes); }

using store::inteiro;

// An S/N field answered "S".
inline bool sim(const rt::db::Table& t, const char* campo) {
  return rt::text::upper(rt::text::alltrim(t.getText(campo))) == "S";
}

}  // namespace gains

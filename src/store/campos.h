// Reading a table's fields the way the declaration's code reads them.
#pragma once

#include <string_view>

#include "rt/db/table.h"

namespace store {

// A whole-number field (kinds, numbers, sequences, ports).
inline int inteiro(const rt::db::Table& t, std::string_view campo) {
  return static_cast<int>(t.getNumber(campo).wholePart());
}

}  // namespace store

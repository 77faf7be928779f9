// A value of one of the runtime's four types: text (CP860), number, date, logical. Memory
// variables, table fields, key expressions and input fields all hold one of these.
#pragma once

#include <string>
#include <variant>

#include "rt/text/date.h"
#include "rt/text/decimal.h"

namespace rt::text {

using Value = std::variant<std::string, Decimal, Date, bool>;

}  // namespace rt::text

// What is said when a table refuses a write. Every layer that writes (the console's lists, the
// store, the computation, the grid) words a refusal the same way, so the office reads one
// message for one fault.
#pragma once

#include <string>
#include <string_view>

#include "rt/base/status.h"

namespace console {

// The text of a refused write of `oque` (a field's name, a table's alias, or what was being
// done). A number too wide for its field says that the field kept its value.
std::string textoRecusa(const rt::Status& s, std::string_view oque);

// The failure of a step that has said it itself and knows only that it failed (a lock not
// had, a table its opener could not open, a message already shown); `oque` names it for the
// logs and the tests.
inline rt::Status falhaDita(rt::Error code, std::string_view oque) {
  return rt::Status(code, std::string(oque)).markTold();
}

}  // namespace console

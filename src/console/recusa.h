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

}  // namespace console

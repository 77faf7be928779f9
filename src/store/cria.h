// CRIA: a table made from the catalogue when its file is missing. The file appears whole:
// DEFINE with its single seeded record, a shipped table with the rows the installation
// brings, every other table empty.
#pragma once

#include <string_view>

#include "rt/base/status.h"
#include "store/areas.h"
#include "store/contexto.h"

namespace store {

// Creates table `area` (01-70; 21-39 give the structure of the number less 20, 39 that of 19)
// at `arquivo` (a stored name, with or without ".DBF"). Shows the table's creation message in
// the message window while it works. Ok when the file is there afterwards (made now, or by
// another terminal meanwhile); failed, told by the alert "Arquivo <file> não localizado!",
// when the number has no structure or the file could not be made.
rt::Status CRIA(Contexto& ctx, Area area, std::string_view arquivo);

}  // namespace store

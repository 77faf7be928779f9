// CRIA: a table made from the catalogue when its file is missing. The file appears whole:
// DEFINE with its single seeded record, a shipped table with the rows the installation
// brings, every other table empty.
#pragma once

#include <string_view>

#include "store/contexto.h"

namespace store {

// Creates table `area` (01-70; 21-39 give the structure of the number less 20, 39 that of 19)
// at `arquivo` (a stored name, with or without ".DBF"). Shows the table's creation message in
// the message window while it works. Returns true when the file is there afterwards (made
// now, or by another terminal meanwhile); false, after the alert "Arquivo <file> não
// localizado!", when the number has no structure or the file could not be made.
[[nodiscard]] bool CRIA(Contexto& ctx, int area, std::string_view arquivo);

}  // namespace store

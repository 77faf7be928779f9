// A table file made whole before its name appears. Another terminal may open a table the
// moment it exists, so a new file is written under a scratch name in the same folder, filled
// while held exclusively, and only then moved to its name, never over a file that is there by
// then (another terminal that made it first wins, and ours is thrown away). An empty table,
// the seeded DEFINE and the shipped tables with their rows are all made this way.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "rt/base/status.h"
#include "rt/db/structure.h"
#include "rt/db/table.h"

namespace store {

using Preenche = std::function<rt::Status(rt::db::Table&)>;

// Makes `destino` (a Linux path ending in ".DBF") with `campos`, writing it first as
// `provisorio` (same folder, ".DBF" too) and filling it through `preenche` (may be empty).
// `jaExistia` tells whether the file was found made by someone else (then nothing of ours
// stays). A table with memo fields brings its .DBT along.
rt::Status montaTabela(const std::string& destino, const std::string& provisorio,
                       std::vector<rt::db::FieldDef> campos, const Preenche& preenche, bool* jaExistia);

// Renames `de` to `para` unless `para` exists; `jaExistia` says it did (and `de` stays).
rt::Status moveSemSubstituir(const std::string& de, const std::string& para, bool* jaExistia);

}  // namespace store

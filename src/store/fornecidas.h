// Rows that a table receives when it is first created: the seeded DEFINE record, and the rows
// the installation brings for the shipped reference tables and the checker's message list
// (the seed files data/seed/<FILE>.csv, built into the program, or read from a seed folder
// that replaces them). A shipped table that is missing is created from the catalogue and
// filled once; later the office keeps it through the program's own screens, so the seed is
// never applied again.
#pragma once

#include <filesystem>
#include <span>
#include <string>

#include "platform/paths.h"
#include "rt/base/status.h"
#include "rt/db/table.h"
#include "store/catalogo.h"
#include "store/contexto.h"
#include "store/semente.h"

namespace store {

// Appends one record holding `valores` to a table opened exclusively.
rt::Status gravaValores(rt::db::Table& tabela, std::span<const CampoDef> campos,
                        std::span<const ValorSemente> valores);

// Appends the seed rows of `t`: from the context's seed folder when one is set (no file for
// the table there adds nothing), else from the seed built into the program. Rows with a fault
// are left out (the loader names them).
rt::Status preencheSemente(const Contexto& ctx, const TabelaDef& t, rt::db::Table& tabela);

// A seed folder that replaces the built-in seed: the folder named by TAVREN_SEED_DIR when it
// is one; empty otherwise (the built-in seed is used).
std::filesystem::path pastaSementePadrao(const platform::EnvLookup& env = platform::processEnvironment());

}  // namespace store

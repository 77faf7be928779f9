// Rebuilding the index files of a data folder and packing the program folder's tables.
//
// Every table is held exclusively before anything of it is touched: its index files are
// erased, it is packed and its indexes are built again within that one hold, so another
// terminal never finds a table without its indexes. A table another terminal is using is left
// as it was and reported.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/contexto.h"

namespace store {

// REORG: rebuilds the indexes of tables 01-19 of `pasta` (each packed, then indexed on its
// catalogue keys). Mode 3 (program exit, transfers, CPF change) does only that and then closes
// every area. Modes 1 and 4 also pack the program folder's tables and rebuild their indexes
// (a table in use is skipped and told on the status line). Mode 4 (from REINDEXA) returns
// there; the other modes then close everything, run the check pass, open the register of
// `pasta` again and turn the opener's messages off. False when a table of the folder could not
// be had (the rebuild of that folder stops there, after the opener's alert).
bool REORG(Contexto& ctx, std::string_view pasta, int modo);

// REINDEXA: after the warning that no other terminal may be working, erases this terminal's
// working copies in the work folder and rebuilds every folder of the register (the program
// folder's tables packed once); then back to the data folder it started from, with the check
// pass. False when the user said no or a folder could not be rebuilt.
bool REINDEXA(Contexto& ctx);

// The program-folder tables the reorganisation packs, in order.
const std::vector<std::string>& tabelasEmpacotadas();

// Rebuilds the indexes of declaration table n (1-19) of the current data folder: held
// exclusively (tried for `segundos`), index files erased, packed, indexed. False when it
// could not be had.
bool reindexaTabela(Contexto& ctx, int n, int segundos = 10);

}  // namespace store

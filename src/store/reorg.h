// Rebuilding the index files of a data folder and packing the program folder's tables.
//
// Every table is held exclusively before anything of it is touched: its index files are
// erased, it is packed and its indexes are built again within that one hold, so another
// terminal never finds a table without its indexes. A table another terminal is using is left
// as it was (after a short wait), the others are rebuilt all the same, and the busy ones are
// named to the caller. Only the folder asked is touched: no table is made anywhere else.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "rt/base/status.h"
#include "store/areas.h"
#include "store/contexto.h"

namespace store {

// REORG: rebuilds the indexes of tables 01-19 of `pasta` (each packed, then indexed on its
// catalogue keys). Mode 3 (program exit, transfers, CPF change) does only that and then closes
// every area. Modes 1 and 4 also pack the program folder's tables and rebuild their indexes
// (a table in use is skipped and told on the status line). Mode 4 (from REINDEXA) returns
// there; the other modes then close everything, run the check pass, open the register of
// `pasta` again and turn the opener's messages off. A table another terminal holds is skipped
// and its file name ("IMP0510.DBF") added to `ocupadas` when given. kInUse, untold, when a
// table was skipped (the caller names `ocupadas`); the opener's told failure when a table could
// not be had for another reason (the rebuild of that folder stops there, after its alert).
rt::Status REORG(Contexto& ctx, std::string_view pasta, int modo, std::vector<std::string>* ocupadas = nullptr);

// REINDEXA: after the warning that no other terminal may be working, erases this terminal's
// working copies in the work folder and rebuilds the current data folder (and packs the
// program folder's tables); then the check pass. Tables other terminals kept it from are
// listed in an alert. Failed, told, when the user said no or the folder could not be wholly
// rebuilt.
//
// Only the current folder: rebuilding every folder of the register made a full set of empty
// declaration tables wherever a register row pointed (the program folder among them), which
// later starts took for a data folder.
rt::Status REINDEXA(Contexto& ctx);

// The program-folder tables the reorganisation packs, in order.
const std::vector<std::string>& tabelasEmpacotadas();

// Rebuilds the indexes of declaration table n (1-19) of the current data folder: held
// exclusively (tried for `segundos`), index files erased, packed, indexed. A table still held
// after the first try is waited for with a notice naming it. kInUse when another terminal held
// it all that time (nothing changed, no alert); any other failure has been told in the
// opener's alert.
rt::Status reindexaTabela(Contexto& ctx, Area n, int segundos = 10);

// The alert naming the tables a reorganisation left alone because other terminals used them.
void avisaOcupadas(Contexto& ctx, const std::vector<std::string>& ocupadas);

}  // namespace store

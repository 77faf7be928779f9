// The office's settings in DEFINE (table 43, one record shared by every terminal): read as a
// whole and written under the record's lock, by every layer through these two.
#pragma once

#include <functional>

#include "rt/base/status.h"
#include "rt/db/table.h"
#include "store/contexto.h"

namespace store {

// Runs `le` on DEFINE's record; failed, and told, when the table or its record could not be
// had.
rt::Status leDefine(Contexto& ctx, const std::function<void(const rt::db::Table&)>& le);

// Runs `grava` on DEFINE's record under its lock (the 5-second wait) and writes it; failed,
// and told, when the table, its record or the lock could not be had or the write was refused
// (the record is then as it was).
rt::Status gravaDefine(Contexto& ctx, const std::function<rt::Status(rt::db::Table&)>& grava);

}  // namespace store

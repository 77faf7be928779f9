// The office's settings in DEFINE (table 43, one record shared by every terminal): read as a
// whole and written under the record's lock.
#pragma once

#include <functional>
#include <optional>

#include "rt/db/table.h"
#include "store/contexto.h"

namespace office {

// Runs `le` on DEFINE's record; false when the table or its record could not be had (said).
bool leDefine(store::Contexto& ctx, const std::function<void(const rt::db::Table&)>& le);

// Runs `grava` on DEFINE's record under its lock and writes it; false, after saying why, when
// the lock was not had or the write was refused (the record is then as it was).
bool gravaDefine(store::Contexto& ctx, const std::function<rt::Status(rt::db::Table&)>& grava);

}  // namespace office

// Moving records between tables and to and from delimited text, as the old runtime's APPEND
// FROM, COPY TO and their DELIMITED forms did. Fields are matched by name; records are taken
// from the top in the source's current order, deleted or filtered-out records left behind.
#pragma once

#include <functional>
#include <string>

#include "rt/base/status.h"
#include "rt/db/table.h"

namespace rt::db {

using RecordFilter = std::function<bool(const Table&)>;

// Appends to `target` every visible record of `source` that passes `forCondition`. Fields
// of the same name and type are copied; others stay blank. A number too wide for the target
// field stops the copy with kOverflow naming it.
Status appendFrom(Table& target, Table& source, const RecordFilter& forCondition = {});
// The same from a table file, opened shared and read only for the copy.
Status appendFrom(Table& target, const std::string& sourcePath, const RecordFilter& forCondition = {},
                  bool hideDeleted = true);
// Creates `path` with the structure of `source` (replacing a file nobody uses) and copies the
// visible records that pass `forCondition`.
Status copyTo(Table& source, const std::string& path, const RecordFilter& forCondition = {});

// Delimited text: one line per record ended by CR LF, fields in table order separated by
// commas, character fields trimmed and in double quotes, numbers plain with "." decimals,
// dates YYYYMMDD (nothing for an empty date), logicals T or F. Memo fields are left out.
Status copyToDelimited(Table& source, const std::string& path, const RecordFilter& forCondition = {});
// Reads such text into `target`, the values filling the fields in table order.
Status appendFromDelimited(Table& target, const std::string& path);

}  // namespace rt::db

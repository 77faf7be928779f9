// Errors of the table engine, returned as values: a table that cannot be opened, a record that
// another terminal holds or a number too wide for its field is ordinary life in a shared
// folder, and the caller decides what to tell the user.
#pragma once

#include <string>
#include <utility>
#include <variant>

#include "rt/text/result.h"

namespace rt::db {

enum class Error {
  kNone,
  kNotFound,      // the file does not exist
  kInUse,         // another terminal has the table open exclusively (or open at all, for an exclusive open)
  kLocked,        // a record, file or append lock is held by someone else
  kNotLocked,     // a write to a shared table without the record or file lock
  kNeedExclusive, // pack, zap and index rebuild need the table opened exclusively
  kCorrupt,       // the file is not what its header says
  kOverflow,      // a number that does not fit its field
  kBadField,      // no such field, or a value of the wrong type for it
  kBadExpression, // a key or filter expression that does not compile
  kExists,        // creating a file that is already there
  kIo,            // the operating system refused (disk full, permissions ...)
  kNoRecord,      // positioned at end of file, there is no current record
  kReadOnly,      // a write to a table opened read-only
};

// Short English name of an error, for logs and test output.
const char* errorName(Error e);

class [[nodiscard]] Status : public rt::BasicStatus<Error> {
 public:
  using BasicStatus::BasicStatus;
  Status() = default;
  static Status ok() { return {}; }
};

template <typename T>
using Result = rt::BasicResult<T, Status>;

#define RT_DB_TRY(expr)                    \
  do {                                     \
    ::rt::db::Status rt_db_s_ = (expr);    \
    if (!rt_db_s_.isOk()) return rt_db_s_; \
  } while (0)

}  // namespace rt::db

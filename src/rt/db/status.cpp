#include "rt/db/status.h"

namespace rt::db {

const char* errorName(Error e) {
  switch (e) {
    case Error::kNone: return "ok";
    case Error::kNotFound: return "not found";
    case Error::kInUse: return "in use by another terminal";
    case Error::kLocked: return "locked";
    case Error::kNotLocked: return "not locked";
    case Error::kNeedExclusive: return "needs exclusive use";
    case Error::kCorrupt: return "corrupt";
    case Error::kOverflow: return "number does not fit the field";
    case Error::kBadField: return "bad field";
    case Error::kBadExpression: return "bad expression";
    case Error::kExists: return "already exists";
    case Error::kIo: return "input/output error";
    case Error::kNoRecord: return "no current record";
    case Error::kReadOnly: return "read only";
  }
  return "unknown";
}

}  // namespace rt::db

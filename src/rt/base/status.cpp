#include "rt/base/status.h"

#include <cerrno>
#include <cstring>

namespace rt {

const char* errorName(Error e) {
  switch (e) {
    case Error::kNone: return "ok";
    case Error::kNotFound: return "not found";
    case Error::kExists: return "already exists";
    case Error::kCorrupt: return "corrupt";
    case Error::kIo: return "input/output error";
    case Error::kInUse: return "in use by another terminal";
    case Error::kLocked: return "locked";
    case Error::kNotLocked: return "not locked";
    case Error::kNeedExclusive: return "needs exclusive use";
    case Error::kOverflow: return "number does not fit the field";
    case Error::kBadField: return "bad field";
    case Error::kBadExpression: return "bad expression";
    case Error::kNoRecord: return "no current record";
    case Error::kReadOnly: return "read only";
    case Error::kNotFolder: return "not a folder";
    case Error::kAccess: return "permission denied";
    case Error::kNoSpace: return "no space left";
    case Error::kUnsafe: return "unsafe";
    case Error::kNotAvailable: return "not available";
    case Error::kFailed: return "failed";
    case Error::kBadArgument: return "bad argument";
  }
  return "unknown";
}

Status Status::fromErrno(int err, std::string_view what) {
  Error code = Error::kIo;
  switch (err) {
    case ENOENT: code = Error::kNotFound; break;
    case EEXIST: case ENOTEMPTY: code = Error::kExists; break;
    case ENOTDIR: code = Error::kNotFolder; break;
    case EACCES: case EPERM: case EROFS: code = Error::kAccess; break;
    case ENOSPC: case EDQUOT: code = Error::kNoSpace; break;
    default: break;
  }
  std::string detail(what);
  detail += ": ";
  detail += std::strerror(err);
  Status s(code, std::move(detail));
  s.errno_ = err;
  return s;
}

std::string Status::message() const {
  std::string m = errorName(code_);
  if (!detail_.empty()) m += ": " + detail_;
  return m;
}

}  // namespace rt

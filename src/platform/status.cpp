#include "platform/status.h"

#include <cerrno>
#include <cstring>

namespace platform {

const char* errorName(Error e) {
  switch (e) {
    case Error::kNone: return "ok";
    case Error::kNotFound: return "not found";
    case Error::kExists: return "already exists";
    case Error::kNotFolder: return "not a folder";
    case Error::kAccess: return "permission denied";
    case Error::kNoSpace: return "no space left";
    case Error::kCorrupt: return "corrupt";
    case Error::kUnsafe: return "unsafe";
    case Error::kNotAvailable: return "not available";
    case Error::kFailed: return "failed";
    case Error::kBadArgument: return "bad argument";
    case Error::kIo: return "i/o error";
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
  return {code, std::move(detail)};
}

}  // namespace platform

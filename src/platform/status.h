// Errors of the platform layer, returned as values. A missing folder, a full disk, a printer
// that is not there or a damaged archive are ordinary events in an office; the caller decides
// which of the system's own messages to show.
#pragma once

#include <string>
#include <utility>
#include <variant>

#include "rt/text/result.h"

namespace platform {

enum class Error {
  kNone,
  kNotFound,      // no such file, folder, program or printer
  kExists,        // something is already there (a file where a folder should be ...)
  kNotFolder,     // a path component is not a folder
  kAccess,        // permission refused
  kNoSpace,       // disk or quota full
  kCorrupt,       // a file is not what it should be (a truncated archive, a bad setting line)
  kUnsafe,        // input refused because acting on it could write outside its place
  kNotAvailable,  // a service the system counts on is absent (no `lp`, no default printer)
  kFailed,        // a child program ran and reported failure
  kBadArgument,   // the caller passed something this layer does not accept
  kIo,            // any other refusal of the operating system
};

const char* errorName(Error e);

class [[nodiscard]] Status : public rt::BasicStatus<Error> {
 public:
  using BasicStatus::BasicStatus;
  Status() = default;
  static Status ok() { return {}; }
  // The error for errno `err` while doing `what` (a short text naming the call and the path).
  static Status fromErrno(int err, std::string_view what);
};

template <typename T>
using Result = rt::BasicResult<T, Status>;

}  // namespace platform

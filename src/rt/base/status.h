// The one error type of the runtime and of every layer above it, returned as a value. A table
// another terminal holds, a missing folder, a full disk or a damaged archive are ordinary life
// in an office's shared folder; the caller decides which of the system's own messages to show.
// The table engine, the printer output and the platform layer all speak in these codes, so a
// failure passes up unchanged from the layer that met it to the one that tells the user.
// Whether the user has been told is part of the status: the function that says a failure
// returns it marked told, so the layers above stop or pass it up and never say it again.
#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace rt {

enum class Error {
  kNone,
  // Any layer.
  kNotFound,  // no such file, folder, program or printer
  kExists,    // something is already there (a file to be created, a file where a folder should be)
  kCorrupt,   // a file is not what its header or format says (a table, an index, a truncated archive)
  kIo,        // any other refusal of the operating system
  // The table engine.
  kInUse,          // another terminal has the table open exclusively (or open at all, for an exclusive open)
  kLocked,         // a record, file or append lock is held by someone else
  kNotLocked,      // a write to a shared table without the record or file lock
  kNeedExclusive,  // pack, zap and index rebuild need the table opened exclusively
  kOverflow,       // a number that does not fit its field
  kBadField,       // no such field, or a value of the wrong type for it
  kBadExpression,  // a key or filter expression that does not compile
  kNoRecord,       // positioned at end of file, there is no current record
  kReadOnly,       // a write to a table opened read-only
  // Files, devices and other programs.
  kNotFolder,     // a path component is not a folder
  kAccess,        // permission refused
  kNoSpace,       // disk or quota full
  kUnsafe,        // input refused because acting on it could write outside its place
  kNotAvailable,  // a service or file the system counts on is absent or busy (no `lp`, a print file in use)
  kFailed,        // a child program ran and reported failure
  kBadArgument,   // the caller passed something the callee does not accept
};

// Short English name of an error, for logs, test output and the detail line of an alert.
const char* errorName(Error e);

class [[nodiscard]] Status {
 public:
  Status() = default;
  Status(Error code, std::string detail) : code_(code), detail_(std::move(detail)) {}
  static Status ok() { return {}; }
  // The error for errno `err` while doing `what` (a short text naming the call and the path).
  static Status fromErrno(int err, std::string_view what);

  bool isOk() const { return code_ == Error::kNone; }
  explicit operator bool() const { return isOk(); }
  Error code() const { return code_; }
  // The name of the field, file or call and the OS message that explain the error.
  const std::string& detail() const { return detail_; }
  // The error's name and its detail, in English: "not found: open X: No such file or directory".
  std::string message() const;
  // The system's error number the status was made from (fromErrno), or 0: the messages that
  // name the old DOS codes derive them from it.
  int sysError() const { return errno_; }

  // True when the failure has been said to the user by the function that met it.
  bool told() const { return told_; }
  // This status marked as said, by the function that has just said it; an ok status stays
  // ok and untold.
  Status markTold() const {
    Status s = *this;
    s.told_ = !isOk();
    return s;
  }
  // Lets the status go where nothing else depends on the step (a setting written on the way
  // out, a row marked after the work it records): its failure, if any, has been said by the
  // callee, or needs no saying by the callee's own contract.
  void ignoreTold() const {}

 private:
  Error code_ = Error::kNone;
  std::string detail_;
  int errno_ = 0;
  bool told_ = false;
};

// Returns the Status of `expr` from the calling function when it is an error.
#define RT_TRY(expr)                 \
  do {                               \
    ::rt::Status rt_s_ = (expr);     \
    if (!rt_s_.isOk()) return rt_s_; \
  } while (0)

}  // namespace rt

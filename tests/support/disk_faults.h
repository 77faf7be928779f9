// A disk that fails when a test says: the Nth write, sync or rename of a file whose name holds
// a given text fails with ENOSPC or EIO, or writes only part of what it was given, through the
// one fault hook of rt/fs (rt/fs/faults.h). Installed while the object lives; one at a time.
#pragma once

#include <unistd.h>

#include <cerrno>
#include <limits>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "rt/fs/faults.h"

namespace support {

using rt::fs::Call;

enum class FaultKind { kNoSpace, kIoError, kShortWrite };

struct Fault {
  Call call = Call::kWrite;
  FaultKind kind = FaultKind::kNoSpace;
  // The calls counted are those on a file whose name (its last component; for a rename, the
  // name renamed to) contains `name`; "" counts them all. 1 is the first such call.
  std::string name = {};
  int nth = 1;
  bool onward = false;  // every matching call from the Nth on, as a disk that stays full
};

inline std::string_view callName(Call c) {
  return c == Call::kWrite ? "write" : c == Call::kSync ? "sync" : "rename";
}

inline std::string_view kindName(FaultKind k) {
  return k == FaultKind::kNoSpace ? "ENOSPC" : k == FaultKind::kIoError ? "EIO" : "short write";
}

// The errno a fault gives (0 for a short write, which fails nothing by itself).
inline int faultErrno(FaultKind k) {
  return k == FaultKind::kNoSpace ? ENOSPC : k == FaultKind::kIoError ? EIO : 0;
}

// What the system says of it, as strerror words it.
inline std::string_view faultText(FaultKind k) {
  return k == FaultKind::kNoSpace ? "No space left on device" : k == FaultKind::kIoError ? "Input/output error" : "";
}

// The faults every operation is tried against: each call failing with each error, and a
// write cut short.
struct FaultCase {
  Call call;
  FaultKind kind;
  std::string label() const { return std::string(callName(call)) + " " + std::string(kindName(kind)); }
};
inline std::vector<FaultCase> everyFault() {
  std::vector<FaultCase> v;
  for (Call c : {Call::kWrite, Call::kSync, Call::kRename})
    for (FaultKind k : {FaultKind::kNoSpace, FaultKind::kIoError}) v.push_back({c, k});
  v.push_back({Call::kWrite, FaultKind::kShortWrite});
  return v;
}

class DiskFaults final : public rt::fs::FaultInjector {
 public:
  explicit DiskFaults(std::vector<Fault> faults) : faults_(std::move(faults)), seen_(faults_.size(), 0) {
    rt::fs::installFaults(this);
  }
  explicit DiskFaults(Fault f) : DiskFaults(std::vector<Fault>{std::move(f)}) {}
  ~DiskFaults() { rt::fs::installFaults(nullptr); }
  DiskFaults(const DiskFaults&) = delete;
  DiskFaults& operator=(const DiskFaults&) = delete;

  // How many calls were made to fail (or cut short): a test whose fault met no call tests
  // nothing.
  int made() const {
    std::lock_guard<std::mutex> l(m_);
    return made_;
  }

  rt::fs::Injected on(Call call, int fd, const char* path, std::size_t bytes) override {
    std::lock_guard<std::mutex> l(m_);
    const std::string name = path != nullptr ? lastComponent(path) : lastComponent(pathOf(fd));
    for (std::size_t i = 0; i < faults_.size(); ++i) {
      const Fault& f = faults_[i];
      if (f.call != call || name.find(f.name) == std::string::npos) continue;
      const int n = ++seen_[i];
      if (n < f.nth || (n > f.nth && !f.onward)) continue;
      if (f.kind == FaultKind::kShortWrite) {
        if (bytes < 2) continue;  // nothing to cut
        ++made_;
        return {.error = 0, .limit = bytes / 2};
      }
      ++made_;
      return {.error = faultErrno(f.kind)};
    }
    return {};
  }

 private:
  static std::string pathOf(int fd) {
    char buf[4096];
    const std::string link = "/proc/self/fd/" + std::to_string(fd);
    const ssize_t n = ::readlink(link.c_str(), buf, sizeof buf);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
  }
  static std::string lastComponent(const std::string& p) {
    const std::size_t slash = p.find_last_of('/');
    return slash == std::string::npos ? p : p.substr(slash + 1);
  }

  mutable std::mutex m_;
  std::vector<Fault> faults_;
  std::vector<int> seen_;
  int made_ = 0;
};

}  // namespace support

// What the parts of Table (table*.cpp) share and nothing else needs.
#pragma once

#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>

#include "rt/db/locks.h"
#include "rt/db/table.h"

namespace rt::db {
namespace detail {

// Reads ahead and copies in blocks of this size.
constexpr std::size_t kChunkBytes = 64 * 1024;

// The path with `ext` added when its last component has no extension.
inline std::string defaultExtension(const std::string& path, std::string_view ext) {
  auto slash = path.find_last_of('/');
  auto dot = path.find_last_of('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) return path;
  return path + std::string(ext);
}

inline void today(int& y, int& m, int& d) {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  y = tm.tm_year + 1900;
  m = tm.tm_mon + 1;
  d = tm.tm_mday;
}

}  // namespace detail

// Holds the short update lock (shared for readers of the indexes, exclusive for writers) and
// brings the index caches up to date; a no-op for exclusive tables.
class Table::UpdateGuard {
 public:
  UpdateGuard(Table& t, bool writer) : t_(t) {
    status_ = t_.updateLock(writer, writer ? Refresh::kAll : Refresh::kControlling);
  }
  ~UpdateGuard() {
    if (status_.isOk()) t_.updateUnlock();
  }
  const Status& status() const { return status_; }

 private:
  Table& t_;
  Status status_;
};

}  // namespace rt::db

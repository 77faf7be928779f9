// What the parts of Table (table*.cpp) share and nothing else needs.
#pragma once

#include <atomic>
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
  // A writer's changes are marked (see table_sharing.cpp); `marks` false holds the lock
  // exclusively for work that replaces whole files instead (index builds).
  UpdateGuard(Table& t, bool writer, bool marks = true) : t_(t) { status_ = t_.updateLock(writer, writer && marks); }
  ~UpdateGuard() {
    if (status_.isOk()) t_.updateUnlock();
  }
  const Status& status() const { return status_; }

 private:
  Table& t_;
  Status status_;
};

template <class Read>
Status Table::readOrdered(Read read) {
  if (tracksChanges() && updateDepth_ == 0) {
    const std::uint32_t before = changeCounter();
    if (before == seen_) {
      Position at = position();
      Status s = read();
      // Whatever the read saw was written before the counter moved again; an unmoved counter
      // means it saw one consistent state.
      std::atomic_thread_fence(std::memory_order_acquire);
      if (changeCounter() == before) return s;
      restore(std::move(at));
    }
  }
  UpdateGuard g(*this, false);
  RT_TRY(g.status());
  return read();
}

}  // namespace rt::db

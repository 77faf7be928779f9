// Where the engine's locks lie in a DBF file (see docs/table-engine.md). They sit far beyond
// any real data, so they never block reads or writes of the bytes themselves.
#pragma once

#include <cstdint>

namespace rt::db {

constexpr std::uint64_t kLockBase = std::uint64_t{1} << 40;
// Shared by every shared open, exclusive by an exclusive open.
constexpr std::uint64_t kLockOpen = kLockBase;
// Held for a moment: exclusive while a writer changes records, header and indexes; shared
// while a reader walks the indexes.
constexpr std::uint64_t kLockUpdate = kLockBase + 1;
// kLockBase + 2 was an append lock; appends are serialised by the update lock alone.
// Record n is locked at kLockRecords + n; the file lock covers all of them.
constexpr std::uint64_t kLockRecords = kLockBase + 16;
constexpr std::uint64_t kLockRecordSpan = std::uint64_t{1} << 32;

}  // namespace rt::db

// Table: record and file locks (see docs/table-engine.md).
#include "rt/db/table.h"

#include "rt/db/table_internal.h"

namespace rt::db {

Status Table::lockRecord(std::uint32_t recno, bool keepOthers) {
  if (recno == 0) recno = recno_;
  if (exclusive_) return {};
  RT_TRY(settleKept());
  if (recno < 1 || recno > recordCount()) return {Error::kNoRecord, alias_};
  if (fileLocked_) return {};
  if (!lockedRecords_.count(recno)) {
    RT_TRY(file_.tryLock(kLockRecords + recno, 1, File::LockKind::kExclusive));
    lockedRecords_.insert(recno);
  }
  if (!keepOthers) {
    for (auto it = lockedRecords_.begin(); it != lockedRecords_.end();) {
      if (*it != recno) {
        file_.unlock(kLockRecords + *it, 1);
        it = lockedRecords_.erase(it);
      } else {
        ++it;
      }
    }
  }
  // Another terminal may have changed the record before we held it.
  if (recno == recno_ && !eof_) return loadRecord(recno_);
  return {};
}

Status Table::lockFile() {
  if (exclusive_ || fileLocked_) return {};
  RT_TRY(settleKept());
  RT_TRY(file_.tryLock(kLockRecords, kLockRecordSpan, File::LockKind::kExclusive));
  fileLocked_ = true;
  lockedRecords_.clear();
  chunkCount_ = 0;
  if (!eof_) return loadRecord(recno_);
  return {};
}

Status Table::unlock() {
  Status s = flush();
  // A lock not let go goes with the close (OFD locks belong to the descriptor).
  if (!exclusive_ && (fileLocked_ || !lockedRecords_.empty())) file_.unlock(kLockRecords, kLockRecordSpan);
  fileLocked_ = false;
  lockedRecords_.clear();
  return s;
}

Status Table::unlockRecord(std::uint32_t recno) {
  if (recno == recno_) RT_TRY(settleKept());
  if (exclusive_ || fileLocked_) return {};
  if (lockedRecords_.erase(recno)) file_.unlock(kLockRecords + recno, 1);
  return {};
}

bool Table::isRecordLocked(std::uint32_t recno) const {
  return exclusive_ || fileLocked_ || lockedRecords_.count(recno) > 0;
}

}  // namespace rt::db

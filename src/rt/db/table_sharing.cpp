// Table: the update lock and the change counter that let terminals share a table.
//
// Bytes 16-19 of a DBF header (reserved for multi-user use in the dBase layout) hold a change
// counter that every shared write moves: to an odd value before it touches anything, to the
// next even value when everything (record, header, index pages) is written. So:
//  - a terminal whose caches reflect counter value `seen_` and finds it unchanged knows that
//    nothing changed, and reads without taking any lock (checking the counter again after
//    reading, since a write may have begun meanwhile);
//  - a counter found odd under the lock belongs to a writer that died in the middle. Its
//    indexes carry the "left unfinished" mark, set before the write began, and the next
//    terminal to take the lock rebuilds them from the table before anyone reads them.
// Tables of other programs (read only) and exclusive tables do not use the counter.
#include <atomic>

#include "rt/db/table.h"
#include "rt/db/table_internal.h"

namespace rt::db {

namespace {

constexpr std::size_t kChangeCounterAt = 16;

}  // namespace

std::uint32_t Table::changeCounter() const {
  // The header page is shared with every process that has the table open.
  auto* at = reinterpret_cast<std::uint32_t*>(view_.data() + kChangeCounterAt);
  return std::atomic_ref<std::uint32_t>(*at).load(std::memory_order_acquire);
}

void Table::setChangeCounter(std::uint32_t value) {
  auto* at = reinterpret_cast<std::uint32_t*>(view_.data() + kChangeCounterAt);
  std::atomic_ref<std::uint32_t>(*at).store(value, std::memory_order_release);
  file_.noteWritten();
}

Status Table::updateLock(bool writer, bool marksWrite) {
  if (exclusive_ || updateDepth_++ > 0) return {};
  bool exclusiveLock = writer;
  for (;;) {
    Status s = file_.waitLock(kLockUpdate, 1, exclusiveLock ? File::LockKind::kExclusive : File::LockKind::kShared);
    bool needExclusive = false;
    if (s) s = catchUp(exclusiveLock, needExclusive);
    if (s && needExclusive) {
      // A repair is due: only a writer may make it.
      file_.unlock(kLockUpdate, 1);
      exclusiveLock = true;
      continue;
    }
    if (s && marksWrite && tracksChanges()) s = beginWrite();
    if (!s) {
      writing_ = false;  // what was begun stays marked for the next locker to repair
      file_.unlock(kLockUpdate, 1);
      --updateDepth_;
    }
    return s;
  }
}

void Table::updateUnlock(std::uint32_t keep) {
  if (exclusive_ || --updateDepth_ > 0) return;
  // A write that cannot be finished leaves the counter odd and the indexes marked: the next
  // terminal to take the lock repairs them, so nothing is dropped here.
  if (writing_) (void)endWrite();
  // The record locks lie right after the update lock (locks.h): one range lets go of both.
  file_.unlock(kLockUpdate, keep == 0 ? 1 : kLockRecords + keep - kLockUpdate);
}

Status Table::catchUp(bool exclusiveLock, bool& needExclusive) {
  needExclusive = false;
  if (!tracksChanges()) {
    // Others' tables: nothing counts their changes, so what is cached is checked every time.
    return refreshIndexes();
  }
  std::uint32_t c = changeCounter();
  if (c == seen_) return {};
  const bool deadWriter = (c & 1) != 0;
  if (deadWriter && !exclusiveLock) {
    needExclusive = true;
    return {};
  }
  chunkCount_ = 0;
  RT_TRY(readHeaderCount());
  bool rebuilt = false;
  for (auto& o : orders_) {
    bool replaced = o.index->isReplaced();
    auto stale = replaced ? CdxIndex::leftUnfinished(o.index->path()) : o.index->isMarkedStale();
    if (!stale) return stale.status();
    if (*stale) {
      if (!exclusiveLock) {
        needExclusive = true;
        return {};
      }
      RT_TRY(rebuildOrder(o));
      rebuilt = true;
    } else if (replaced) {
      RT_TRY(reopenOrder(o));
    } else {
      RT_TRY(o.index->refresh());
    }
  }
  if (deadWriter) setChangeCounter(++c);
  seen_ = c;
  return rebuilt ? announceRebuild() : Status();
}

// Terminals holding a file a build replaced must look again; when no other terminal has the
// table open the header is left as it is.
Status Table::announceRebuild() {
  if (!tracksChanges()) return {};
  auto others = file_.isLockedByOthers(kLockOpen, 1, File::LockKind::kExclusive);
  if (!others) return others.status();
  if (!*others) return {};
  auto c = static_cast<std::uint32_t>(seen_) + 2;
  setChangeCounter(c);
  seen_ = c;
  return {};
}

Status Table::beginWrite() {
  // Odd first: from here on, a kill leaves the table for the next locker to repair. Every
  // index is marked before the record is written, so none can miss a change unmarked.
  setChangeCounter(static_cast<std::uint32_t>(seen_) + 1);
  writing_ = true;
  for (auto& o : orders_) RT_TRY(o.index->markStale());
  return {};
}

Status Table::endWrite() {
  writing_ = false;
  RT_TRY(flushIndexes(false));  // writes what is left and clears the marks
  std::uint32_t c = static_cast<std::uint32_t>(seen_) + 2;
  setChangeCounter(c);
  seen_ = c;
  return {};
}

Status Table::syncShared() {
  if (exclusive_ || updateDepth_ > 0) return {};
  if (!tracksChanges()) return readHeaderCount();
  if (changeCounter() == seen_) return {};
  UpdateGuard g(*this, false);
  return g.status();
}

Status Table::rebuildOrder(Order& o) {
  std::string path = o.index->path();
  char pad = o.index->pad();
  RT_TRY(buildOrder(o, path));
  auto ix = CdxIndex::open(path, o.expr.text(), o.keyLen, pad, true);
  if (!ix) return ix.status();
  o.index = std::move(*ix);
  o.index->setDeferred(exclusive_);
  o.cursor = {};
  o.cursorGen = 0;
  return {};
}

Status Table::reopenOrder(Order& o) {
  auto ix = CdxIndex::open(o.index->path(), o.expr.text(), o.keyLen, o.index->pad(), !readOnly_);
  // Removed again since we looked: ours stays, as good as any until someone builds anew.
  if (ix.code() == Error::kNotFound) return {};
  if (!ix) return ix.status();
  o.index = std::move(*ix);
  o.cursor = {};
  o.cursorGen = 0;
  return {};
}

Table::Position Table::position() const {
  Position p{rec_, orig_, recno_, eof_, bof_, found_, {}, 0};
  if (order_ > 0) {
    const Order& o = orders_[static_cast<std::size_t>(order_ - 1)];
    p.cursor = o.cursor;
    p.cursorGen = o.cursorGen;
  }
  return p;
}

void Table::restore(Position p) {
  rec_ = std::move(p.rec);
  orig_ = std::move(p.orig);
  recno_ = p.recno;
  eof_ = p.eof;
  bof_ = p.bof;
  found_ = p.found;
  if (order_ > 0) {
    Order& o = orders_[static_cast<std::size_t>(order_ - 1)];
    o.cursor = p.cursor;
    o.cursorGen = p.cursorGen;
  }
}

}  // namespace rt::db

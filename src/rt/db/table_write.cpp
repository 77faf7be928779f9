// Table: changing records, appending, committing.
#include "rt/db/table.h"

#include <limits>

#include "rt/db/table_internal.h"

namespace rt::db {

using detail::kChunkBytes;
using detail::today;

Status Table::requireWritable() {
  if (readOnly_) return {Error::kReadOnly, path_};
  if (eof_) return {Error::kNoRecord, alias_};
  if (!exclusive_ && !fileLocked_ && !lockedRecords_.count(recno_))
    return {Error::kNotLocked, alias_ + " record " + std::to_string(recno_)};
  return {};
}

Status Table::put(int i, const Value& v) {
  if (i < 0 || i >= fieldCount()) return {Error::kBadField, "field number " + std::to_string(i + 1)};
  RT_TRY(requireWritable());
  const FieldDef& f = header_.fields[static_cast<std::size_t>(i)];
  std::string bytes;
  if (f.type == 'M') {
    auto* s = std::get_if<std::string>(&v);
    if (!s) return {Error::kBadField, f.name + " takes text"};
    if (f.width != kMemoFieldWidth) return {Error::kBadField, f.name + ": a memo pointer of another kind"};
    if (!memo_) return {Error::kNotFound, withExtension(path_, ".DBT")};
    UpdateGuard g(*this, true);
    RT_TRY(g.status());
    auto block = memo_->write(*s);
    if (!block) return block.status();
    bytes = memoFieldFromBlock(*block, f.width);
  } else {
    auto r = formatField(f, v);
    if (!r) return r.status();
    bytes = std::move(*r);
  }
  // The codecs give exactly the field's width; anything else would move the fields after it.
  if (bytes.size() != static_cast<std::size_t>(f.width) ||
      static_cast<std::size_t>(f.offset) + bytes.size() > rec_.size())
    return {Error::kBadField, f.name + ": " + std::to_string(bytes.size()) + " bytes for a field of " + std::to_string(f.width)};
  rec_.replace(static_cast<std::size_t>(f.offset), bytes.size(), bytes);
  dirty_ = true;
  return {};
}

Status Table::put(std::string_view name, const Value& v) {
  int i = fieldIndex(name);
  if (i < 0) return {Error::kBadField, std::string(name)};
  return put(i, v);
}

Status Table::markDeleted() {
  RT_TRY(requireWritable());
  rec_[0] = '*';
  dirty_ = true;
  return {};
}

Status Table::recall() {
  RT_TRY(requireWritable());
  rec_[0] = ' ';
  dirty_ = true;
  return {};
}

// Shared, the caller holds the update lock: the count is read again, since other terminals
// may have appended since we last looked, and only an append ever raises it.
Status Table::writeHeaderPrefix() {
  if (!exclusive_ && !tracksChanges()) RT_TRY(readHeaderCount());
  today(header_.year, header_.month, header_.day);
  header_.recordCount = count_;
  return view_.write(file_, 0, encodeHeaderPrefix(header_));
}

Status Table::flush() { return takeWriteError(settle()); }

Status Table::settleKept() {
  Status s = settle();
  if (!s && writeError_) writeError_ = s;
  return s;
}

// A kept error is older than `s` and says what was lost first; either way it is said once.
Status Table::takeWriteError(Status s) {
  if (writeError_) return s;
  Status kept = std::move(writeError_);
  writeError_ = {};
  return kept;
}

Status Table::flushRecord(bool writeIndexes) {
  if (!dirty_) return {};
  UpdateGuard g(*this, true);
  RT_TRY(g.status());
  const std::size_t len = header_.recordLength;
  std::uint64_t at = header_.headerLength + static_cast<std::uint64_t>(recno_ - 1) * len;
  std::uint32_t pendingCount = static_cast<std::uint32_t>(pending_.size() / len);
  if (newRecord_) {
    if (!pending_.empty() && recno_ != pendingFirst_ + pendingCount) RT_TRY(writePending());
    if (pending_.empty()) pendingFirst_ = recno_;
    pending_ += rec_;
    headerTouched_ = true;
    if (pending_.size() >= kChunkBytes) RT_TRY(writePending());
  } else if (!pending_.empty() && recno_ >= pendingFirst_ && recno_ < pendingFirst_ + pendingCount) {
    pending_.replace(static_cast<std::size_t>(recno_ - pendingFirst_) * len, len, rec_);
  } else {
    RT_TRY(view_.write(file_, at, rec_));
  }
  if (recno_ >= chunkFirst_ && recno_ < chunkFirst_ + chunkCount_)
    chunk_.replace(static_cast<std::size_t>(recno_ - chunkFirst_) * header_.recordLength, header_.recordLength, rec_);
  for (auto& o : orders_) {
    std::string newKey = makeKey(o, rec_);
    if (newRecord_) {
      RT_TRY(o.index->insert(newKey, recno_));
      continue;
    }
    std::string oldKey = makeKey(o, orig_);
    if (oldKey == newKey) continue;
    Status s = o.index->erase(oldKey, recno_);
    if (s.code() == Error::kCorrupt) {
      // The index had lost this record: it can no longer be trusted and is rebuilt when
      // next opened or caught up with; the new key still goes in so this session keeps
      // finding the record.
      RT_TRY(o.index->markDamaged());
    } else if (!s) {
      return s;
    }
    RT_TRY(o.index->insert(newKey, recno_));
  }
  if (!exclusive_ && writeIndexes) RT_TRY(flushIndexes(false));
  if (!headerTouched_) {
    headerTouched_ = true;
    RT_TRY(writeHeaderPrefix());
  }
  orig_ = rec_;
  dirty_ = false;
  newRecord_ = false;
  return {};
}

Status Table::writePending() {
  if (pending_.empty()) return {};
  std::uint32_t n = static_cast<std::uint32_t>(pending_.size() / header_.recordLength);
  pending_ += '\x1A';
  Status s = file_.writeAt(header_.headerLength + static_cast<std::uint64_t>(pendingFirst_ - 1) * header_.recordLength, pending_);
  if (!s) {
    pending_.pop_back();  // kept for the next try, whole records only
    return s;
  }
  pending_.clear();
  // The count says what the file holds: a record appended but not yet written is not in it.
  today(header_.year, header_.month, header_.day);
  header_.recordCount = pendingFirst_ + n - 1;
  return file_.writeAt(0, encodeHeaderPrefix(header_));
}

Status Table::settle() {
  RT_TRY(flushRecord());
  return writePending();
}

Status Table::flushIndexes(bool sync) {
  for (auto& o : orders_) RT_TRY(o.index->flush(sync));
  return {};
}

Status Table::commit() {
  // A kept error is said, but after the commit's own work, so what did reach the file is synced.
  const Status kept = takeWriteError({});
  RT_TRY(settle());
  if (readOnly_) return kept;
  RT_TRY(flushIndexes(true));
  if (headerTouched_) {
    UpdateGuard g(*this, true);
    RT_TRY(g.status());
    RT_TRY(writeHeaderPrefix());
    headerTouched_ = false;  // written; a commit with nothing new writes nothing
  }
  RT_TRY(file_.sync());
  if (memo_) RT_TRY(memo_->sync());
  return kept;
}

Status Table::appendBlank() {
  if (readOnly_) {
    RT_TRY(flushRecord());
    return {Error::kReadOnly, path_};
  }
  // Shared, one hold of the update lock writes the row still pending (the previous append's
  // values) and appends the new record, and its release lets go of the other record locks: a
  // terminal appending row after row takes the update lock, the new record's lock and lets
  // both go, three lock calls an append (docs/terminais.md).
  Status s = updateLock(true, true);
  if (!s) return s;
  s = flushRecord(false);  // a previous append joins the pending ones; its pages go with ours
  std::uint32_t recno = 0;
  if (s && !exclusive_ && !tracksChanges()) s = readHeaderCount();
  if (s) {
    recno = count_ + 1;
    if (!exclusive_ && !fileLocked_) s = file_.tryLock(kLockRecords + recno, 1, File::LockKind::kExclusive);
  }
  // Exclusive, nothing is written yet: the first flush writes the record, the end mark and
  // then the header count in that order, as a shared append does here at once.
  if (s && !exclusive_) {
    std::string data = blank_;
    data += '\x1A';
    s = view_.write(file_, header_.headerLength + static_cast<std::uint64_t>(recno - 1) * header_.recordLength, data);
  }
  if (s) {
    count_ = recno;
    headerTouched_ = true;
    if (!exclusive_) {
      today(header_.year, header_.month, header_.day);
      header_.recordCount = count_;
      s = view_.write(file_, 0, encodeHeaderPrefix(header_));
    }
  }
  // Exclusive, the keys go in when the record is first written, saving an insert and an
  // erase per index; the index is flagged behind first, so a crash in between is repaired.
  // Shared, the blank keys go in at once, so other terminals never see a record unindexed.
  for (auto& o : orders_) {
    if (!s) break;
    s = exclusive_ ? o.index->prepareChange() : o.index->insert(makeKey(o, blank_), recno);
  }
  if (s && !exclusive_) s = flushIndexes(false);
  if (!exclusive_ && s && !fileLocked_) {
    // The new record comes locked; other record locks go, as with the old runtime. Every one
    // of them lies below the new record (it is the last), so the release of the update lock
    // takes them with it unless an outer hold keeps the update lock.
    if (updateDepth_ == 1) {
      updateUnlock(recno);
    } else {
      updateUnlock();
      for (auto r : lockedRecords_)
        if (r != recno) file_.unlock(kLockRecords + r, 1);
    }
    lockedRecords_ = {recno};
  } else {
    updateUnlock();
  }
  if (!s) return s;
  rec_ = blank_;
  orig_ = blank_;
  recno_ = recno;
  eof_ = bof_ = found_ = false;
  if (exclusive_) newRecord_ = dirty_ = true;
  return {};
}

Status Table::appendRecords(std::span<const std::vector<Value>> rows) {
  if (readOnly_) return {Error::kReadOnly, path_};
  if (!exclusive_ && !fileLocked_) return {Error::kNotLocked, alias_};
  if (rows.empty()) return {};
  if (rows.size() > std::numeric_limits<std::uint32_t>::max() - count_) return {Error::kOverflow, alias_};
  const std::size_t len = header_.recordLength;
  std::string data;
  data.reserve(rows.size() * len + 1);
  for (const std::vector<Value>& row : rows) {
    if (row.size() > header_.fields.size()) return {Error::kBadField, alias_ + ": more values than fields"};
    std::string rec = blank_;
    for (std::size_t i = 0; i < row.size(); ++i) {
      const FieldDef& f = header_.fields[i];
      if (f.type == 'M') return {Error::kBadField, f.name + ": memo fields are not appended whole"};
      auto bytes = formatField(f, row[i]);
      if (!bytes) return bytes.status();
      if (bytes->size() != static_cast<std::size_t>(f.width)) return {Error::kBadField, f.name};
      rec.replace(static_cast<std::size_t>(f.offset), bytes->size(), *bytes);
    }
    data += rec;
  }
  RT_TRY(settle());  // the row and the appends still pending go first
  {
    UpdateGuard g(*this, true);  // shared: the counter odd and every index marked from here on
    RT_TRY(g.status());
    if (!exclusive_ && !tracksChanges()) RT_TRY(readHeaderCount());
    const std::uint32_t first = count_ + 1;
    data += '\x1A';
    // Beyond the count, nobody reads these bytes: a kill while they are written leaves the
    // table as it was, and the next append writes over them.
    RT_TRY(view_.write(file_, header_.headerLength + static_cast<std::uint64_t>(first - 1) * len, data));
    for (auto& o : orders_) {
      if (exclusive_) RT_TRY(o.index->prepareChange());
      for (std::size_t k = 0; k < rows.size(); ++k)
        RT_TRY(o.index->insert(makeKey(o, std::string_view(data).substr(k * len, len)), first + static_cast<std::uint32_t>(k)));
    }
    // The one write that makes them all visible.
    count_ = first + static_cast<std::uint32_t>(rows.size()) - 1;
    headerTouched_ = true;
    today(header_.year, header_.month, header_.day);
    header_.recordCount = count_;
    RT_TRY(view_.write(file_, 0, encodeHeaderPrefix(header_)));
    // Only now the index pages, whose writing clears their "left unfinished" marks: flushed
    // before the count, a kill between the two would leave unmarked indexes holding keys of
    // records the table does not count, which nobody would rebuild. Killed after the count,
    // the marks still stand and the next locker rebuilds the indexes from the records.
    if (!exclusive_) RT_TRY(flushIndexes(false));
  }
  goTo(count_);
  return status();
}

}  // namespace rt::db

// Table: pack, memo pack and zap, all under exclusive use.
#include "rt/db/table.h"

#include <algorithm>
#include <cstdio>

#include "rt/db/table_internal.h"
#include "rt/fs/faults.h"

namespace rt::db {

using detail::kChunkBytes;
using detail::today;

Status Table::pack() {
  RT_TRY(settle());
  if (!exclusive_) return {Error::kNeedExclusive, path_};
  for (auto& o : orders_) {
    RT_TRY(o.index->flush());
    RT_TRY(o.index->markStale());  // a crash before the rebuild leaves them to be rebuilt
  }
  auto tmp = ScratchFile::beside(path_);
  if (!tmp) return tmp.status();
  File* out = &tmp->file();
  std::uint32_t kept = 0;
  const std::size_t len = header_.recordLength;
  std::string buf;
  std::string block;
  std::uint64_t at = header_.headerLength;
  for (std::uint32_t r = 1; r <= count_;) {
    std::uint32_t n = static_cast<std::uint32_t>(std::min<std::size_t>(kChunkBytes / len + 1, count_ - r + 1));
    buf.resize(n * len);
    RT_TRY(file_.readExact(header_.headerLength + static_cast<std::uint64_t>(r - 1) * len, buf));
    block.clear();
    for (std::uint32_t i = 0; i < n; ++i)
      if (buf[i * len] != '*') {
        block.append(buf, i * len, len);
        ++kept;
      }
    RT_TRY(out->writeAt(at, block));
    at += block.size();
    r += n;
  }
  RT_TRY(out->writeAt(at, std::string_view("\x1A", 1)));
  DbfHeader h = header_;
  today(h.year, h.month, h.day);
  h.recordCount = kept;
  std::string head = encodeHeader(h);
  // Keep whatever the old header held beyond the field list (some writers add bytes there).
  if (head.size() < h.headerLength) {
    std::string old(h.headerLength, '\0');
    RT_TRY(file_.readExact(0, old));
    head += old.substr(head.size());
  }
  RT_TRY(out->writeAt(0, head));
  RT_TRY(out->sync());
  // Hold the new file exclusively before its name is visible, so no one slips in between.
  RT_TRY(out->tryLock(kLockOpen, 1, File::LockKind::kExclusive));
  RT_TRY(tmp->renameOver(path_));
  RT_TRY(syncDirectoryOf(path_));
  map_.reset();
  file_ = std::move(*out);
  map_ = Mapping::of(file_);
  header_.recordCount = count_ = kept;
  chunkCount_ = 0;
  headerTouched_ = false;
  RT_TRY(rebuildAll());
  return moveTop();
}

Status Table::packMemo() {
  RT_TRY(settle());
  if (!exclusive_) return {Error::kNeedExclusive, path_};
  if (!memo_) return {};
  std::string dbt = memo_->path();
  auto dbtTmp = ScratchFile::beside(dbt);
  if (!dbtTmp) return dbtTmp.status();
  RT_TRY(MemoFile::writeEmpty(dbtTmp->file()));
  auto fresh = MemoFile::adopt(std::move(dbtTmp->file()), dbtTmp->path());
  auto tmp = ScratchFile::beside(path_);
  if (!tmp) return tmp.status();
  File* out = &tmp->file();
  std::string head(header_.headerLength, '\0');
  RT_TRY(file_.readExact(0, head));
  RT_TRY(out->writeAt(0, head));
  const std::size_t len = header_.recordLength;
  std::string rec(len, ' ');
  for (std::uint32_t r = 1; r <= count_; ++r) {
    std::uint64_t at = header_.headerLength + static_cast<std::uint64_t>(r - 1) * len;
    RT_TRY(file_.readExact(at, rec));
    for (const FieldDef& f : header_.fields) {
      if (f.type != 'M' || f.width != kMemoFieldWidth) continue;
      std::string_view raw = std::string_view(rec).substr(static_cast<std::size_t>(f.offset), static_cast<std::size_t>(f.width));
      std::uint32_t block = memoBlockFromField(raw);
      std::uint32_t moved = 0;
      if (block != 0) {
        auto text = memo_->read(block);  // a text that cannot be read is dropped
        if (text) {
          auto b = fresh.write(*text);
          if (!b) return b.status();
          moved = *b;
        }
      }
      rec.replace(static_cast<std::size_t>(f.offset), static_cast<std::size_t>(f.width), memoFieldFromBlock(moved, f.width));
    }
    RT_TRY(out->writeAt(at, rec));
  }
  RT_TRY(out->writeAt(header_.headerLength + static_cast<std::uint64_t>(count_) * len,
                      std::string_view("\x1A", 1)));
  RT_TRY(out->sync());
  RT_TRY(fresh.sync());
  RT_TRY(out->tryLock(kLockOpen, 1, File::LockKind::kExclusive));
  std::string old = dbt + ".old";
  if (rt::fs::rename(dbt.c_str(), old.c_str()) != 0) return {Error::kIo, "rename " + dbt};
  RT_TRY(dbtTmp->renameOver(dbt));
  RT_TRY(tmp->renameOver(path_));
  RT_TRY(syncDirectoryOf(path_));
  std::remove(old.c_str());
  map_.reset();
  file_ = std::move(*out);
  map_ = Mapping::of(file_);
  chunkCount_ = 0;
  auto reopened = MemoFile::open(dbt, true);
  if (!reopened) return reopened.status();
  memo_ = std::make_unique<MemoFile>(std::move(*reopened));
  return moveTop();
}

Status Table::zap() {
  RT_TRY(settle());
  if (!exclusive_) return {Error::kNeedExclusive, path_};
  for (auto& o : orders_) {
    RT_TRY(o.index->flush());
    RT_TRY(o.index->markStale());
  }
  count_ = 0;
  RT_TRY(writeHeaderPrefix());
  RT_TRY(file_.writeAt(header_.headerLength, std::string_view("\x1A", 1)));
  map_.reset();  // never touch mapped pages past a new end of file
  RT_TRY(file_.truncate(header_.headerLength + 1));
  RT_TRY(file_.sync());
  chunkCount_ = 0;
  RT_TRY(rebuildAll());
  return moveTop();
}

}  // namespace rt::db

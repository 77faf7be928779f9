#include "rt/db/table.h"

#include <cstdio>
#include <ctime>
#include <algorithm>
#include <cstring>

#include "rt/db/locks.h"
#include "rt/text/strings.h"

namespace rt::db {

using rt::text::Date;
using rt::text::Decimal;

namespace {

constexpr std::size_t kChunkBytes = 64 * 1024;
constexpr std::size_t kMaxHeader = 32 + 32 * 2046 + 1 + 263;

std::string defaultExtension(const std::string& path, std::string_view ext) {
  auto slash = path.find_last_of('/');
  auto dot = path.find_last_of('.');
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash)) return path;
  return path + std::string(ext);
}

std::string baseName(const std::string& path) {
  std::string b = path.substr(path.find_last_of('/') + 1);
  return rt::text::upper(b.substr(0, b.find('.')));
}

void today(int& y, int& m, int& d) {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  y = tm.tm_year + 1900;
  m = tm.tm_mon + 1;
  d = tm.tm_mday;
}

}  // namespace

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

Status Table::updateLock(bool writer, Refresh refresh) {
  if (exclusive_ || updateDepth_++ > 0) return {};
  Status s = file_.waitLock(kLockUpdate, 1, writer ? File::LockKind::kExclusive : File::LockKind::kShared);
  if (!s) {
    --updateDepth_;
    return s;
  }
  if (refresh == Refresh::kControlling && order_ > 0)
    s = orders_[static_cast<std::size_t>(order_ - 1)].index->refresh();
  else if (refresh == Refresh::kAll)
    s = refreshIndexes();
  if (!s) updateUnlock();
  return s;
}

void Table::updateUnlock() {
  if (exclusive_) return;
  if (--updateDepth_ == 0) (void)file_.unlock(kLockUpdate, 1);
}

Status Table::refreshIndexes() {
  for (auto& o : orders_) RT_DB_TRY(o.index->refresh());
  return {};
}

Status Table::create(const std::string& path, std::vector<FieldDef> fields, CreateMode mode) {
  RT_DB_TRY(normaliseFields(fields));
  std::string existing = resolveCaseInsensitive(defaultExtension(path, ".DBF"));
  std::string real = fileExists(existing) ? existing : upperCaseName(defaultExtension(path, ".DBF"));
  if (fileExists(real)) {
    if (mode == CreateMode::kFailIfExists) return {Error::kExists, real};
    // Replacing a table someone has open would pull it from under them.
    auto probe = File::open(real, File::Mode::kReadWrite);
    if (probe && !probe->tryLock(kLockOpen, 1, File::LockKind::kExclusive)) return {Error::kInUse, real};
  }
  DbfHeader h;
  bool hasMemo = std::any_of(fields.begin(), fields.end(), [](const FieldDef& f) { return f.type == 'M'; });
  h.version = hasMemo ? 0x83 : 0x03;
  today(h.year, h.month, h.day);
  h.fields = fields;
  h.headerLength = static_cast<std::uint32_t>(32 + 32 * fields.size() + 1);
  h.recordLength = 1;
  for (const auto& f : fields) h.recordLength += static_cast<std::uint32_t>(f.width);
  std::string bytes = encodeHeader(h);
  bytes += '\x1A';
  std::string tmp = real + ".tmp";
  {
    auto f = File::open(tmp, File::Mode::kTruncate);
    if (!f) return f.status();
    RT_DB_TRY(f->writeAt(0, bytes));
    RT_DB_TRY(f->sync());
  }
  if (hasMemo) RT_DB_TRY(MemoFile::create(withExtension(real, ".DBT")));
  if (std::rename(tmp.c_str(), real.c_str()) != 0) return {Error::kIo, "rename " + tmp};
  return syncDirectoryOf(real);
}

Result<std::unique_ptr<Table>> Table::open(const std::string& path, const OpenOptions& options) {
  auto t = std::make_unique<Table>(Private{});
  t->path_ = resolveCaseInsensitive(defaultExtension(path, ".DBF"));
  t->readOnly_ = options.readOnly;
  t->exclusive_ = options.exclusive && !options.readOnly;
  // A pack renames a new file over the old one: an open that raced it holds the old file,
  // which the check after locking catches.
  for (int attempt = 0;; ++attempt) {
    auto f = File::open(t->path_, t->readOnly_ ? File::Mode::kRead : File::Mode::kReadWrite);
    if (!f) return f.status();
    Status s = f->tryLock(kLockOpen, 1, t->exclusive_ ? File::LockKind::kExclusive : File::LockKind::kShared);
    if (s.code() == Error::kLocked) return Status(Error::kInUse, t->path_);
    if (!s) return s;
    if (f->sameFileAs(t->path_)) {
      t->file_ = std::move(*f);
      break;
    }
    if (attempt == 5) return Status(Error::kInUse, t->path_);
  }
  std::string head(32, '\0');
  auto n = t->file_.readAt(0, head);
  if (!n) return n.status();
  if (*n < 32) return Status(Error::kCorrupt, t->path_ + ": no header");
  std::size_t headerLength = static_cast<std::uint8_t>(head[8]) | static_cast<std::size_t>(static_cast<std::uint8_t>(head[9])) << 8;
  head.resize(std::min(std::max<std::size_t>(headerLength, 32), kMaxHeader));
  n = t->file_.readAt(0, head);
  if (!n) return n.status();
  head.resize(*n);
  auto h = decodeHeader(head);
  if (!h) return Status(Error::kCorrupt, t->path_ + ": " + h.status().detail());
  t->header_ = std::move(*h);
  t->count_ = t->header_.recordCount;
  RT_DB_TRY(t->readHeaderCount());
  t->blank_.assign(t->header_.recordLength, ' ');
  t->alias_ = options.alias.empty() ? baseName(t->path_) : rt::text::upper(options.alias);
  for (const auto& f : t->header_.fields) {
    if (f.type != 'M') continue;
    // A memo file of another kind, or none, must not keep the table from opening.
    std::string dbt = resolveCaseInsensitive(withExtension(t->path_, ".DBT"));
    if (fileExists(dbt)) {
      auto m = MemoFile::open(dbt, !t->readOnly_);
      if (m) t->memo_ = std::make_unique<MemoFile>(std::move(*m));
    }
    break;
  }
  if (t->exclusive_) t->map_ = Mapping::of(t->file_);
  RT_DB_TRY(t->goTop());
  return t;
}

Table::~Table() { (void)close(); }

Status Table::close() {
  if (!file_.isOpen()) return {};
  Status s = flush();
  Status si = flushIndexes(false);
  if (s && !si) s = si;
  if (headerTouched_ && !readOnly_) {
    UpdateGuard g(*this, true);
    Status sh = g.status() ? writeHeaderPrefix() : g.status();
    if (s && !sh) s = sh;
  }
  orders_.clear();
  memo_.reset();
  map_.reset();
  file_.close();  // drops every lock of this description
  lockedRecords_.clear();
  fileLocked_ = false;
  return s;
}

int Table::fieldIndex(std::string_view name) const {
  std::string want = rt::text::upper(rt::text::alltrim(name));
  for (std::size_t i = 0; i < header_.fields.size(); ++i)
    if (header_.fields[i].name == want) return static_cast<int>(i);
  return -1;
}

const FieldDef* Table::field(std::string_view name) const {
  int i = fieldIndex(name);
  return i < 0 ? nullptr : &header_.fields[static_cast<std::size_t>(i)];
}

Status Table::readHeaderCount() {
  char c[4];
  RT_DB_TRY(file_.readExact(4, c));
  std::uint32_t count = 0;
  for (int i = 3; i >= 0; --i) count = count << 8 | static_cast<std::uint8_t>(c[i]);
  auto size = file_.size();
  if (!size) return size.status();
  std::uint64_t room = *size > header_.headerLength ? (*size - header_.headerLength) / header_.recordLength : 0;
  damaged_ = count > room;
  count_ = static_cast<std::uint32_t>(std::min<std::uint64_t>(count, room));
  header_.recordCount = count_;
  return {};
}

std::uint32_t Table::recordCount() {
  if (!exclusive_) (void)readHeaderCount();
  return count_;
}

// ---------------------------------------------------------------- reading and moving

Status Table::loadRecord(std::uint32_t recno, bool sequential) {
  const std::size_t len = header_.recordLength;
  if (!(recno >= chunkFirst_ && recno < chunkFirst_ + chunkCount_)) {
    if (!sequential) {
      std::uint64_t at = header_.headerLength + static_cast<std::uint64_t>(recno - 1) * len;
      std::string_view mapped = map_.bytes();
      if (at + len <= mapped.size()) {
        rec_.assign(mapped.substr(at, len));
      } else {
        rec_.resize(len);
        RT_DB_TRY(file_.readExact(at, rec_));
      }
      orig_ = rec_;
      recno_ = recno;
      eof_ = bof_ = false;
      return {};
    }
    std::uint32_t want = static_cast<std::uint32_t>(std::max<std::size_t>(1, kChunkBytes / len));
    want = std::min(want, count_ - recno + 1);
    chunk_.resize(static_cast<std::size_t>(want) * len);
    auto n = file_.readAt(header_.headerLength + static_cast<std::uint64_t>(recno - 1) * len, chunk_);
    if (!n) return n.status();
    chunkFirst_ = recno;
    chunkCount_ = static_cast<std::uint32_t>(*n / len);
    if (chunkCount_ == 0) return {Error::kCorrupt, path_ + ": record " + std::to_string(recno) + " missing"};
  }
  rec_.assign(chunk_, static_cast<std::size_t>(recno - chunkFirst_) * len, len);
  orig_ = rec_;
  recno_ = recno;
  eof_ = bof_ = false;
  return {};
}

void Table::setEof() {
  recno_ = count_ + 1;
  rec_ = blank_;
  orig_ = blank_;
  eof_ = true;
}

bool Table::isVisible() const {
  if (hideDeleted_ && isDeleted()) return false;
  return !filter_ || filter_(*this);
}

Status Table::goTo(std::uint32_t recno) {
  RT_DB_TRY(flush());
  chunkCount_ = exclusive_ ? chunkCount_ : 0;
  if (recno > count_ && !exclusive_) RT_DB_TRY(readHeaderCount());
  found_ = false;
  if (recno < 1 || recno > count_) {
    setEof();
    bof_ = false;
    return {};
  }
  return loadRecord(recno);
}

Status Table::goTop() {
  RT_DB_TRY(flush());
  if (!exclusive_) {
    chunkCount_ = 0;
    RT_DB_TRY(readHeaderCount());
  }
  found_ = false;
  if (order_ > 0) {
    Order& o = orders_[static_cast<std::size_t>(order_ - 1)];
    UpdateGuard g(*this, false);
    RT_DB_TRY(g.status());
    auto c = o.index->first();
    if (!c) return c.status();
    o.cursor = *c;
    o.cursorGen = o.index->generation();
    RT_DB_TRY(loadFromCursor(o));
    if (!eof_ && !isVisible()) RT_DB_TRY(skipOrdered(1));
  } else {
    if (count_ == 0) {
      setEof();
    } else {
      RT_DB_TRY(loadRecord(1, true));
      if (!isVisible()) RT_DB_TRY(skipNatural(1));
    }
  }
  bof_ = eof_;  // only an empty (or wholly hidden) table is at BOF after GO TOP
  return {};
}

Status Table::goBottom() {
  RT_DB_TRY(flush());
  if (!exclusive_) {
    chunkCount_ = 0;
    RT_DB_TRY(readHeaderCount());
  }
  found_ = false;
  if (order_ > 0) {
    Order& o = orders_[static_cast<std::size_t>(order_ - 1)];
    UpdateGuard g(*this, false);
    RT_DB_TRY(g.status());
    auto c = o.index->last();
    if (!c) return c.status();
    o.cursor = *c;
    o.cursorGen = o.index->generation();
    RT_DB_TRY(loadFromCursor(o));
    if (!eof_ && !isVisible()) RT_DB_TRY(skipOrdered(-1));
  } else {
    if (count_ == 0) {
      setEof();
      return {};
    }
    RT_DB_TRY(loadRecord(count_));
    if (!isVisible()) RT_DB_TRY(skipNatural(-1));
  }
  bof_ = eof_;
  return {};
}

Status Table::skip(long n) {
  RT_DB_TRY(flush());
  found_ = false;
  if (n == 0) {
    if (!eof_ && !exclusive_) return loadRecord(recno_);
    return {};
  }
  if (!exclusive_ && (eof_ || recno_ >= count_)) RT_DB_TRY(readHeaderCount());
  return order_ > 0 ? skipOrdered(n) : skipNatural(n);
}

Status Table::skipNatural(long n) {
  bof_ = false;
  if (n > 0) {
    if (eof_) return {};
    std::uint32_t r = recno_;
    while (n > 0) {
      if (r >= count_) {
        setEof();
        return {};
      }
      RT_DB_TRY(loadRecord(++r, true));
      if (isVisible()) --n;
    }
    return {};
  }
  std::uint32_t r = eof_ ? count_ + 1 : recno_;
  std::uint32_t start = r;
  while (n < 0) {
    if (r <= 1) {
      // Before the first record: BOF, on the first visible record.
      if (start > count_ && count_ == 0) {
        setEof();
        bof_ = true;
        return {};
      }
      RT_DB_TRY(goTop());
      bof_ = true;
      return {};
    }
    RT_DB_TRY(loadRecord(--r));
    if (isVisible()) ++n;
  }
  return {};
}

Status Table::positionCursor(Order& o) {
  if (o.cursorGen == o.index->generation() && o.cursor.valid() && !eof_) return {};
  if (eof_) {
    o.cursor = {};
    o.cursorGen = o.index->generation();
    return {};
  }
  auto c = o.index->find(makeKey(o, rec_), recno_);
  if (!c) return c.status();
  o.cursor = *c;
  o.cursorGen = o.index->generation();
  return {};
}

Status Table::loadFromCursor(Order& o) {
  if (!o.cursor.valid()) {
    setEof();
    return {};
  }
  std::uint32_t r = o.index->recnoAt(o.cursor);
  if (r < 1 || r > count_) {
    if (!exclusive_) RT_DB_TRY(readHeaderCount());
    if (r < 1 || r > count_) return {Error::kCorrupt, o.index->path() + ": record " + std::to_string(r) + " beyond the table"};
  }
  return loadRecord(r);
}

Status Table::skipOrdered(long n) {
  Order& o = orders_[static_cast<std::size_t>(order_ - 1)];
  UpdateGuard g(*this, false);
  RT_DB_TRY(g.status());
  bof_ = false;
  if (n > 0) {
    if (eof_) return {};
    RT_DB_TRY(positionCursor(o));
    while (n > 0) {
      if (!o.cursor.valid()) {
        setEof();
        return {};
      }
      auto c = o.index->next(o.cursor);
      if (!c) return c.status();
      o.cursor = *c;
      RT_DB_TRY(loadFromCursor(o));
      if (eof_) return {};
      if (isVisible()) --n;
    }
    return {};
  }
  if (eof_) {
    auto c = o.index->last();
    if (!c) return c.status();
    o.cursor = *c;
    o.cursorGen = o.index->generation();
    if (!o.cursor.valid()) {
      bof_ = true;
      return {};
    }
    RT_DB_TRY(loadFromCursor(o));
    if (isVisible()) ++n;
  } else {
    RT_DB_TRY(positionCursor(o));
  }
  while (n < 0) {
    auto c = o.index->prev(o.cursor);
    if (!c) return c.status();
    if (!c->valid()) {
      RT_DB_TRY(goTop());
      bof_ = true;
      return {};
    }
    o.cursor = *c;
    RT_DB_TRY(loadFromCursor(o));
    if (isVisible()) ++n;
  }
  return {};
}

std::string_view Table::raw(int i) const {
  if (i < 0 || i >= fieldCount()) return {};
  const FieldDef& f = header_.fields[static_cast<std::size_t>(i)];
  return std::string_view(rec_).substr(static_cast<std::size_t>(f.offset), static_cast<std::size_t>(f.width));
}

Value Table::get(int i) const {
  if (i < 0 || i >= fieldCount()) return std::string();
  const FieldDef& f = header_.fields[static_cast<std::size_t>(i)];
  if (f.type == 'M') {
    auto m = memo(i);
    return m ? *m : std::string();
  }
  return readField(f, raw(i));
}

Value Table::get(std::string_view name) const { return get(fieldIndex(name)); }

Decimal Table::getNumber(std::string_view name) const {
  Value v = get(name);
  auto* d = std::get_if<Decimal>(&v);
  return d ? *d : Decimal();
}
std::string Table::getText(std::string_view name) const {
  Value v = get(name);
  auto* s = std::get_if<std::string>(&v);
  return s ? *s : std::string();
}
Date Table::getDate(std::string_view name) const {
  Value v = get(name);
  auto* d = std::get_if<Date>(&v);
  return d ? *d : Date();
}
bool Table::getLogical(std::string_view name) const {
  Value v = get(name);
  auto* b = std::get_if<bool>(&v);
  return b && *b;
}

Result<std::string> Table::memo(int i) const {
  if (i < 0 || i >= fieldCount() || header_.fields[static_cast<std::size_t>(i)].type != 'M')
    return Status(Error::kBadField, "not a memo field");
  std::uint32_t block = memoBlockFromField(raw(i));
  if (block == 0) return std::string();
  if (!memo_) return Status(Error::kNotFound, withExtension(path_, ".DBT"));
  return memo_->read(block);
}

// ---------------------------------------------------------------- writing

Status Table::requireWritable() {
  if (readOnly_) return {Error::kReadOnly, path_};
  if (eof_) return {Error::kNoRecord, alias_};
  if (!exclusive_ && !fileLocked_ && !lockedRecords_.count(recno_))
    return {Error::kNotLocked, alias_ + " record " + std::to_string(recno_)};
  return {};
}

Status Table::put(int i, const Value& v) {
  if (i < 0 || i >= fieldCount()) return {Error::kBadField, "field number " + std::to_string(i + 1)};
  RT_DB_TRY(requireWritable());
  const FieldDef& f = header_.fields[static_cast<std::size_t>(i)];
  std::string bytes;
  if (f.type == 'M') {
    auto* s = std::get_if<std::string>(&v);
    if (!s) return {Error::kBadField, f.name + " takes text"};
    if (!memo_) return {Error::kNotFound, withExtension(path_, ".DBT")};
    UpdateGuard g(*this, true);
    RT_DB_TRY(g.status());
    auto block = memo_->write(*s);
    if (!block) return block.status();
    bytes = memoFieldFromBlock(*block, f.width);
  } else {
    auto r = formatField(f, v);
    if (!r) return r.status();
    bytes = std::move(*r);
  }
  rec_.replace(static_cast<std::size_t>(f.offset), static_cast<std::size_t>(f.width), bytes);
  dirty_ = true;
  return {};
}

Status Table::put(std::string_view name, const Value& v) {
  int i = fieldIndex(name);
  if (i < 0) return {Error::kBadField, std::string(name)};
  return put(i, v);
}

Status Table::markDeleted() {
  RT_DB_TRY(requireWritable());
  rec_[0] = '*';
  dirty_ = true;
  return {};
}

Status Table::recall() {
  RT_DB_TRY(requireWritable());
  rec_[0] = ' ';
  dirty_ = true;
  return {};
}

// Shared, the caller holds the update lock: the count is read again, since other terminals
// may have appended since we last looked, and only an append ever raises it.
Status Table::writeHeaderPrefix() {
  if (!exclusive_) RT_DB_TRY(readHeaderCount());
  today(header_.year, header_.month, header_.day);
  header_.recordCount = count_;
  return file_.writeAt(0, encodeHeaderPrefix(header_));
}

Status Table::flush() {
  if (!dirty_) return {};
  UpdateGuard g(*this, true);
  RT_DB_TRY(g.status());
  std::uint64_t at = header_.headerLength + static_cast<std::uint64_t>(recno_ - 1) * header_.recordLength;
  if (newRecord_) {
    RT_DB_TRY(file_.writeAt(at, rec_ + '\x1A'));
    today(header_.year, header_.month, header_.day);
    header_.recordCount = count_;
    RT_DB_TRY(file_.writeAt(0, encodeHeaderPrefix(header_)));
    headerTouched_ = true;
  } else {
    RT_DB_TRY(file_.writeAt(at, rec_));
  }
  if (recno_ >= chunkFirst_ && recno_ < chunkFirst_ + chunkCount_)
    chunk_.replace(static_cast<std::size_t>(recno_ - chunkFirst_) * header_.recordLength, header_.recordLength, rec_);
  for (auto& o : orders_) {
    std::string newKey = makeKey(o, rec_);
    if (newRecord_) {
      RT_DB_TRY(o.index->insert(newKey, recno_));
      continue;
    }
    std::string oldKey = makeKey(o, orig_);
    if (oldKey == newKey) continue;
    Status s = o.index->erase(oldKey, recno_);
    if (s.code() == Error::kCorrupt) {
      // The index had lost this record: it can no longer be trusted and is rebuilt when
      // next opened; the new key still goes in so this session keeps finding the record.
      (void)o.index->markStale();
    } else if (!s) {
      return s;
    }
    RT_DB_TRY(o.index->insert(newKey, recno_));
  }
  if (!exclusive_) RT_DB_TRY(flushIndexes(false));
  if (!headerTouched_) {
    headerTouched_ = true;
    RT_DB_TRY(writeHeaderPrefix());
  }
  orig_ = rec_;
  dirty_ = false;
  newRecord_ = false;
  return {};
}

Status Table::flushIndexes(bool sync) {
  for (auto& o : orders_) RT_DB_TRY(o.index->flush(sync));
  return {};
}

Status Table::commit() {
  RT_DB_TRY(flush());
  if (readOnly_) return {};
  RT_DB_TRY(flushIndexes(true));
  if (headerTouched_) {
    UpdateGuard g(*this, true);
    RT_DB_TRY(g.status());
    RT_DB_TRY(writeHeaderPrefix());
  }
  RT_DB_TRY(file_.sync());
  if (memo_) RT_DB_TRY(memo_->sync());
  return {};
}

Status Table::appendBlank() {
  RT_DB_TRY(flush());
  if (readOnly_) return {Error::kReadOnly, path_};
  if (!exclusive_) RT_DB_TRY(file_.tryLock(kLockAppend, 1, File::LockKind::kExclusive));
  Status s;
  std::uint32_t recno = 0;
  {
    UpdateGuard g(*this, true);
    s = g.status();
    if (s && !exclusive_) s = readHeaderCount();
    if (s) {
      recno = count_ + 1;
      if (!exclusive_ && !fileLocked_) s = file_.tryLock(kLockRecords + recno, 1, File::LockKind::kExclusive);
    }
    // Exclusive, nothing is written yet: the first flush writes the record, the end mark and
    // then the header count in that order, as a shared append does here at once.
    if (s && !exclusive_) {
      std::string data = blank_;
      data += '\x1A';
      s = file_.writeAt(header_.headerLength + static_cast<std::uint64_t>(recno - 1) * header_.recordLength, data);
    }
    if (s) {
      count_ = recno;
      headerTouched_ = true;
      if (!exclusive_) {
        today(header_.year, header_.month, header_.day);
        header_.recordCount = count_;
        s = file_.writeAt(0, encodeHeaderPrefix(header_));
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
  }
  if (!exclusive_) {
    if (s && !fileLocked_) {
      // The new record comes locked; other record locks go, as with the old runtime.
      for (auto r : lockedRecords_)
        if (r != recno) (void)file_.unlock(kLockRecords + r, 1);
      lockedRecords_ = {recno};
    }
    (void)file_.unlock(kLockAppend, 1);
  }
  if (!s) return s;
  rec_ = blank_;
  orig_ = blank_;
  recno_ = recno;
  eof_ = bof_ = found_ = false;
  if (exclusive_) newRecord_ = dirty_ = true;
  return {};
}

// ---------------------------------------------------------------- locks

Status Table::lockRecord(std::uint32_t recno, bool keepOthers) {
  if (recno == 0) recno = recno_;
  if (exclusive_) return {};
  RT_DB_TRY(flush());
  if (recno < 1 || recno > recordCount()) return {Error::kNoRecord, alias_};
  if (fileLocked_) return {};
  if (!lockedRecords_.count(recno)) {
    RT_DB_TRY(file_.tryLock(kLockRecords + recno, 1, File::LockKind::kExclusive));
    lockedRecords_.insert(recno);
  }
  if (!keepOthers) {
    for (auto it = lockedRecords_.begin(); it != lockedRecords_.end();) {
      if (*it != recno) {
        (void)file_.unlock(kLockRecords + *it, 1);
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
  RT_DB_TRY(flush());
  RT_DB_TRY(file_.tryLock(kLockRecords, kLockRecordSpan, File::LockKind::kExclusive));
  fileLocked_ = true;
  lockedRecords_.clear();
  chunkCount_ = 0;
  if (!eof_) return loadRecord(recno_);
  return {};
}

Status Table::unlock() {
  Status s = flush();
  if (!exclusive_ && (fileLocked_ || !lockedRecords_.empty())) (void)file_.unlock(kLockRecords, kLockRecordSpan);
  fileLocked_ = false;
  lockedRecords_.clear();
  return s;
}

Status Table::unlockRecord(std::uint32_t recno) {
  if (recno == recno_) RT_DB_TRY(flush());
  if (exclusive_ || fileLocked_) return {};
  if (lockedRecords_.erase(recno)) (void)file_.unlock(kLockRecords + recno, 1);
  return {};
}

bool Table::isRecordLocked(std::uint32_t recno) const {
  return exclusive_ || fileLocked_ || lockedRecords_.count(recno) > 0;
}

// ---------------------------------------------------------------- maintenance

Status Table::pack() {
  RT_DB_TRY(flush());
  if (!exclusive_) return {Error::kNeedExclusive, path_};
  for (auto& o : orders_) {
    RT_DB_TRY(o.index->flush());
    RT_DB_TRY(o.index->markStale());  // a crash before the rebuild leaves them to be rebuilt
  }
  std::string tmp = path_ + ".tmp";
  auto out = File::open(tmp, File::Mode::kTruncate);
  if (!out) return out.status();
  std::uint32_t kept = 0;
  const std::size_t len = header_.recordLength;
  std::string buf;
  std::string block;
  std::uint64_t at = header_.headerLength;
  for (std::uint32_t r = 1; r <= count_;) {
    std::uint32_t n = static_cast<std::uint32_t>(std::min<std::size_t>(kChunkBytes / len + 1, count_ - r + 1));
    buf.resize(n * len);
    RT_DB_TRY(file_.readExact(header_.headerLength + static_cast<std::uint64_t>(r - 1) * len, buf));
    block.clear();
    for (std::uint32_t i = 0; i < n; ++i)
      if (buf[i * len] != '*') {
        block.append(buf, i * len, len);
        ++kept;
      }
    RT_DB_TRY(out->writeAt(at, block));
    at += block.size();
    r += n;
  }
  RT_DB_TRY(out->writeAt(at, std::string_view("\x1A", 1)));
  DbfHeader h = header_;
  today(h.year, h.month, h.day);
  h.recordCount = kept;
  std::string head = encodeHeader(h);
  // Keep whatever the old header held beyond the field list (some writers add bytes there).
  if (head.size() < h.headerLength) {
    std::string old(h.headerLength, '\0');
    RT_DB_TRY(file_.readExact(0, old));
    head += old.substr(head.size());
  }
  RT_DB_TRY(out->writeAt(0, head));
  RT_DB_TRY(out->sync());
  // Hold the new file exclusively before its name is visible, so no one slips in between.
  RT_DB_TRY(out->tryLock(kLockOpen, 1, File::LockKind::kExclusive));
  if (std::rename(tmp.c_str(), path_.c_str()) != 0) return {Error::kIo, "rename " + tmp};
  RT_DB_TRY(syncDirectoryOf(path_));
  map_.reset();
  file_ = std::move(*out);
  map_ = Mapping::of(file_);
  header_.recordCount = count_ = kept;
  chunkCount_ = 0;
  headerTouched_ = false;
  RT_DB_TRY(rebuildAll());
  return goTop();
}

Status Table::packMemo() {
  RT_DB_TRY(flush());
  if (!exclusive_) return {Error::kNeedExclusive, path_};
  if (!memo_) return {};
  std::string dbt = memo_->path();
  std::string dbtTmp = dbt + ".tmp";
  RT_DB_TRY(MemoFile::create(dbtTmp));
  auto fresh = MemoFile::open(dbtTmp, true);
  if (!fresh) return fresh.status();
  std::string tmp = path_ + ".tmp";
  auto out = File::open(tmp, File::Mode::kTruncate);
  if (!out) return out.status();
  std::string head(header_.headerLength, '\0');
  RT_DB_TRY(file_.readExact(0, head));
  RT_DB_TRY(out->writeAt(0, head));
  const std::size_t len = header_.recordLength;
  std::string rec(len, ' ');
  for (std::uint32_t r = 1; r <= count_; ++r) {
    std::uint64_t at = header_.headerLength + static_cast<std::uint64_t>(r - 1) * len;
    RT_DB_TRY(file_.readExact(at, rec));
    for (const FieldDef& f : header_.fields) {
      if (f.type != 'M') continue;
      std::string_view raw = std::string_view(rec).substr(static_cast<std::size_t>(f.offset), static_cast<std::size_t>(f.width));
      std::uint32_t block = memoBlockFromField(raw);
      std::uint32_t moved = 0;
      if (block != 0) {
        auto text = memo_->read(block);  // a text that cannot be read is dropped
        if (text) {
          auto b = fresh->write(*text);
          if (!b) return b.status();
          moved = *b;
        }
      }
      rec.replace(static_cast<std::size_t>(f.offset), static_cast<std::size_t>(f.width), memoFieldFromBlock(moved, f.width));
    }
    RT_DB_TRY(out->writeAt(at, rec));
  }
  RT_DB_TRY(out->writeAt(header_.headerLength + static_cast<std::uint64_t>(count_) * len, std::string_view("\x1A", 1)));
  RT_DB_TRY(out->sync());
  RT_DB_TRY(fresh->sync());
  RT_DB_TRY(out->tryLock(kLockOpen, 1, File::LockKind::kExclusive));
  std::string old = dbt + ".old";
  if (std::rename(dbt.c_str(), old.c_str()) != 0 || std::rename(dbtTmp.c_str(), dbt.c_str()) != 0)
    return {Error::kIo, "rename " + dbtTmp};
  if (std::rename(tmp.c_str(), path_.c_str()) != 0) return {Error::kIo, "rename " + tmp};
  RT_DB_TRY(syncDirectoryOf(path_));
  std::remove(old.c_str());
  map_.reset();
  file_ = std::move(*out);
  map_ = Mapping::of(file_);
  chunkCount_ = 0;
  auto reopened = MemoFile::open(dbt, true);
  if (!reopened) return reopened.status();
  memo_ = std::make_unique<MemoFile>(std::move(*reopened));
  return goTop();
}

Status Table::zap() {
  RT_DB_TRY(flush());
  if (!exclusive_) return {Error::kNeedExclusive, path_};
  for (auto& o : orders_) {
    RT_DB_TRY(o.index->flush());
    RT_DB_TRY(o.index->markStale());
  }
  count_ = 0;
  RT_DB_TRY(writeHeaderPrefix());
  RT_DB_TRY(file_.writeAt(header_.headerLength, std::string_view("\x1A", 1)));
  map_.reset();  // never touch mapped pages past a new end of file
  RT_DB_TRY(file_.truncate(header_.headerLength + 1));
  RT_DB_TRY(file_.sync());
  chunkCount_ = 0;
  RT_DB_TRY(rebuildAll());
  return goTop();
}

// ---------------------------------------------------------------- orders

std::string Table::makeKey(const Order& o, std::string_view record) const {
  int single = o.expr.singleField();
  if (single >= 0 && o.keyType == 'C') {
    const FieldDef& f = header_.fields[static_cast<std::size_t>(single)];
    std::string k(record.substr(static_cast<std::size_t>(f.offset), std::min<std::size_t>(static_cast<std::size_t>(f.width), o.keyLen)));
    k.resize(o.keyLen, ' ');
    return k;
  }
  auto k = seekKey(o, o.expr.evaluate(record));
  std::string key = k ? *k : std::string();
  key.resize(o.keyLen, o.keyType == 'C' ? ' ' : '\0');
  return key;
}

Result<std::string> Table::seekKey(const Order& o, const Value& v) const {
  if (valueType(v) != o.keyType) return Status(Error::kBadField, "key of another type");
  switch (o.keyType) {
    case 'N': return numericKey(std::get<Decimal>(v).toDouble());
    case 'D': return numericKey(static_cast<double>(std::get<Date>(v).julian()));
    case 'L': return std::string(1, std::get<bool>(v) ? 'T' : 'F');
    default: return std::get<std::string>(v);
  }
}

std::string Table::currentKey(int n) const {
  if (n < 1 || n > orderCount()) return {};
  return makeKey(orders_[static_cast<std::size_t>(n - 1)], rec_);
}

Status Table::buildOrder(Order& o, const std::string& path) {
  KeyList keys;
  keys.keyLen = o.keyLen;
  keys.keys.reserve(static_cast<std::size_t>(count_) * o.keyLen);
  keys.recnos.reserve(count_);
  const std::size_t len = header_.recordLength;
  std::string buf;
  for (std::uint32_t r = 1; r <= count_;) {
    std::uint32_t n = static_cast<std::uint32_t>(std::min<std::size_t>(4 * kChunkBytes / len + 1, count_ - r + 1));
    buf.resize(n * len);
    RT_DB_TRY(file_.readExact(header_.headerLength + static_cast<std::uint64_t>(r - 1) * len, buf));
    for (std::uint32_t i = 0; i < n; ++i) keys.add(makeKey(o, std::string_view(buf).substr(i * len, len)), r + i);
    r += n;
  }
  return CdxIndex::build(path, o.expr.text(), o.keyLen, o.keyType == 'C' ? ' ' : '\0', keys);
}

Status Table::openIndexImpl(const std::string& path, std::string_view expression, bool forceBuild, bool* rebuilt) {
  if (rebuilt) *rebuilt = false;
  auto expr = Expression::compile(expression, header_.fields);
  if (!expr) return expr.status();
  Order o;
  o.expr = std::move(*expr);
  o.keyType = o.expr.type();
  if (o.keyType == 'C') {
    Value v = o.expr.evaluate(blank_);
    o.keyLen = std::min<std::size_t>(std::get<std::string>(v).size(), 240);
    if (o.keyLen == 0) return {Error::kBadExpression, "empty key: " + std::string(expression)};
  } else {
    o.keyLen = o.keyType == 'L' ? 1 : 8;
  }
  char pad = o.keyType == 'C' ? ' ' : '\0';
  std::string file = defaultExtension(path, ".CDX");
  std::string real = resolveCaseInsensitive(file);
  if (!fileExists(real)) real = upperCaseName(file);
  RT_DB_TRY(flush());
  Status s;
  if (!forceBuild) {
    auto ix = CdxIndex::open(real, o.expr.text(), o.keyLen, pad, !readOnly_);
    if (ix) {
      o.index = std::move(*ix);
    } else {
      s = ix.status();
      if (s.code() != Error::kNotFound && s.code() != Error::kCorrupt) return s;
      if (s.code() == Error::kCorrupt && !exclusive_) return {Error::kNeedExclusive, s.detail()};
    }
  }
  if (!o.index) {
    // A missing index may be built while shared: no one else has it open, and holding the
    // update lock keeps every writer out while the keys are read. A table opened read only
    // (another program's) may still get an index file of ours, in a folder we can write.
    UpdateGuard g(*this, !readOnly_);
    RT_DB_TRY(g.status());
    if (!exclusive_) RT_DB_TRY(readHeaderCount());
    RT_DB_TRY(buildOrder(o, real));
    auto ix = CdxIndex::open(real, o.expr.text(), o.keyLen, pad, true);
    if (!ix) return ix.status();
    o.index = std::move(*ix);
    if (rebuilt) *rebuilt = true;
  }
  o.index->setDeferred(exclusive_);
  orders_.push_back(std::move(o));
  if (order_ == 0 && orders_.size() == 1) order_ = 1;
  return {};
}

Status Table::openIndex(const std::string& path, std::string_view expression, bool* rebuilt) {
  return openIndexImpl(path, expression, false, rebuilt);
}

Status Table::createIndex(const std::string& path, std::string_view expression) {
  return openIndexImpl(path, expression, true, nullptr);
}

Status Table::rebuildAll() {
  for (auto& o : orders_) {
    std::string p = o.index->path();
    char pad = o.index->pad();
    o.index.reset();
    RT_DB_TRY(buildOrder(o, p));
    auto ix = CdxIndex::open(p, o.expr.text(), o.keyLen, pad, true);
    if (!ix) return ix.status();
    o.index = std::move(*ix);
    o.index->setDeferred(exclusive_);
    o.cursor = {};
    o.cursorGen = 0;
  }
  return {};
}

Status Table::reindex() {
  RT_DB_TRY(flush());
  if (!exclusive_) return {Error::kNeedExclusive, path_};
  RT_DB_TRY(rebuildAll());
  return goTop();
}

void Table::closeIndexes() {
  (void)flush();
  (void)flushIndexes(false);
  orders_.clear();
  order_ = 0;
}

Status Table::setOrder(int n) {
  if (n < 0 || n > orderCount()) return {Error::kBadField, "order " + std::to_string(n)};
  RT_DB_TRY(flush());
  order_ = n;
  if (n > 0) orders_[static_cast<std::size_t>(n - 1)].cursorGen = 0;
  return {};
}

const std::string& Table::orderExpression(int n) const {
  static const std::string none;
  if (n < 1 || n > orderCount()) return none;
  return orders_[static_cast<std::size_t>(n - 1)].expr.text();
}

Status Table::seek(std::string_view key, bool soft) { return seekValue(Value(std::string(key)), soft); }

Status Table::seekValue(const Value& key, bool soft) {
  RT_DB_TRY(flush());
  if (order_ == 0) return {Error::kBadField, alias_ + ": seek without an order"};
  Order& o = orders_[static_cast<std::size_t>(order_ - 1)];
  auto sought = seekKey(o, key);
  if (!sought) return sought.status();
  std::string full = *sought;
  std::string prefix = full.substr(0, o.keyLen);
  bool longKey = full.size() > o.keyLen;
  chunkCount_ = exclusive_ ? chunkCount_ : 0;
  UpdateGuard g(*this, false);
  RT_DB_TRY(g.status());
  auto c = o.index->lowerBound(prefix);
  if (!c) return c.status();
  o.cursor = *c;
  o.cursorGen = o.index->generation();
  found_ = false;
  bof_ = false;
  // With keys cut at 240 bytes, records sharing the cut key are in record order, not in the
  // order of their full text: the full value decides among them.
  CdxIndex::Cursor greater;
  while (o.cursor.valid()) {
    RT_DB_TRY(loadFromCursor(o));
    if (isVisible()) {
      if (o.index->keyAt(o.cursor).substr(0, prefix.size()) != prefix) break;
      if (!longKey) {
        found_ = true;
        break;
      }
      std::string text = std::get<std::string>(o.expr.evaluate(rec_)).substr(0, full.size());
      if (text == full) {
        found_ = true;
        break;
      }
      if (text > full && !greater.valid()) greater = o.cursor;
    }
    auto n = o.index->next(o.cursor);
    if (!n) return n.status();
    o.cursor = *n;
  }
  if (!found_ && greater.valid()) {
    o.cursor = greater;
    RT_DB_TRY(loadFromCursor(o));
  }
  if (!o.cursor.valid()) {
    setEof();
    found_ = false;
    return {};
  }
  if (!found_ && !soft) setEof();
  return {};
}

Status Table::checkOrder(int n) {
  if (n < 1 || n > orderCount()) return {Error::kBadField, "order"};
  RT_DB_TRY(flush());
  Order& o = orders_[static_cast<std::size_t>(n - 1)];
  UpdateGuard g(*this, false);
  RT_DB_TRY(g.status());
  if (!exclusive_) RT_DB_TRY(readHeaderCount());
  std::vector<bool> seen(count_ + 1, false);
  auto c = o.index->first();
  if (!c) return c.status();
  std::string prevKey;
  std::uint32_t prevRec = 0;
  std::string buf(header_.recordLength, '\0');
  for (CdxIndex::Cursor cur = *c; cur.valid();) {
    std::string k(o.index->keyAt(cur));
    std::uint32_t r = o.index->recnoAt(cur);
    if (r < 1 || r > count_ || seen[r]) return {Error::kCorrupt, "record " + std::to_string(r) + " twice or out of range"};
    seen[r] = true;
    if (!prevKey.empty() && (k < prevKey || (k == prevKey && r < prevRec))) return {Error::kCorrupt, "keys out of order"};
    RT_DB_TRY(file_.readExact(header_.headerLength + static_cast<std::uint64_t>(r - 1) * header_.recordLength, buf));
    if (makeKey(o, buf) != k) return {Error::kCorrupt, "key of record " + std::to_string(r) + " differs"};
    prevKey = k;
    prevRec = r;
    auto nx = o.index->next(cur);
    if (!nx) return nx.status();
    cur = *nx;
  }
  for (std::uint32_t r = 1; r <= count_; ++r)
    if (!seen[r]) return {Error::kCorrupt, "record " + std::to_string(r) + " missing"};
  return {};
}

Status Table::setFilter(std::string_view expression) {
  auto e = Expression::compile(expression, header_.fields);
  if (!e) return e.status();
  if (e->type() != 'L') return {Error::kBadExpression, "a filter must be a condition"};
  auto shared = std::make_shared<Expression>(std::move(*e));
  filter_ = [shared](const Table& t) { return shared->test(t.record()); };
  return {};
}

}  // namespace rt::db

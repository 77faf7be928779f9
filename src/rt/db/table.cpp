#include "rt/db/table.h"

#include <cstdio>
#include <ctime>
#include <algorithm>

#include "rt/db/bytes.h"
#include "rt/db/table_internal.h"
#include "rt/text/strings.h"

namespace rt::db {

using detail::defaultExtension;
using detail::kChunkBytes;
using detail::today;
using rt::text::Date;
using rt::text::Decimal;

namespace {

constexpr std::size_t kMaxHeader = 32 + 32 * 2046 + 1 + 263;
// Address space mapped for a shared table beyond its size, so that appends need no remapping.
constexpr std::uint64_t kViewCapacity = std::uint64_t{256} << 20;

std::string baseName(const std::string& path) {
  std::string b = path.substr(path.find_last_of('/') + 1);
  return rt::text::upper(b.substr(0, b.find('.')));
}

}  // namespace

Status Table::refreshIndexes() {
  for (auto& o : orders_) RT_TRY(o.index->refresh());
  return {};
}

Status Table::create(const std::string& path, std::vector<FieldDef> fields, CreateMode mode) {
  RT_TRY(normaliseFields(fields));
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
  auto tmp = ScratchFile::beside(real);
  if (!tmp) return tmp.status();
  RT_TRY(tmp->file().writeAt(0, bytes));
  RT_TRY(tmp->file().sync());
  if (hasMemo) RT_TRY(MemoFile::create(withExtension(real, ".DBT")));
  RT_TRY(tmp->renameOver(real));
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
  std::size_t headerLength = bytes::le16(head, 8);
  head.resize(std::min(std::max<std::size_t>(headerLength, 32), kMaxHeader));
  n = t->file_.readAt(0, head);
  if (!n) return n.status();
  head.resize(*n);
  auto h = decodeHeader(head);
  if (!h) return Status(Error::kCorrupt, t->path_ + ": " + h.status().detail());
  t->header_ = std::move(*h);
  t->count_ = t->header_.recordCount;
  RT_TRY(t->readHeaderCount());
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
  else if (!t->readOnly_) {
    // A shared writer that could not move the change counter would leave the others' caches
    // stale: without the mapping there is no shared open.
    t->view_.attach(t->file_, kViewCapacity, true);
    if (!t->view_.active()) return Status(Error::kIo, t->path_ + ": cannot map the table");
  }
  RT_TRY(t->moveTop());
  return t;
}

// Quiet: whoever must know how the close went calls close() first.
Table::~Table() { (void)close(); }

Status Table::close() {
  if (!file_.isOpen()) return {};
  Status s = takeWriteError(settle());
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
  view_.reset();
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
  RT_TRY(view_.readExact(file_, 4, c));
  const std::uint32_t count = bytes::le32(std::string_view(c, 4), 0);
  auto size = file_.size();
  if (!size) return size.status();
  view_.learnSize(*size);
  std::uint64_t room = *size > header_.headerLength ? (*size - header_.headerLength) / header_.recordLength : 0;
  damaged_ = count > room;
  count_ = static_cast<std::uint32_t>(std::min<std::uint64_t>(count, room));
  header_.recordCount = count_;
  return {};
}

std::uint32_t Table::recordCount() {
  // Could the catch-up not read the header, the count last known stands; moves say the error.
  if (!exclusive_) (void)syncShared();
  return count_;
}

// ---------------------------------------------------------------- reading and moving

Status Table::loadRecord(std::uint32_t recno, bool sequential) {
  if (!pending_.empty()) RT_TRY(writePending());
  const std::size_t len = header_.recordLength;
  if (!(recno >= chunkFirst_ && recno < chunkFirst_ + chunkCount_)) {
    if (!sequential) {
      std::uint64_t at = header_.headerLength + static_cast<std::uint64_t>(recno - 1) * len;
      std::string_view mapped = map_.bytes();
      if (at + len <= mapped.size()) {
        rec_.assign(mapped.substr(at, len));
      } else {
        rec_.resize(len);
        RT_TRY(view_.readExact(file_, at, rec_));
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

Status Table::moveTo(std::uint32_t recno) {
  RT_TRY(settleKept());
  if (!exclusive_) {
    if (!tracksChanges()) chunkCount_ = 0;
    RT_TRY(tracksChanges() || recno > count_ ? syncShared() : Status());
  }
  found_ = false;
  if (recno < 1 || recno > count_) {
    setEof();
    bof_ = false;
    return {};
  }
  return loadRecord(recno);
}

void Table::goTo(std::uint32_t recno) { moved_ = moveTo(recno); }
void Table::goTop() { moved_ = moveTop(); }
void Table::goBottom() { moved_ = moveBottom(); }
void Table::skip(long n) { moved_ = moveBy(n); }

// The first (or last) visible record of the controlling order.
Status Table::goOrderedEnd(bool top) {
  Order& o = orders_[static_cast<std::size_t>(order_ - 1)];
  return readOrdered([&]() -> Status {
    auto c = top ? o.index->first() : o.index->last();
    if (!c) return c.status();
    o.cursor = *c;
    o.cursorGen = o.index->generation();
    RT_TRY(loadFromCursor(o));
    if (!eof_ && !isVisible()) return skipOrderedLocked(top ? 1 : -1);
    return {};
  });
}

// Before a move from scratch: what is pending is written and other terminals' changes seen.
Status Table::prepareMove() {
  RT_TRY(settleKept());
  if (!exclusive_) {
    if (!tracksChanges()) chunkCount_ = 0;
    RT_TRY(syncShared());
  }
  found_ = false;
  return {};
}

Status Table::moveTop() {
  RT_TRY(prepareMove());
  if (order_ > 0) {
    RT_TRY(goOrderedEnd(true));
  } else {
    if (count_ == 0) {
      setEof();
    } else {
      RT_TRY(loadRecord(1, true));
      if (!isVisible()) RT_TRY(skipNatural(1));
    }
  }
  bof_ = eof_;  // only an empty (or wholly hidden) table is at BOF after GO TOP
  return {};
}

Status Table::moveBottom() {
  RT_TRY(prepareMove());
  if (order_ > 0) {
    RT_TRY(goOrderedEnd(false));
  } else {
    if (count_ == 0) {
      setEof();
      return {};
    }
    RT_TRY(loadRecord(count_));
    if (!isVisible()) RT_TRY(skipNatural(-1));
  }
  bof_ = eof_;
  return {};
}

Status Table::moveBy(long n) {
  RT_TRY(settleKept());
  found_ = false;
  if (n == 0) {
    if (!eof_ && !exclusive_) return loadRecord(recno_);
    return {};
  }
  if (!exclusive_ && (tracksChanges() || eof_ || recno_ >= count_)) RT_TRY(syncShared());
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
      RT_TRY(loadRecord(++r, true));
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
      RT_TRY(moveTop());
      bof_ = true;
      return {};
    }
    RT_TRY(loadRecord(--r));
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
    if (!exclusive_ && !tracksChanges()) RT_TRY(readHeaderCount());
    if (r < 1 || r > count_) return {Error::kCorrupt, o.index->path() + ": record " + std::to_string(r) + " beyond the table"};
  }
  return loadRecord(r);
}

Status Table::skipOrdered(long n) {
  return readOrdered([&] { return skipOrderedLocked(n); });
}

Status Table::skipOrderedLocked(long n) {
  Order& o = orders_[static_cast<std::size_t>(order_ - 1)];
  bof_ = false;
  if (n > 0) {
    if (eof_) return {};
    RT_TRY(positionCursor(o));
    while (n > 0) {
      if (!o.cursor.valid()) {
        setEof();
        return {};
      }
      auto c = o.index->next(o.cursor);
      if (!c) return c.status();
      o.cursor = *c;
      RT_TRY(loadFromCursor(o));
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
    RT_TRY(loadFromCursor(o));
    if (isVisible()) ++n;
  } else {
    RT_TRY(positionCursor(o));
  }
  while (n < 0) {
    auto c = o.index->prev(o.cursor);
    if (!c) return c.status();
    if (!c->valid()) {
      RT_TRY(moveTop());
      bof_ = true;
      return {};
    }
    o.cursor = *c;
    RT_TRY(loadFromCursor(o));
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

}  // namespace rt::db

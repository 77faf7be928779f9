// Table: index orders, seeks and filters.
#include "rt/db/table.h"

#include <unistd.h>

#include <algorithm>

#include "rt/db/table_internal.h"

namespace rt::db {

using detail::defaultExtension;
using detail::kChunkBytes;
using rt::text::Date;
using rt::text::Decimal;

void Table::appendKey(const Order& o, std::string_view record, std::string& out) const {
  int single = o.expr.singleField();
  if (single >= 0 && o.keyType == 'C') {
    const FieldDef& f = header_.fields[static_cast<std::size_t>(single)];
    std::size_t w = std::min<std::size_t>(static_cast<std::size_t>(f.width), o.keyLen);
    out.append(record.substr(static_cast<std::size_t>(f.offset), w));
    out.append(o.keyLen - w, ' ');
    return;
  }
  out += makeKey(o, record);
}

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

namespace {

// What building an index of `records` keys holds in memory at its peak: the keys and record
// numbers, the sort array and the order, and the pages.
std::uint64_t buildFootprint(std::uint64_t records, std::size_t keyLen) {
  return records * (2 * static_cast<std::uint64_t>(keyLen) + 4 + 16 + 4);
}

std::uint64_t physicalMemory() {
  long pages = sysconf(_SC_PHYS_PAGES), size = sysconf(_SC_PAGE_SIZE);
  return pages > 0 && size > 0 ? static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(size) : 0;
}

}  // namespace

Status Table::buildOrder(Order& o, const std::string& path) {
  // The count is what the file's size allows, but a sparse file can allow billions of records
  // of nothing: an index that could not fit in memory is refused before anything is reserved.
  std::uint64_t need = buildFootprint(count_, o.keyLen), have = physicalMemory();
  if (have > 0 && need > have)
    return {Error::kOverflow, path_ + ": " + std::to_string(count_) + " records are too many to index"};
  KeyList keys;
  keys.keyLen = o.keyLen;
  keys.keys.reserve(static_cast<std::size_t>(count_) * o.keyLen);
  keys.recnos.reserve(count_);
  const std::size_t len = header_.recordLength;
  std::string buf;
  for (std::uint32_t r = 1; r <= count_;) {
    std::uint32_t n = static_cast<std::uint32_t>(std::min<std::size_t>(4 * kChunkBytes / len + 1, count_ - r + 1));
    buf.resize(n * len);
    RT_TRY(file_.readExact(header_.headerLength + static_cast<std::uint64_t>(r - 1) * len, buf));
    for (std::uint32_t i = 0; i < n; ++i) {
      appendKey(o, std::string_view(buf).substr(i * len, len), keys.keys);
      keys.recnos.push_back(r + i);
    }
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
  RT_TRY(settle());
  // Shared, the index is looked at and built under the update lock held exclusively: of
  // terminals opening at once, one builds a missing index while the others wait, and they
  // then find it built. A build counts as a change, so terminals holding a file it replaced
  // notice. A table opened read only (another program's) may still get an index file of
  // ours, in a folder we can write.
  UpdateGuard g(*this, !readOnly_, false);
  RT_TRY(g.status());
  if (!forceBuild) {
    // Left unfinished by a writer that died: rebuilt by whoever finds it, as no living
    // writer can be in the middle of it while we hold the lock.
    auto unfinished = exclusive_ || readOnly_ ? Result<bool>(false) : CdxIndex::leftUnfinished(real);
    if (!unfinished) return unfinished.status();
    auto ix = *unfinished ? Result<std::unique_ptr<CdxIndex>>(Status(Error::kNotFound, real))
                          : CdxIndex::open(real, o.expr.text(), o.keyLen, pad, !readOnly_);
    if (ix) {
      o.index = std::move(*ix);
    } else {
      Status s = ix.status();
      if (s.code() != Error::kNotFound && s.code() != Error::kCorrupt) return s;
      if (s.code() == Error::kCorrupt && !exclusive_) return {Error::kNeedExclusive, s.detail()};
    }
  }
  if (!o.index) {
    if (!exclusive_ && !tracksChanges()) RT_TRY(readHeaderCount());
    // The new file may be removed again before we open it (by hand, or a restore): then it
    // is built again.
    for (int attempt = 0; !o.index; ++attempt) {
      RT_TRY(buildOrder(o, real));
      auto ix = CdxIndex::open(real, o.expr.text(), o.keyLen, pad, true);
      if (!ix && (ix.code() != Error::kNotFound || attempt == 2)) return ix.status();
      if (ix) o.index = std::move(*ix);
    }
    RT_TRY(announceRebuild());
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
  for (auto& o : orders_) RT_TRY(rebuildOrder(o));
  return {};
}

Status Table::reindex() {
  RT_TRY(settle());
  if (!exclusive_) return {Error::kNeedExclusive, path_};
  RT_TRY(rebuildAll());
  return moveTop();
}

void Table::closeIndexes() {
  // A row that cannot be written is kept as the write error, for the next flush or close.
  (void)settleKept();
  // An index whose pages cannot be written stays marked unfinished and is rebuilt on its next open.
  (void)flushIndexes(false);
  orders_.clear();
  order_ = 0;
}

void Table::setOrder(int n) { moved_ = changeOrder(n); }

Status Table::changeOrder(int n) {
  if (n < 0 || n > orderCount()) return {Error::kBadField, "order " + std::to_string(n)};
  RT_TRY(settleKept());
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

// A seek is a move too: its result is what status() says afterwards, so a walk that starts
// where a seek left it does not read an older move's failure (or miss the seek's own).
Status Table::seekValue(const Value& key, bool soft) {
  moved_ = seekFrom(key, soft);
  return moved_;
}

Status Table::seekFrom(const Value& key, bool soft) {
  RT_TRY(settleKept());
  if (order_ == 0) return {Error::kBadField, alias_ + ": seek without an order"};
  Order& o = orders_[static_cast<std::size_t>(order_ - 1)];
  auto sought = seekKey(o, key);
  if (!sought) return sought.status();
  std::string full = *sought;
  if (!exclusive_ && !tracksChanges()) chunkCount_ = 0;
  return readOrdered([&] { return seekIn(o, full, soft); });
}

Status Table::seekIn(Order& o, const std::string& full, bool soft) {
  const std::string_view prefix = std::string_view(full).substr(0, o.keyLen);
  const bool longKey = full.size() > o.keyLen;
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
    RT_TRY(loadFromCursor(o));
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
    RT_TRY(loadFromCursor(o));
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
  RT_TRY(settle());
  Order& o = orders_[static_cast<std::size_t>(n - 1)];
  UpdateGuard g(*this, false);
  RT_TRY(g.status());
  if (!exclusive_ && !tracksChanges()) RT_TRY(readHeaderCount());
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
    RT_TRY(file_.readExact(header_.headerLength + static_cast<std::uint64_t>(r - 1) * header_.recordLength,
                           buf));
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

// An open DBF table: its header and fields, the current record, the orders (CDX indexes kept
// up to date on every write), filters, locks and maintenance (pack, zap).
//
// One Table is one open file description: opening the same file twice gives two Tables whose
// locks are independent (see docs/table-engine.md for the lock protocol). A Table opened
// shared needs a record or file lock for every change; one opened exclusively needs none.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "rt/base/result.h"
#include "rt/db/cdx.h"
#include "rt/db/expression.h"
#include "rt/db/file.h"
#include "rt/db/memo.h"
#include "rt/db/structure.h"

namespace rt::db {

struct OpenOptions {
  bool exclusive = false;
  bool readOnly = false;   // for tables of other programs: no writes, shared only
  std::string alias;       // empty: the file name without folder and extension, upper case
};

enum class CreateMode { kFailIfExists, kReplace };

class Table {
  struct Private {};  // only open() makes tables

 public:
  explicit Table(Private) {}
  // Creates `path` (".DBF" added when there is no extension; the name is upper-cased) with
  // the fields given; a table with M fields gets its .DBT too.
  static Status create(const std::string& path, std::vector<FieldDef> fields,
                       CreateMode mode = CreateMode::kFailIfExists);
  static Result<std::unique_ptr<Table>> open(const std::string& path, const OpenOptions& options = {});
  ~Table();
  Table(const Table&) = delete;
  Table& operator=(const Table&) = delete;

  // Writes what is pending, releases locks and closes; the destructor does the same quietly.
  Status close();

  // --- facts
  const std::string& path() const { return path_; }
  const std::string& alias() const { return alias_; }
  void setAlias(std::string alias) { alias_ = std::move(alias); }
  bool isExclusive() const { return exclusive_; }
  bool isReadOnly() const { return readOnly_; }
  std::span<const FieldDef> fields() const { return header_.fields; }
  int fieldCount() const { return static_cast<int>(header_.fields.size()); }
  // Case-insensitive; -1 when absent.
  int fieldIndex(std::string_view name) const;
  const FieldDef* field(std::string_view name) const;
  // LASTREC: refreshed from the header when shared, so other terminals' appends show.
  std::uint32_t recordCount();
  std::uint32_t headerSize() const { return header_.headerLength; }
  std::uint32_t recordSize() const { return header_.recordLength; }
  // True when the header claimed more records than the file holds (read as far as they go).
  bool isDamaged() const { return damaged_; }

  // --- position
  std::uint32_t recNo() const { return recno_; }
  bool eof() const { return eof_; }
  bool bof() const { return bof_; }
  bool found() const { return found_; }
  // Moves return nothing. A move first writes the row (and the appends) still pending; when
  // that write fails the table stays on the row, which stays pending, and the error is kept
  // (writeError()) until the next flush, commit, unlock or close reports it. status() says how
  // the last move went: that write, or a read that failed (an I/O error, a damaged table or
  // index), after which the position is wherever the read stopped.
  void goTo(std::uint32_t recno);
  void goTop();
  void goBottom();
  void skip(long n = 1);
  // How the last move or seek went.
  const Status& status() const { return moved_; }
  // The first failed write of a pending row not yet reported (ok when none).
  const Status& writeError() const { return writeError_; }

  // --- the current record (blank at end of file)
  std::string_view record() const { return rec_; }
  std::string_view raw(int field) const;
  Value get(int field) const;
  Value get(std::string_view name) const;
  rt::text::Decimal getNumber(std::string_view name) const;
  std::string getText(std::string_view name) const;
  rt::text::Date getDate(std::string_view name) const;
  bool getLogical(std::string_view name) const;
  Status put(int field, const Value& v);
  Status put(std::string_view name, const Value& v);
  Result<std::string> memo(int field) const;
  bool isDeleted() const { return !rec_.empty() && rec_[0] == '*'; }
  Status markDeleted();
  Status recall();
  // Appends a blank record and makes it current; shared, it comes locked (other record locks
  // are released) under the append lock, so two terminals never get the same number.
  Status appendBlank();
  // Appends whole records (values in field order; missing trailing values stay blank) in one
  // step that a kill cannot split: every value is encoded first (one that does not fit
  // refuses the batch before anything is written), the records and their keys are written
  // beyond the record count, and only then is the count raised. A process killed before that
  // leaves none of them, after it all of them; indexes it was changing are rebuilt by the
  // next locker. Shared, the file lock is needed. The last record appended becomes current.
  // Not for tables with memo fields.
  Status appendRecords(std::span<const std::vector<Value>> rows);
  // Writes the current record if it changed (moving does this too), so that the file holds
  // it when this returns; a write error kept from a move is reported here (and forgotten).
  Status flush();
  // flush, write indexes and header, fsync everything.
  Status commit();

  // --- locks (no-ops when exclusive)
  // Locks a record (default: the current one); unless keepOthers, other record locks go.
  Status lockRecord(std::uint32_t recno = 0, bool keepOthers = false);
  Status lockFile();
  // Releases every record lock and the file lock; reports what flush reports.
  Status unlock();
  Status unlockRecord(std::uint32_t recno);
  bool isRecordLocked(std::uint32_t recno) const;
  bool isFileLocked() const { return fileLocked_; }

  // --- maintenance (exclusive only)
  // Removes deleted records: a new file written beside the old one and renamed over it only
  // when complete and synced; the indexes are rebuilt. Memo texts stay where they are.
  Status pack();
  // Removes every record.
  Status zap();
  // Rewrites the memo file with only the texts the records point at, and the table with the
  // new pointers. Each file is written beside the old one and renamed over it once synced;
  // the table is renamed last, so only a crash between the two renames can leave pointers
  // into the wrong memo file (the old DBT is kept as NAME.DBT.old until the table is in).
  Status packMemo();

  // --- orders
  // Opens the index file of `path` (".CDX" added) for key `expression`, building it when the
  // file is missing. An index file that is damaged, was left unfinished or has another key
  // is rebuilt when the table is exclusive, else kNeedExclusive. `rebuilt` says what happened.
  Status openIndex(const std::string& path, std::string_view expression, bool* rebuilt = nullptr);
  // An index on a key of our own, in a file that is always rebuilt (temporary orderings).
  Status createIndex(const std::string& path, std::string_view expression);
  Status reindex();
  void closeIndexes();
  int orderCount() const { return static_cast<int>(orders_.size()); }
  int order() const { return order_; }
  // 0: natural order; 1..orderCount(). The record pointer stays. A move like the others: it
  // writes the pending row first, and status() says how that went (a write it could not do is
  // kept, as for any move) or that `n` names no order, which leaves the order as it was.
  void setOrder(int n);
  // setOrder, then its status(): for a chain of checks (the order, then a seek on it).
  Status useOrder(int n) {
    setOrder(n);
    return status();
  }
  const std::string& orderExpression(int n) const;
  // SEEK on the controlling order: the first visible record whose key starts with `key`
  // (text keys: a shorter key seeks a prefix). Not found: end of file, or with `soft` the
  // next greater key. found() tells.
  Status seek(std::string_view key, bool soft = false);
  Status seek(rt::text::Decimal key, bool soft = false) { return seekValue(key, soft); }
  Status seek(rt::text::Date key, bool soft = false) { return seekValue(key, soft); }
  Status seekValue(const Value& key, bool soft = false);
  // Checks an order against the table: every record once, in key order (tests, repair).
  Status checkOrder(int n);

  // --- visibility
  void setDeletedHidden(bool hidden) { hideDeleted_ = hidden; }
  bool deletedHidden() const { return hideDeleted_; }
  void setFilter(std::function<bool(const Table&)> filter) { filter_ = std::move(filter); }
  Status setFilter(std::string_view expression);
  void clearFilter() { filter_ = nullptr; }
  bool hasFilter() const { return static_cast<bool>(filter_); }
  // Whether the current record passes the deleted switch and the filter.
  bool isVisible() const;

  // The key of the current record in order n (for tests and diagnostics).
  std::string currentKey(int n) const;

 private:
  struct Order {
    std::unique_ptr<CdxIndex> index;
    Expression expr;
    std::size_t keyLen = 0;
    char keyType = 'C';
    CdxIndex::Cursor cursor;
    std::uint64_t cursorGen = 0;
  };
  class UpdateGuard;
  // Where the position stands, to step back when a read without the lock met a change.
  struct Position {
    std::string rec, orig;
    std::uint32_t recno;
    bool eof, bof, found;
    CdxIndex::Cursor cursor;
    std::uint64_t cursorGen;
  };

  std::string makeKey(const Order& o, std::string_view record) const;
  void appendKey(const Order& o, std::string_view record, std::string& out) const;
  Result<std::string> seekKey(const Order& o, const Value& key) const;
  Status seekFrom(const Value& key, bool soft);
  Status seekIn(Order& o, const std::string& full, bool soft);
  Status readHeaderCount();
  Status loadRecord(std::uint32_t recno, bool sequential = false);
  void setEof();
  Status skipNatural(long n);
  Status prepareMove();
  // The moves, with their errors (goTop and the others keep these in status()).
  Status moveTo(std::uint32_t recno);
  Status moveTop();
  Status moveBottom();
  Status moveBy(long n);
  Status changeOrder(int n);
  // settle() for a move or another change of position: a failure is also kept in writeError_.
  Status settleKept();
  // The kept write error, forgotten once taken; else `s`.
  Status takeWriteError(Status s);
  Status goOrderedEnd(bool top);
  Status skipOrdered(long n);
  Status skipOrderedLocked(long n);
  Status positionCursor(Order& o);
  Status loadFromCursor(Order& o);
  Status requireWritable();
  Status writeHeaderPrefix();
  Status writePending();
  // The current record into the file, or among the pending appends. Shared, `writeIndexes`
  // false leaves its index pages to the caller, who holds the update lock and writes them.
  Status flushRecord(bool writeIndexes = true);
  Status settle();       // flushRecord, then write the pending appends
  Status buildOrder(Order& o, const std::string& path);
  Status rebuildAll();
  // The update lock and the change counter (table_sharing.cpp).
  Status updateLock(bool exclusiveLock, bool marksWrite);
  // After an index file was built anew: tells the terminals that have the table open.
  Status announceRebuild();
  // `keep` other than 0 lets go, in the same call, of every record lock below record `keep`.
  void updateUnlock(std::uint32_t keep = 0);
  bool tracksChanges() const { return view_.active(); }
  std::uint32_t changeCounter() const;
  void setChangeCounter(std::uint32_t value);
  Status catchUp(bool exclusiveLock, bool& needExclusive);
  Status beginWrite();
  Status endWrite();
  Status syncShared();
  Status rebuildOrder(Order& o);
  Status reopenOrder(Order& o);
  Position position() const;
  void restore(Position p);
  // Runs a read of the controlling order: without the lock when the table has not changed
  // since we last looked and does not change while we read, else under the shared lock.
  template <class Read>
  Status readOrdered(Read read);
  Status refreshIndexes();
  Status flushIndexes(bool sync);
  Status openIndexImpl(const std::string& path, std::string_view expression, bool forceBuild, bool* rebuilt);

  File file_;
  std::string path_;
  std::string alias_;
  DbfHeader header_;
  std::uint32_t count_ = 0;
  bool exclusive_ = false;
  bool readOnly_ = false;
  bool damaged_ = false;
  bool headerTouched_ = false;

  std::string rec_;   // current record
  std::string orig_;  // as read, to find which index keys changed
  std::string blank_;
  std::uint32_t recno_ = 0;
  bool eof_ = true, bof_ = true, found_ = false, dirty_ = false;
  bool newRecord_ = false;  // appended, its keys not yet in the indexes (exclusive only)
  // Exclusive only: records appended one after another (append, put, append ...) wait here
  // and are written together, with the end mark and the header count, by any flush, move,
  // seek, commit or close, or when 64 KB have gathered.
  std::string pending_;
  std::uint32_t pendingFirst_ = 0;

  std::string chunk_;  // read-ahead for scans in natural order
  std::uint32_t chunkFirst_ = 0, chunkCount_ = 0;

  std::vector<Order> orders_;
  int order_ = 0;
  bool hideDeleted_ = false;
  std::function<bool(const Table&)> filter_;

  std::set<std::uint32_t> lockedRecords_;
  bool fileLocked_ = false;
  int updateDepth_ = 0;

  std::unique_ptr<MemoFile> memo_;
  Mapping map_;  // exclusive tables only: random reads without a system call
  // Shared tables we may write: the file through memory. Its header's change counter tells
  // whether anything changed since `seen_`, the value our caches reflect (table_sharing.cpp).
  SharedView view_;
  static constexpr std::uint64_t kNeverSeen = std::uint64_t{1} << 32;
  std::uint64_t seen_ = kNeverSeen;
  bool writing_ = false;  // the counter is odd: our write is in progress
  Status moved_;       // how the last move went
  Status writeError_;  // a pending row's write that failed during a move, until reported
};

}  // namespace rt::db

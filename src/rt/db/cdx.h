// A CDX index file holding one tag, in the compact compound format other xBase tools read:
//   offset 0     tag directory header (1024 bytes)
//   offset 1024  tag directory root leaf: the tag name, pointing at the tag header
//   offset 1536  tag header (1024 bytes): root page, free list (always none), change counter, key length,
//                options, key expression text
//   offset 2560  the tag's B-tree pages, 512 bytes each
// Keys are fixed-length byte strings ordered by memcmp, ties broken by record number.
//
// Pages are cached decoded. The change counter in the tag header (offset 8) is bumped by every
// flush, so a process that finds another counter than it cached drops its cache (refresh()).
// A table opened exclusively defers writing pages until flush(); while it does, a flag byte in
// the tag header (offset 16) says the file on disk is behind, so an index left so by a crash is
// rebuilt when next opened.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "rt/base/result.h"
#include "rt/db/cdx_node.h"
#include "rt/db/file.h"

namespace rt::db {

// Keys and record numbers gathered for a build.
struct KeyList {
  std::size_t keyLen = 0;
  std::string keys;
  std::vector<std::uint32_t> recnos;
  void add(std::string_view key, std::uint32_t recno) {
    keys.append(key);
    recnos.push_back(recno);
  }
  std::size_t size() const { return recnos.size(); }
};

class CdxIndex {
  struct Private {};  // only open() makes indexes

 public:
  explicit CdxIndex(Private) {}
  static constexpr std::uint32_t kTagHeader = 1536;
  static constexpr std::uint32_t kFirstPage = 2560;

  // Opens an existing index and checks it: structure, key length, and that its key expression
  // is `expression` (ignoring case and blanks). kCorrupt when it cannot be used as it is.
  static Result<std::unique_ptr<CdxIndex>> open(const std::string& path, std::string_view expression,
                                                std::size_t keyLen, char pad, bool writable);
  // Writes a whole index of `entries` (sorted here) through a temporary file renamed over path.
  static Status build(const std::string& path, std::string_view expression, std::size_t keyLen, char pad,
                      KeyList& entries);

  const std::string& path() const { return path_; }
  std::size_t keyLen() const { return keyLen_; }
  char pad() const { return pad_; }
  const std::string& expression() const { return expression_; }

  // Re-reads the tag header; drops the cache when another process changed the file.
  Status refresh();
  // Changes whenever positions taken earlier may no longer be valid.
  std::uint64_t generation() const { return generation_; }
  // Deferred writing (exclusive use): pages are written by flush() only.
  void setDeferred(bool deferred) { deferred_ = deferred; }

  struct Cursor {
    std::uint32_t page = kCdxNone;
    std::size_t pos = 0;
    bool valid() const { return page != kCdxNone; }
  };
  Result<Cursor> first();
  Result<Cursor> last();
  // First entry whose key starts with something >= prefix.
  Result<Cursor> lowerBound(std::string_view prefix);
  // First entry >= (key, recno).
  Result<Cursor> find(std::string_view key, std::uint32_t recno);
  Result<Cursor> next(Cursor c);
  Result<Cursor> prev(Cursor c);
  std::string_view keyAt(Cursor c);
  std::uint32_t recnoAt(Cursor c);
  // Number of keys, walking the leaves (for checks and tests).
  Result<std::size_t> countKeys();

  Status insert(std::string_view key, std::uint32_t recno);
  Status erase(std::string_view key, std::uint32_t recno);
  Status flush(bool sync = false);
  // Before a change the index will only learn of later: flags a deferred index as behind.
  Status prepareChange() { return beginChange(); }
  // Marks the file as needing a rebuild (written at once); the next flush clears the mark.
  // Exclusive tables do this while they defer pages; shared writers around every change, so
  // a writer killed in the middle leaves the mark for the next one to find.
  Status markStale();
  // Marks the file for a rebuild that no flush of ours clears: the index was found to have
  // lost an entry, and whoever opens or catches up with it next rebuilds it.
  Status markDamaged();
  // Whether the file on disk carries the mark (another writer died in the middle).
  Result<bool> isMarkedStale() const;
  // Whether the path now names another file than the one this index holds (rebuilt by another
  // terminal and renamed over it). A path naming no file is not a replacement.
  bool isReplaced() const;
  // The mark of the file at `path` (false when the file is missing or too short to have one).
  static Result<bool> leftUnfinished(const std::string& path);

 private:
  struct Step {
    std::uint32_t page;
    std::size_t pos;
  };
  // The page decoded: from the cache (inline, the walks' hot path) or read and cached.
  Result<CdxNode*> node(std::uint32_t page) {
    if (CdxNode* c = cached(page)) return c;
    return load(page);
  }
  Result<CdxNode*> load(std::uint32_t page);
  // first() or last().
  Result<Cursor> edge(bool last);
  Status descend(std::string_view key, std::uint32_t recno, std::vector<Step>& path);
  Status fixUp(std::vector<Step>& path, bool appendHint);
  Status splitInto(std::uint32_t page, bool appendHint, std::vector<std::uint32_t>& added);
  bool fits(CdxNode& n) const;
  void size(CdxNode& n) const;
  std::uint32_t allocate();
  void release(std::uint32_t page);
  void touch(std::uint32_t page);
  Status beginChange();
  Status readHeader();
  // Pages the file holds: no walk along a chain can visit more without looping.
  std::uint64_t pageCount() const { return fileEnd_ / kCdxPage; }

  File file_;
  SharedView view_;  // reads and writes of what the file holds, without system calls
  std::string path_;
  std::string expression_;
  std::size_t keyLen_ = 0;
  char pad_ = ' ';
  bool writable_ = false;
  bool deferred_ = false;
  bool staleWritten_ = false;
  bool damaged_ = false;
  std::uint32_t root_ = kCdxNone;
  std::uint32_t counter_ = 0;
  std::uint64_t fileEnd_ = 0;
  std::uint64_t generation_ = 1;
  // Decoded pages by page number (offset / 512): a direct index, as seeks live on it.
  std::vector<std::unique_ptr<CdxNode>> cache_;
  CdxNode* cached(std::uint32_t page) const {
    std::size_t i = page / kCdxPage;
    return i < cache_.size() ? cache_[i].get() : nullptr;
  }
  // For pages on the path just walked, which are always cached.
  CdxNode& at(std::uint32_t page) const {
    CdxNode* n = cached(page);
    if (!n) std::abort();
    return *n;
  }
  CdxNode& store(std::uint32_t page, CdxNode node);
  void drop(std::uint32_t page) {
    if (std::size_t i = page / kCdxPage; i < cache_.size()) cache_[i].reset();
  }
  std::vector<std::uint32_t> dirty_;
  std::vector<std::uint32_t> free_;  // pages emptied in this session
};

// Key bytes for numbers and dates as the compact format orders them: the IEEE double in
// big-endian order with the sign bit flipped (and every bit flipped for negatives).
std::string numericKey(double value);

}  // namespace rt::db

// Opening a CDX index against its tag header, the cache of decoded pages, the marks that say
// the file is behind, and the flush that writes the changed pages and the header.
#include "rt/db/cdx.h"

#include <algorithm>
#include <cstring>

#include "rt/db/bytes.h"
#include "rt/db/cdx_internal.h"
#include "rt/text/strings.h"

// The tag header at kTagHeader (the tag directory's header at 0 has the same layout):
//   0    root page
//   4    free list (always none: see allocate())
//   8    change counter, bumped by every flush that wrote pages
//   12   key length (2 bytes)
//   14   options: 0x20 compact, 0x40 compound, 0x08 a FOR expression (refused); 0xE0 in the
//        directory's header
//   15   signature 1
//   16   our mark that the file is behind (kDirtyFlag), in the reserved bytes
//   502  order: 0 ascending (a descending tag is refused)
//   504  length of both expressions with their NULs
//   506  FOR expression's length with its NUL (1: empty)
//   510  key expression's length with its NUL
//   512  the expression pool: the key expression, NUL-ended
namespace rt::db {

using cdx::kDirtyFlag;

namespace {

// Address space mapped per index beyond its size, so that it can grow without remapping.
constexpr std::uint64_t kViewCapacity = std::uint64_t{64} << 20;

using bytes::le16;
using bytes::le32;
using bytes::putLe;

std::string normaliseExpression(std::string_view e) {
  std::string out;
  for (char c : e)
    if (c != ' ' && c != '\t') out += rt::text::upperChar(c);
  return out;
}

}  // namespace

std::string cdx::tagHeader(std::uint32_t root, std::size_t keyLen, std::uint8_t options,
                           std::string_view expression) {
  std::string h(1024, '\0');
  putLe(h, 0, root, 4);
  putLe(h, 4, kCdxNone, 4);
  putLe(h, 8, 1, 4);
  putLe(h, 12, static_cast<std::uint32_t>(keyLen), 2);
  h[14] = static_cast<char>(options);
  h[15] = 1;
  std::size_t n = std::min<std::size_t>(expression.size(), 510);
  std::memcpy(h.data() + 512, expression.data(), n);
  putLe(h, 504, static_cast<std::uint32_t>(n + 2), 2);  // both expressions with their NULs
  putLe(h, 506, 1, 2);                                  // FOR expression: empty
  putLe(h, 510, static_cast<std::uint32_t>(n + 1), 2);
  return h;
}

std::string numericKey(double value) {
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  if (value == 0) bits = 0;  // -0 and 0 are one key
  if (bits & (std::uint64_t{1} << 63)) bits = ~bits;
  else bits |= std::uint64_t{1} << 63;
  std::string k(8, '\0');
  for (int i = 0; i < 8; ++i) k[static_cast<std::size_t>(i)] = static_cast<char>((bits >> (56 - 8 * i)) & 0xFF);
  return k;
}

Result<std::unique_ptr<CdxIndex>> CdxIndex::open(const std::string& path, std::string_view expression,
                                                 std::size_t keyLen, char pad, bool writable) {
  auto f = File::open(path, writable ? File::Mode::kReadWrite : File::Mode::kRead);
  if (!f) return f.status();
  auto ix = std::make_unique<CdxIndex>(Private{});
  ix->file_ = std::move(*f);
  ix->path_ = path;
  ix->expression_ = std::string(expression);
  ix->keyLen_ = keyLen;
  ix->pad_ = pad;
  ix->writable_ = writable;
  auto size = ix->file_.size();
  if (!size) return size.status();
  if (*size < kFirstPage || *size % kCdxPage != 0) return Status(Error::kCorrupt, path + ": size");
  ix->view_.attach(ix->file_, kViewCapacity, writable);
  std::string dir(1536, '\0');
  RT_TRY(ix->file_.readExact(0, dir));
  if ((static_cast<std::uint8_t>(dir[14]) & 0x60) != 0x60) return Status(Error::kCorrupt, path + ": not a compound index");
  // The directory must name exactly one tag, whose header we read.
  auto dirRoot = decodeCdxNode(std::string_view(dir).substr(1024, 512), 10, ' ');
  if (!dirRoot || !dirRoot->leaf || dirRoot->count() != 1) return Status(Error::kCorrupt, path + ": tag directory");
  std::uint32_t tag = dirRoot->recnos[0];
  if (tag != kTagHeader) return Status(Error::kCorrupt, path + ": tag header position");
  std::string th(1024, '\0');
  RT_TRY(ix->file_.readExact(tag, th));
  if (le16(th, 12) != keyLen) return Status(Error::kCorrupt, path + ": key length");
  if ((static_cast<std::uint8_t>(th[14]) & 0x20) == 0 || (static_cast<std::uint8_t>(th[14]) & 0x08) != 0 ||
      le16(th, 502) != 0)
    return Status(Error::kCorrupt, path + ": tag options");
  std::size_t exprLen = le16(th, 510);
  std::string_view pool = std::string_view(th).substr(512, std::min<std::size_t>(exprLen, 512));
  pool = pool.substr(0, std::min(pool.size(), pool.find('\0')));
  if (normaliseExpression(pool) != normaliseExpression(expression))
    return Status(Error::kCorrupt, path + ": key expression " + std::string(pool));
  if (th[kDirtyFlag] != 0) return Status(Error::kCorrupt, path + ": left unfinished");
  RT_TRY(ix->readHeader());
  auto r = ix->node(ix->root_);
  if (!r) return r.status();
  if (!(*r)->root) return Status(Error::kCorrupt, path + ": root page");
  return ix;
}

Status CdxIndex::readHeader() {
  std::string h(12, '\0');
  RT_TRY(view_.readExact(file_, kTagHeader, h));
  root_ = le32(h, 0);
  counter_ = le32(h, 8);
  auto size = file_.size();
  if (!size) return size.status();
  fileEnd_ = *size;
  view_.learnSize(*size);
  return {};
}

Status CdxIndex::refresh() {
  if (!dirty_.empty()) return {};  // our own changes are not yet on disk
  char c[4];
  RT_TRY(view_.readExact(file_, kTagHeader + 8, c));
  // Every change bumps the counter, so an unchanged counter means our pages, root and
  // file end are all still right.
  if (le32(std::string_view(c, 4), 0) == counter_) return {};
  cache_.clear();
  free_.clear();  // they stay unreferenced garbage; a rebuild reclaims them
  ++generation_;
  return readHeader();
}

Result<CdxNode*> CdxIndex::load(std::uint32_t page) {
  if (page == kCdxNone || page % kCdxPage != 0 || page < kFirstPage - kCdxPage || page + kCdxPage > fileEnd_)
    return Status(Error::kCorrupt, path_ + ": page pointer " + std::to_string(page));
  std::string buf(kCdxPage, '\0');
  RT_TRY(view_.readExact(file_, page, buf));
  auto n = decodeCdxNode(buf, keyLen_, pad_);
  if (!n) return Status(Error::kCorrupt, path_ + ": " + n.status().detail());
  return &store(page, std::move(*n));
}

Status CdxIndex::beginChange() {
  if (!writable_) return {Error::kReadOnly, path_};
  if (deferred_ && !staleWritten_) RT_TRY(markStale());
  return {};
}

Status CdxIndex::markDamaged() {
  RT_TRY(view_.write(file_, kTagHeader + kDirtyFlag, std::string_view("\1", 1)));
  damaged_ = true;
  staleWritten_ = false;
  return {};
}

Status CdxIndex::markStale() {
  if (damaged_) return {};  // already marked, for good
  RT_TRY(view_.write(file_, kTagHeader + kDirtyFlag, std::string_view("\1", 1)));
  staleWritten_ = true;
  return {};
}

Result<bool> CdxIndex::isMarkedStale() const {
  char flag = 0;
  RT_TRY(view_.readExact(file_, kTagHeader + kDirtyFlag, std::span<char>(&flag, 1)));
  return flag == 1;
}

bool CdxIndex::isReplaced() const { return fileExists(path_) && !file_.sameFileAs(path_); }

Result<bool> CdxIndex::leftUnfinished(const std::string& path) {
  auto f = File::open(path, File::Mode::kRead);
  if (!f) return f.code() == Error::kNotFound ? Result<bool>(false) : Result<bool>(f.status());
  char flag = 0;
  auto n = f->readAt(kTagHeader + kDirtyFlag, std::span<char>(&flag, 1));
  if (!n) return n.status();
  return *n == 1 && flag == 1;  // the mark we write; other bytes there are damage
}

CdxNode& CdxIndex::store(std::uint32_t page, CdxNode node) {
  std::size_t i = page / kCdxPage;
  if (i >= cache_.size()) cache_.resize(std::max(i + 1, cache_.size() * 2));
  if (cache_[i]) *cache_[i] = std::move(node);
  else cache_[i] = std::make_unique<CdxNode>(std::move(node));
  return *cache_[i];
}

void CdxIndex::touch(std::uint32_t page) {
  CdxNode* n = cached(page);
  if (!n || n->dirty) return;
  n->dirty = true;
  dirty_.push_back(page);
}

// Pages emptied in this session are reused; a free list found on disk is not trusted (a
// wrong pointer there would hand out a page still in use), so it is never followed, and
// the header always says there is none.
std::uint32_t CdxIndex::allocate() {
  if (!free_.empty()) {
    std::uint32_t page = free_.back();
    free_.pop_back();
    drop(page);
    return page;
  }
  auto page = static_cast<std::uint32_t>(fileEnd_);
  fileEnd_ += kCdxPage;
  return page;
}

void CdxIndex::release(std::uint32_t page) {
  drop(page);
  free_.push_back(page);
}

Status CdxIndex::flush(bool sync) {
  if (dirty_.empty() && !staleWritten_) return {};
  std::sort(dirty_.begin(), dirty_.end());
  const bool wrotePages = !dirty_.empty();
  std::string page;
  for (std::uint32_t p : dirty_) {
    CdxNode* n = cached(p);
    if (!n || !n->dirty) continue;  // released since
    if (!encodeCdxNode(*n, keyLen_, pad_, page)) return {Error::kCorrupt, path_ + ": page overflow"};
    RT_TRY(view_.write(file_, p, page));
    n->dirty = false;
  }
  dirty_.clear();
  if (!wrotePages) {
    // Only the mark to clear: the pages did not change, so the counter stays and other
    // terminals keep their cached pages.
    RT_TRY(view_.write(file_, kTagHeader + kDirtyFlag, std::string_view("\0", 1)));
    if (sync) RT_TRY(file_.sync());
    staleWritten_ = false;
    return {};
  }
  std::string h(12, '\0');
  putLe(h, 0, root_, 4);
  putLe(h, 4, kCdxNone, 4);
  putLe(h, 8, ++counter_, 4);
  RT_TRY(view_.write(file_, kTagHeader, h));
  if (sync) RT_TRY(file_.sync());
  if (staleWritten_) {
    RT_TRY(view_.write(file_, kTagHeader + kDirtyFlag, std::string_view("\0", 1)));
    if (sync) RT_TRY(file_.sync());
    staleWritten_ = false;
  }
  return {};
}

}  // namespace rt::db

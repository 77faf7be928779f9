#include "rt/db/cdx.h"

#include <cstdio>
#include <algorithm>
#include <cstring>

#include "rt/db/bytes.h"
#include "rt/text/strings.h"

namespace rt::db {
namespace {

constexpr std::size_t kDirtyFlag = 16;  // our flag byte inside the reserved part of the tag header
constexpr int kMaxDepth = 64;
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

// Compares an entry (key, recno) with a target.
int compareEntry(std::string_view k, std::uint32_t r, std::string_view key, std::uint32_t recno) {
  int c = std::memcmp(k.data(), key.data(), k.size());
  if (c != 0) return c;
  return r < recno ? -1 : r > recno ? 1 : 0;
}

std::string header(std::uint32_t root, std::size_t keyLen, std::uint8_t options, std::string_view expression) {
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

}  // namespace

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

Result<CdxNode*> CdxIndex::node(std::uint32_t page) {
  if (CdxNode* c = cached(page)) return c;
  if (page == kCdxNone || page % kCdxPage != 0 || page < kFirstPage - kCdxPage || page + kCdxPage > fileEnd_)
    return Status(Error::kCorrupt, path_ + ": page pointer " + std::to_string(page));
  std::string buf(kCdxPage, '\0');
  RT_TRY(view_.readExact(file_, page, buf));
  auto n = decodeCdxNode(buf, keyLen_, pad_);
  if (!n) return Status(Error::kCorrupt, path_ + ": " + n.status().detail());
  return &store(page, std::move(*n));
}

void CdxIndex::size(CdxNode& n) const {
  n.keyBytes = 0;
  n.maxRecno = 0;
  for (std::size_t i = 0; i < n.count(); ++i) {
    n.keyBytes += leafKeyCost(n.key(i, keyLen_), i == 0 ? std::string_view() : n.key(i - 1, keyLen_), pad_);
    n.maxRecno = std::max(n.maxRecno, n.recnos[i]);
  }
  n.sized = true;
}

bool CdxIndex::fits(CdxNode& n) const {
  if (!n.leaf) return n.count() * (keyLen_ + 8) <= kInteriorSpace;
  if (!n.sized) size(n);
  std::size_t bytes = static_cast<std::size_t>(leafLayout(keyLen_, n.maxRecno).bytes);
  return n.keyBytes + n.count() * bytes <= kLeafSpace;
}

Status CdxIndex::descend(std::string_view key, std::uint32_t recno, std::vector<Step>& path) {
  path.clear();
  std::uint32_t page = root_;
  for (int depth = 0; depth < kMaxDepth; ++depth) {
    auto n = node(page);
    if (!n) return n.status();
    CdxNode& nd = **n;
    std::size_t lo = 0, hi = nd.count();
    while (lo < hi) {
      std::size_t mid = (lo + hi) / 2;
      if (compareEntry(nd.key(mid, keyLen_), nd.recnos[mid], key, recno) < 0) lo = mid + 1;
      else hi = mid;
    }
    if (nd.leaf) {
      path.push_back({page, lo});
      return {};
    }
    if (nd.count() == 0) return {Error::kCorrupt, path_ + ": empty interior page"};
    if (lo == nd.count()) lo = nd.count() - 1;
    path.push_back({page, lo});
    page = nd.children[lo];
  }
  return {Error::kCorrupt, path_ + ": tree too deep"};
}

Result<CdxIndex::Cursor> CdxIndex::find(std::string_view key, std::uint32_t recno) {
  std::vector<Step> path;
  RT_TRY(descend(key, recno, path));
  Cursor c{path.back().page, path.back().pos};
  auto n = node(c.page);
  if (!n) return n.status();
  std::size_t count = (*n)->count();
  if (c.pos < count) return c;
  return next(Cursor{c.page, count == 0 ? 0 : count - 1});
}

Result<CdxIndex::Cursor> CdxIndex::lowerBound(std::string_view prefix) {
  std::size_t plen = std::min(prefix.size(), keyLen_);
  std::uint32_t page = root_;
  for (int depth = 0; depth < kMaxDepth; ++depth) {
    auto n = node(page);
    if (!n) return n.status();
    CdxNode& nd = **n;
    std::size_t lo = 0, hi = nd.count();
    while (lo < hi) {
      std::size_t mid = (lo + hi) / 2;
      if (std::memcmp(nd.keys.data() + mid * keyLen_, prefix.data(), plen) < 0) lo = mid + 1;
      else hi = mid;
    }
    if (nd.leaf) {
      if (lo < nd.count()) return Cursor{page, lo};
      if (nd.count() == 0) return Cursor{};
      return next(Cursor{page, nd.count() - 1});
    }
    if (nd.count() == 0) return Status(Error::kCorrupt, path_ + ": empty interior page");
    if (lo == nd.count()) lo = nd.count() - 1;
    page = nd.children[lo];
  }
  return Status(Error::kCorrupt, path_ + ": tree too deep");
}

Result<CdxIndex::Cursor> CdxIndex::first() { return edge(false); }

Result<CdxIndex::Cursor> CdxIndex::last() { return edge(true); }

// Down the leftmost (or rightmost) children to a leaf; an empty leaf at that end goes on along
// the chain, away from the end.
Result<CdxIndex::Cursor> CdxIndex::edge(bool last) {
  std::uint32_t page = root_;
  for (int depth = 0; depth < kMaxDepth; ++depth) {
    auto n = node(page);
    if (!n) return n.status();
    const CdxNode& nd = **n;
    if (nd.leaf) {
      if (nd.count() > 0) return Cursor{page, last ? nd.count() - 1 : 0};
      if ((last ? nd.left : nd.right) == kCdxNone) return Cursor{};
      return last ? prev(Cursor{page, 0}) : next(Cursor{page, 0});
    }
    if (nd.count() == 0) return Cursor{};
    page = last ? nd.children.back() : nd.children[0];
  }
  return Status(Error::kCorrupt, path_ + ": tree too deep");
}

// Walking the leaf chain: a healthy chain holds entries in strictly increasing order, so a
// sibling whose entries do not follow ours (or precede them, walking left) means the chain is
// damaged, and a loop of empty pages is caught by never visiting more pages than the file has.
Result<CdxIndex::Cursor> CdxIndex::next(Cursor c) {
  auto n = node(c.page);
  if (!n) return n.status();
  if (c.pos + 1 < (*n)->count()) return Cursor{c.page, c.pos + 1};
  std::string lastKey;
  std::uint32_t lastRec = 0;
  bool haveLast = (*n)->count() > 0;
  if (haveLast) {
    lastKey.assign((*n)->key((*n)->count() - 1, keyLen_));
    lastRec = (*n)->recnos.back();
  }
  std::uint32_t page = (*n)->right;
  for (std::uint64_t guard = 0; page != kCdxNone; ++guard) {
    if (guard > pageCount()) return Status(Error::kCorrupt, path_ + ": leaf chain loops");
    auto r = node(page);
    if (!r) return r.status();
    if (!(*r)->leaf) return Status(Error::kCorrupt, path_ + ": sibling is not a leaf");
    if ((*r)->count() > 0) {
      if (haveLast && compareEntry((*r)->key(0, keyLen_), (*r)->recnos[0], lastKey, lastRec) <= 0)
        return Status(Error::kCorrupt, path_ + ": leaf chain out of order");
      return Cursor{page, 0};
    }
    page = (*r)->right;
  }
  return Cursor{};
}

Result<CdxIndex::Cursor> CdxIndex::prev(Cursor c) {
  if (c.pos > 0) return Cursor{c.page, c.pos - 1};
  auto n = node(c.page);
  if (!n) return n.status();
  std::string firstKey;
  std::uint32_t firstRec = 0;
  bool haveFirst = (*n)->count() > 0;
  if (haveFirst) {
    firstKey.assign((*n)->key(0, keyLen_));
    firstRec = (*n)->recnos[0];
  }
  std::uint32_t page = (*n)->left;
  for (std::uint64_t guard = 0; page != kCdxNone; ++guard) {
    if (guard > pageCount()) return Status(Error::kCorrupt, path_ + ": leaf chain loops");
    auto r = node(page);
    if (!r) return r.status();
    if (!(*r)->leaf) return Status(Error::kCorrupt, path_ + ": sibling is not a leaf");
    if ((*r)->count() > 0) {
      std::size_t lastPos = (*r)->count() - 1;
      if (haveFirst && compareEntry((*r)->key(lastPos, keyLen_), (*r)->recnos[lastPos], firstKey, firstRec) >= 0)
        return Status(Error::kCorrupt, path_ + ": leaf chain out of order");
      return Cursor{page, lastPos};
    }
    page = (*r)->left;
  }
  return Cursor{};
}

std::string_view CdxIndex::keyAt(Cursor c) { return at(c.page).key(c.pos, keyLen_); }
std::uint32_t CdxIndex::recnoAt(Cursor c) { return at(c.page).recnos[c.pos]; }

Result<std::size_t> CdxIndex::countKeys() {
  auto c = first();
  if (!c) return c.status();
  std::size_t n = 0;
  for (Cursor cur = *c; cur.valid(); ++n) {
    auto nx = next(cur);
    if (!nx) return nx.status();
    cur = *nx;
  }
  return n;
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

Status CdxIndex::insert(std::string_view key, std::uint32_t recno) {
  RT_TRY(beginChange());
  std::vector<Step> path;
  RT_TRY(descend(key, recno, path));
  CdxNode& leaf = at(path.back().page);
  std::size_t pos = path.back().pos;
  if (leaf.sized) {
    // The new key's cost after its predecessor, and its successor's cost now after it.
    std::string_view k = key.substr(0, keyLen_);
    std::string_view before = pos > 0 ? leaf.key(pos - 1, keyLen_) : std::string_view();
    leaf.keyBytes += leafKeyCost(k, before, pad_);
    if (pos < leaf.count()) {
      std::string_view after = leaf.key(pos, keyLen_);
      leaf.keyBytes += leafKeyCost(after, k, pad_);
      leaf.keyBytes -= leafKeyCost(after, before, pad_);
    }
    leaf.maxRecno = std::max(leaf.maxRecno, recno);
  }
  leaf.keys.insert(pos * keyLen_, key.substr(0, keyLen_));
  leaf.recnos.insert(leaf.recnos.begin() + static_cast<std::ptrdiff_t>(pos), recno);
  touch(path.back().page);
  bool appendHint = pos + 1 == leaf.count() && leaf.right == kCdxNone;
  ++generation_;
  return fixUp(path, appendHint);
}

Status CdxIndex::splitInto(std::uint32_t page, bool appendHint, std::vector<std::uint32_t>& added) {
  CdxNode whole = std::move(at(page));
  std::size_t count = whole.count();
  // Parts: the first takes what fits up to a target (half, or all but the last entry when
  // keys arrive in order), the rest fill further pages.
  std::vector<std::pair<std::size_t, std::size_t>> parts;  // [begin, end)
  std::size_t target = appendHint ? count - 1 : (count + 1) / 2;
  std::uint32_t maxRec = 0;
  for (auto r : whole.recnos) maxRec = std::max(maxRec, r);
  const std::size_t bytes = static_cast<std::size_t>(leafLayout(keyLen_, maxRec).bytes);
  const std::size_t space = whole.leaf ? kLeafSpace : kInteriorSpace;
  std::size_t begin = 0;
  while (begin < count) {
    std::size_t end = begin, used = 0;
    std::size_t limit = parts.empty() ? std::max<std::size_t>(target, 1) : count;
    while (end < count && end - begin < limit) {
      std::size_t cost = whole.leaf ? bytes + leafKeyCost(whole.key(end, keyLen_),
                                                           end == begin ? std::string_view() : whole.key(end - 1, keyLen_), pad_)
                                    : keyLen_ + 8;
      if (end > begin && used + cost > space) break;
      used += cost;
      ++end;
    }
    parts.emplace_back(begin, end);
    begin = end;
  }
  std::uint32_t right = whole.right;
  std::vector<std::uint32_t> pages{page};
  for (std::size_t i = 1; i < parts.size(); ++i) pages.push_back(allocate());
  for (std::size_t i = 0; i < parts.size(); ++i) {
    CdxNode part;
    part.leaf = whole.leaf;
    part.root = false;
    part.left = i == 0 ? whole.left : pages[i - 1];
    part.right = i + 1 < parts.size() ? pages[i + 1] : right;
    auto [b, e] = parts[i];
    part.keys = whole.keys.substr(b * keyLen_, (e - b) * keyLen_);
    part.recnos.assign(whole.recnos.begin() + static_cast<std::ptrdiff_t>(b), whole.recnos.begin() + static_cast<std::ptrdiff_t>(e));
    if (!whole.leaf)
      part.children.assign(whole.children.begin() + static_cast<std::ptrdiff_t>(b), whole.children.begin() + static_cast<std::ptrdiff_t>(e));
    store(pages[i], std::move(part));
    touch(pages[i]);
    if (i > 0) added.push_back(pages[i]);
  }
  if (right != kCdxNone) {
    auto r = node(right);
    if (!r) return r.status();
    (*r)->left = pages.back();
    touch(right);
  }
  return {};
}

Status CdxIndex::fixUp(std::vector<Step>& path, bool appendHint) {
  for (std::size_t level = path.size(); level-- > 0;) {
    std::uint32_t page = path[level].page;
    CdxNode* n = &at(page);
    std::vector<std::uint32_t> added;
    if (!fits(*n)) {
      RT_TRY(splitInto(page, appendHint && n->right == kCdxNone, added));
      n = &at(page);
    }
    auto lastOf = [&](std::uint32_t p, std::string& k, std::uint32_t& r) {
      const CdxNode& c = at(p);
      k.assign(c.key(c.count() - 1, keyLen_));
      r = c.recnos.back();
    };
    if (level == 0) {
      if (added.empty()) return {};
      // The root split: a new root above the parts.
      std::uint32_t rootPage = allocate();
      CdxNode r;
      r.leaf = false;
      r.root = true;
      std::vector<std::uint32_t> all{page};
      all.insert(all.end(), added.begin(), added.end());
      for (auto p : all) {
        std::string k;
        std::uint32_t rec;
        lastOf(p, k, rec);
        r.keys += k;
        r.recnos.push_back(rec);
        r.children.push_back(p);
      }
      store(rootPage, std::move(r));
      touch(rootPage);
      root_ = rootPage;
      return {};
    }
    CdxNode& parent = at(path[level - 1].page);
    std::size_t i = path[level - 1].pos;
    if (n->count() == 0) return {Error::kCorrupt, path_ + ": empty page after insert"};
    std::string k;
    std::uint32_t rec;
    lastOf(page, k, rec);
    bool changed = parent.key(i, keyLen_) != k || parent.recnos[i] != rec;
    if (changed) {
      std::memcpy(parent.keys.data() + i * keyLen_, k.data(), keyLen_);
      parent.recnos[i] = rec;
    }
    for (std::size_t a = 0; a < added.size(); ++a) {
      lastOf(added[a], k, rec);
      parent.keys.insert((i + 1 + a) * keyLen_, k);
      parent.recnos.insert(parent.recnos.begin() + static_cast<std::ptrdiff_t>(i + 1 + a), rec);
      parent.children.insert(parent.children.begin() + static_cast<std::ptrdiff_t>(i + 1 + a), added[a]);
    }
    if (!changed && added.empty()) return {};
    touch(path[level - 1].page);
  }
  return {};
}

Status CdxIndex::erase(std::string_view key, std::uint32_t recno) {
  RT_TRY(beginChange());
  std::vector<Step> path;
  RT_TRY(descend(key, recno, path));
  CdxNode* leaf = &at(path.back().page);
  std::size_t pos = path.back().pos;
  if (pos >= leaf->count() || compareEntry(leaf->key(pos, keyLen_), leaf->recnos[pos], key, recno) != 0)
    return {Error::kCorrupt, path_ + ": key of record " + std::to_string(recno) + " missing"};
  leaf->keys.erase(pos * keyLen_, keyLen_);
  leaf->recnos.erase(leaf->recnos.begin() + static_cast<std::ptrdiff_t>(pos));
  leaf->sized = false;
  touch(path.back().page);
  ++generation_;
  for (std::size_t level = path.size(); level-- > 0;) {
    std::uint32_t page = path[level].page;
    CdxNode& n = at(page);
    if (level == 0) {
      if (n.count() == 0 && !n.leaf) {
        n.leaf = true;  // the tree is empty again: the root becomes an empty leaf
        n.children.clear();
        touch(page);
      }
      return {};
    }
    CdxNode& parent = at(path[level - 1].page);
    std::size_t i = path[level - 1].pos;
    if (n.count() == 0) {
      // Unlink the empty page from its siblings and give it back.
      if (n.left != kCdxNone) {
        auto l = node(n.left);
        if (!l) return l.status();
        (*l)->right = n.right;
        touch(n.left);
      }
      if (n.right != kCdxNone) {
        auto r = node(n.right);
        if (!r) return r.status();
        (*r)->left = n.left;
        touch(n.right);
      }
      release(page);
      parent.keys.erase(i * keyLen_, keyLen_);
      parent.recnos.erase(parent.recnos.begin() + static_cast<std::ptrdiff_t>(i));
      parent.children.erase(parent.children.begin() + static_cast<std::ptrdiff_t>(i));
      touch(path[level - 1].page);
      continue;
    }
    std::string_view k = n.key(n.count() - 1, keyLen_);
    if (parent.key(i, keyLen_) == k && parent.recnos[i] == n.recnos.back()) return {};
    std::memcpy(parent.keys.data() + i * keyLen_, k.data(), keyLen_);
    parent.recnos[i] = n.recnos.back();
    touch(path[level - 1].page);
  }
  return {};
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

Status CdxIndex::build(const std::string& path, std::string_view expression, std::size_t keyLen, char pad,
                       KeyList& entries) {
  const std::size_t n = entries.size();
  const char* keys = entries.keys.data();
  // Sorting on the first 8 key bytes as one big-endian number keeps most comparisons in the
  // sort array itself; ties go to the rest of the key, then the record number.
  struct Slot {
    std::uint64_t head;
    std::uint32_t index;
  };
  std::vector<Slot> slots(n);
  const std::size_t headLen = std::min<std::size_t>(8, keyLen);
  for (std::size_t i = 0; i < n; ++i) {
    std::uint64_t h = 0;
    const char* k = keys + i * keyLen;
    for (std::size_t b = 0; b < 8; ++b) h = h << 8 | (b < headLen ? static_cast<std::uint8_t>(k[b]) : 0u);
    slots[i] = {h, static_cast<std::uint32_t>(i)};
  }
  std::sort(slots.begin(), slots.end(), [&](const Slot& a, const Slot& b) {
    if (a.head != b.head) return a.head < b.head;
    if (keyLen > 8) {
      int c = std::memcmp(keys + a.index * keyLen + 8, keys + b.index * keyLen + 8, keyLen - 8);
      if (c != 0) return c < 0;
    }
    return entries.recnos[a.index] < entries.recnos[b.index];
  });
  std::vector<std::uint32_t> order(n);
  for (std::size_t i = 0; i < n; ++i) order[i] = slots[i].index;
  slots = {};
  std::uint32_t maxRec = 0;
  for (auto r : entries.recnos) maxRec = std::max(maxRec, r);
  const std::size_t bytes = static_cast<std::size_t>(leafLayout(keyLen, maxRec).bytes);

  // Leaves, filled as far as they go.
  std::vector<CdxNode> nodes;
  std::size_t i = 0;
  do {
    CdxNode leaf;
    std::size_t used = 0;
    std::string_view prev;
    while (i < n) {
      std::string_view k(keys + order[i] * keyLen, keyLen);
      std::size_t cost = bytes + leafKeyCost(k, leaf.count() == 0 ? std::string_view() : prev, pad);
      if (leaf.count() > 0 && used + cost > kLeafSpace) break;
      used += cost;
      leaf.keys.append(k);
      leaf.recnos.push_back(entries.recnos[order[i]]);
      prev = k;
      ++i;
    }
    nodes.push_back(std::move(leaf));
  } while (i < n);
  // Interior levels until one page holds a level; node j goes to page kFirstPage + 512 j.
  auto pageOf = [](std::size_t j) { return static_cast<std::uint32_t>(kFirstPage + j * kCdxPage); };
  const std::size_t perInterior = kInteriorSpace / (keyLen + 8);
  std::vector<std::pair<std::size_t, std::size_t>> levels{{0, nodes.size()}};
  while (levels.back().second - levels.back().first > 1) {
    auto [lb, le] = levels.back();
    for (std::size_t j = lb; j < le; j += perInterior) {
      CdxNode in;
      in.leaf = false;
      for (std::size_t c = j; c < std::min(le, j + perInterior); ++c) {
        const CdxNode& child = nodes[c];
        in.keys.append(child.count() ? child.key(child.count() - 1, keyLen) : std::string(keyLen, pad));
        in.recnos.push_back(child.count() ? child.recnos.back() : 0);
        in.children.push_back(pageOf(c));
      }
      nodes.push_back(std::move(in));
    }
    levels.emplace_back(le, nodes.size());
  }
  for (auto [lb, le] : levels)
    for (std::size_t j = lb; j < le; ++j) {
      nodes[j].left = j > lb ? pageOf(j - 1) : kCdxNone;
      nodes[j].right = j + 1 < le ? pageOf(j + 1) : kCdxNone;
    }
  nodes.back().root = true;
  std::uint32_t root = pageOf(nodes.size() - 1);

  std::string out;
  out.reserve(kFirstPage + nodes.size() * kCdxPage);
  out += header(1024, 10, 0xE0, "");
  CdxNode dir;
  dir.root = true;
  std::string base = path.substr(path.find_last_of('/') + 1);
  base = rt::text::upper(base.substr(0, base.find('.')));
  dir.keys = rt::text::padr(base, 10);
  dir.recnos.push_back(kTagHeader);
  std::string page;
  encodeCdxNode(dir, 10, ' ', page);
  out += page;
  out += header(root, keyLen, 0x60, expression);
  for (const CdxNode& nd : nodes) {
    if (!encodeCdxNode(nd, keyLen, pad, page)) return {Error::kCorrupt, path + ": page overflow while building"};
    out += page;
  }
  auto tmp = ScratchFile::beside(path);
  if (!tmp) return tmp.status();
  RT_TRY(tmp->file().writeAt(0, out));
  RT_TRY(tmp->file().sync());
  RT_TRY(tmp->renameOver(path));
  return syncDirectoryOf(path);
}

}  // namespace rt::db

// Reading a CDX index: down the tree to a key, and along the leaf chain.
#include <algorithm>
#include <cstring>

#include "rt/db/cdx.h"
#include "rt/db/cdx_internal.h"

namespace rt::db {

using cdx::compareEntry;
using cdx::kMaxDepth;

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

}  // namespace rt::db

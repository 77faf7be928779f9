// Changing a CDX index in place: a key added (splitting the pages it overfills, up to a new
// root) or removed (giving back the pages it empties), each parent keeping the last entry of
// each child.
#include <algorithm>
#include <cstring>
#include <utility>

#include "rt/db/cdx.h"
#include "rt/db/cdx_internal.h"

namespace rt::db {

using cdx::compareEntry;

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

}  // namespace rt::db

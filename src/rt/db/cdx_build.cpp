// A whole CDX index written at once from its entries: sorted, packed into full leaves with the
// interior levels above them, and the file image written beside the index and renamed over it.
#include <algorithm>
#include <cstring>

#include "rt/db/cdx.h"
#include "rt/db/cdx_internal.h"
#include "rt/text/strings.h"

namespace rt::db {

using cdx::tagHeader;

namespace {

// Node j of a build goes to page kFirstPage + 512 j.
std::uint32_t pageOf(std::size_t j) {
  return static_cast<std::uint32_t>(CdxIndex::kFirstPage + j * kCdxPage);
}

// The entries' order by key, then record number. Sorting on the first 8 key bytes as one
// big-endian number keeps most comparisons in the sort array itself; ties go to the rest of
// the key, then the record number.
std::vector<std::uint32_t> sortedOrder(const KeyList& entries, std::size_t keyLen) {
  const std::size_t n = entries.size();
  const char* keys = entries.keys.data();
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
  return order;
}

// The leaves in `order`, each filled as far as it goes (one empty leaf for no entries).
std::vector<CdxNode> packLeaves(const KeyList& entries, const std::vector<std::uint32_t>& order,
                                std::size_t keyLen, char pad) {
  const std::size_t n = entries.size();
  const char* keys = entries.keys.data();
  std::uint32_t maxRec = 0;
  for (auto r : entries.recnos) maxRec = std::max(maxRec, r);
  const std::size_t bytes = static_cast<std::size_t>(leafLayout(keyLen, maxRec).bytes);
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
  return nodes;
}

// Adds interior levels above the leaves until one page holds a level, links each level's
// pages as siblings and marks the root, the last node; returns the root's page.
std::uint32_t addInteriorLevels(std::vector<CdxNode>& nodes, std::size_t keyLen, char pad) {
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
  return pageOf(nodes.size() - 1);
}

// The whole file: the tag directory (its header and its one leaf naming the tag after the
// file), the tag header and the tree's pages.
Result<std::string> fileImage(const std::string& path, std::string_view expression, std::size_t keyLen,
                              char pad, const std::vector<CdxNode>& nodes, std::uint32_t root) {
  std::string out;
  out.reserve(CdxIndex::kFirstPage + nodes.size() * kCdxPage);
  out += tagHeader(1024, 10, 0xE0, "");
  CdxNode dir;
  dir.root = true;
  std::string base = path.substr(path.find_last_of('/') + 1);
  base = rt::text::upper(base.substr(0, base.find('.')));
  dir.keys = rt::text::padr(base, 10);
  dir.recnos.push_back(CdxIndex::kTagHeader);
  std::string page;
  encodeCdxNode(dir, 10, ' ', page);
  out += page;
  out += tagHeader(root, keyLen, 0x60, expression);
  for (const CdxNode& nd : nodes) {
    if (!encodeCdxNode(nd, keyLen, pad, page))
      return Status(Error::kCorrupt, path + ": page overflow while building");
    out += page;
  }
  return out;
}

}  // namespace

Status CdxIndex::build(const std::string& path, std::string_view expression, std::size_t keyLen, char pad,
                       KeyList& entries) {
  std::vector<CdxNode> nodes = packLeaves(entries, sortedOrder(entries, keyLen), keyLen, pad);
  const std::uint32_t root = addInteriorLevels(nodes, keyLen, pad);
  Result<std::string> out = fileImage(path, expression, keyLen, pad, nodes, root);
  if (!out) return out.status();
  auto tmp = ScratchFile::beside(path);
  if (!tmp) return tmp.status();
  RT_TRY(tmp->file().writeAt(0, *out));
  RT_TRY(tmp->file().sync());
  RT_TRY(tmp->renameOver(path));
  return syncDirectoryOf(path);
}

}  // namespace rt::db

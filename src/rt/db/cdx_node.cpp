#include "rt/db/cdx_node.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "rt/db/bytes.h"

namespace rt::db {
namespace {

using bytes::be32;
using bytes::le16;
using bytes::le32;
using bytes::putLe;
using bytes::putBe32;
// A page may claim bit counts that add up to 64; shifting a 64-bit value that far is
// undefined, and such a field simply has no bits left.
std::uint64_t shiftDown(std::uint64_t v, int bits) { return bits >= 64 ? 0 : v >> bits; }
int bitsFor(std::uint64_t n) {
  int b = 0;
  while ((std::uint64_t{1} << b) - 1 < n) ++b;
  return b;
}
// Both run for every key of a page each time it is written, so they compare eight bytes at
// a time (keys are mostly padding and shared prefixes).
std::uint64_t word(const char* p) {
  std::uint64_t w;
  std::memcpy(&w, p, sizeof w);
  return w;
}
std::size_t trailCount(std::string_view key, char pad) {
  const std::uint64_t pads = 0x0101010101010101ULL * static_cast<std::uint8_t>(pad);
  std::size_t t = 0;
  while (t + 8 <= key.size() && word(key.data() + key.size() - t - 8) == pads) t += 8;
  while (t < key.size() && key[key.size() - 1 - t] == pad) ++t;
  return t;
}
std::size_t commonPrefix(std::string_view a, std::string_view b) {
  std::size_t n = std::min(a.size(), b.size()), i = 0;
  while (i + 8 <= n) {
    std::uint64_t diff = word(a.data() + i) ^ word(b.data() + i);
    if (diff != 0) {
      if constexpr (std::endian::native == std::endian::little) return i + static_cast<std::size_t>(std::countr_zero(diff)) / 8;
      break;
    }
    i += 8;
  }
  while (i < n && a[i] == b[i]) ++i;
  return i;
}

}  // namespace

LeafLayout leafLayout(std::size_t keyLen, std::uint32_t maxRecno) {
  LeafLayout l{};
  l.dupBits = l.trailBits = bitsFor(keyLen);
  int need = std::max(bitsFor(maxRecno), 8) + l.dupBits + l.trailBits;
  l.bytes = std::max(3, (need + 7) / 8);
  l.recBits = std::min(32, l.bytes * 8 - l.dupBits - l.trailBits);
  return l;
}

std::size_t leafKeyCost(std::string_view key, std::string_view prev, char pad) {
  std::size_t trail = trailCount(key, pad);
  std::size_t dup = std::min(commonPrefix(key, prev), key.size() - trail);
  return key.size() - trail - dup;
}

Result<CdxNode> decodeCdxNode(std::string_view page, std::size_t keyLen, char pad) {
  if (page.size() != kCdxPage || keyLen == 0 || keyLen > 240) return Status(Error::kCorrupt, "index page");
  CdxNode n;
  std::uint32_t attr = le16(page, 0);
  std::size_t count = le16(page, 2);
  n.left = le32(page, 4);
  n.right = le32(page, 8);
  n.root = (attr & 1) != 0;
  n.leaf = (attr & 2) != 0;
  if (attr > 3) return Status(Error::kCorrupt, "index node type");
  n.keys.reserve(count * keyLen);
  n.recnos.reserve(count);
  if (!n.leaf) {
    if (count * (keyLen + 8) > kInteriorSpace) return Status(Error::kCorrupt, "index node key count");
    n.children.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
      std::size_t at = 12 + i * (keyLen + 8);
      n.keys.append(page.substr(at, keyLen));
      n.recnos.push_back(be32(page, at + keyLen));
      n.children.push_back(be32(page, at + keyLen + 4));
    }
    return n;
  }
  std::uint32_t recMask = le32(page, 14);
  std::uint32_t dupMask = static_cast<std::uint8_t>(page[18]);
  std::uint32_t trailMask = static_cast<std::uint8_t>(page[19]);
  int recBits = static_cast<std::uint8_t>(page[20]);
  int dupBits = static_cast<std::uint8_t>(page[21]);
  int bytes = static_cast<std::uint8_t>(page[23]);
  if (bytes < 1 || bytes > 8 || recBits > 32 || recBits + dupBits + static_cast<std::uint8_t>(page[22]) > bytes * 8 ||
      24 + count * static_cast<std::size_t>(bytes) > kCdxPage)
    return Status(Error::kCorrupt, "index leaf layout");
  std::size_t keyEnd = kCdxPage;
  std::string prev(keyLen, pad);
  std::string key(keyLen, pad);
  std::size_t infoEnd = 24 + count * static_cast<std::size_t>(bytes);
  for (std::size_t i = 0; i < count; ++i) {
    std::uint64_t v = 0;
    std::size_t at = 24 + i * static_cast<std::size_t>(bytes);
    for (int b = bytes - 1; b >= 0; --b) v = v << 8 | static_cast<std::uint8_t>(page[at + static_cast<std::size_t>(b)]);
    std::uint32_t rec = static_cast<std::uint32_t>(v) & recMask;
    std::size_t dup = shiftDown(v, recBits) & dupMask;
    std::size_t trail = shiftDown(v, recBits + dupBits) & trailMask;
    if (dup + trail > keyLen) return Status(Error::kCorrupt, "index leaf key sizes");
    std::size_t stored = keyLen - dup - trail;
    if (keyEnd < infoEnd + stored) return Status(Error::kCorrupt, "index leaf overlaps");
    keyEnd -= stored;
    std::memcpy(key.data(), prev.data(), dup);
    std::memcpy(key.data() + dup, page.data() + keyEnd, stored);
    std::memset(key.data() + dup + stored, pad, trail);
    // Entries ascend strictly by key, then record number; a page that says otherwise is
    // damaged, and refusing it here is what keeps walks along the leaf chain finite.
    if (i > 0) {
      int c = std::memcmp(key.data(), prev.data(), keyLen);
      if (c < 0 || (c == 0 && rec <= n.recnos.back())) return Status(Error::kCorrupt, "index leaf out of order");
    }
    n.keys += key;
    n.recnos.push_back(rec);
    prev = key;
  }
  return n;
}

bool encodeCdxNode(const CdxNode& n, std::size_t keyLen, char pad, std::string& page) {
  page.assign(kCdxPage, '\0');
  std::size_t count = n.count();
  putLe(page, 0, (n.root ? 1u : 0u) | (n.leaf ? 2u : 0u), 2);
  putLe(page, 2, count, 2);
  putLe(page, 4, n.left, 4);
  putLe(page, 8, n.right, 4);
  if (!n.leaf) {
    if (count * (keyLen + 8) > kInteriorSpace) return false;
    for (std::size_t i = 0; i < count; ++i) {
      std::size_t at = 12 + i * (keyLen + 8);
      std::memcpy(page.data() + at, n.keys.data() + i * keyLen, keyLen);
      putBe32(page, at + keyLen, n.recnos[i]);
      putBe32(page, at + keyLen + 4, n.children[i]);
    }
    return true;
  }
  std::uint32_t maxRec = 0;
  for (auto r : n.recnos) maxRec = std::max(maxRec, r);
  LeafLayout l = leafLayout(keyLen, maxRec);
  std::size_t infoEnd = 24 + count * static_cast<std::size_t>(l.bytes);
  if (infoEnd > kCdxPage) return false;
  std::size_t keyEnd = kCdxPage;
  std::string_view prev;
  for (std::size_t i = 0; i < count; ++i) {
    std::string_view key = n.key(i, keyLen);
    std::size_t trail = trailCount(key, pad);
    std::size_t dup = i == 0 ? 0 : std::min(commonPrefix(key, prev), keyLen - trail);
    std::size_t stored = keyLen - dup - trail;
    if (keyEnd < infoEnd + stored) return false;
    keyEnd -= stored;
    std::memcpy(page.data() + keyEnd, key.data() + dup, stored);
    std::uint64_t v = n.recnos[i] | static_cast<std::uint64_t>(dup) << l.recBits |
                      static_cast<std::uint64_t>(trail) << (l.recBits + l.dupBits);
    putLe(page, 24 + i * static_cast<std::size_t>(l.bytes), v, l.bytes);
    prev = key;
  }
  putLe(page, 12, keyEnd - infoEnd, 2);
  putLe(page, 14, l.recBits >= 32 ? 0xFFFFFFFFu : (1u << l.recBits) - 1, 4);
  page[18] = static_cast<char>((1u << l.dupBits) - 1);
  page[19] = static_cast<char>((1u << l.trailBits) - 1);
  page[20] = static_cast<char>(l.recBits);
  page[21] = static_cast<char>(l.dupBits);
  page[22] = static_cast<char>(l.trailBits);
  page[23] = static_cast<char>(l.bytes);
  return true;
}

}  // namespace rt::db

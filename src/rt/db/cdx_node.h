// One 512-byte page of a CDX file in the compact format: an interior node (full keys with
// big-endian record numbers and child pointers) or a leaf (record number, duplicate count and
// trailing count bit-packed per key, key bytes packed from the end of the page with the prefix
// shared with the previous key and the trailing pad bytes left out).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rt/base/result.h"

namespace rt::db {

constexpr std::size_t kCdxPage = 512;
constexpr std::uint32_t kCdxNone = 0xFFFFFFFFu;

struct CdxNode {
  bool leaf = true;
  bool root = false;
  std::uint32_t left = kCdxNone;
  std::uint32_t right = kCdxNone;
  std::string keys;  // count x keyLen bytes, full keys
  std::vector<std::uint32_t> recnos;
  std::vector<std::uint32_t> children;  // interior nodes only
  bool dirty = false;                   // changed in memory, not yet written
  // Leaves: bytes the keys take once compressed, and a bound on the record numbers, kept up
  // to date by the index so that "does it still fit" needs no pass over the keys.
  bool sized = false;
  std::size_t keyBytes = 0;
  std::uint32_t maxRecno = 0;

  std::size_t count() const { return recnos.size(); }
  std::string_view key(std::size_t i, std::size_t keyLen) const {
    return std::string_view(keys).substr(i * keyLen, keyLen);
  }
};

// `pad` is the byte trailing counts stand for: a blank for text keys, NUL for numbers and dates.
Result<CdxNode> decodeCdxNode(std::string_view page, std::size_t keyLen, char pad);
// Fills `page` (512 bytes); false when the keys do not fit one page.
bool encodeCdxNode(const CdxNode& node, std::size_t keyLen, char pad, std::string& page);
// How many bytes per leaf entry a node with record numbers up to maxRecno uses, and the bit
// counts, as the leaf header stores them.
struct LeafLayout {
  int recBits, dupBits, trailBits, bytes;
};
LeafLayout leafLayout(std::size_t keyLen, std::uint32_t maxRecno);
// Stored bytes of a key after dropping `dup` shared leading bytes and its trailing pad bytes.
std::size_t leafKeyCost(std::string_view key, std::string_view prev, char pad);
constexpr std::size_t kLeafSpace = kCdxPage - 24;
constexpr std::size_t kInteriorSpace = kCdxPage - 12;

}  // namespace rt::db

// What the parts of CdxIndex (cdx*.cpp) share and nothing else needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace rt::db::cdx {

// Our flag byte inside the reserved part of the tag header: the file on disk is behind.
constexpr std::size_t kDirtyFlag = 16;
// No walk from the root goes deeper: a deeper tree is a loop of page pointers.
constexpr int kMaxDepth = 64;

// Compares an entry (key, recno) with a target: by key bytes, then by record number.
inline int compareEntry(std::string_view k, std::uint32_t r, std::string_view key, std::uint32_t recno) {
  int c = std::memcmp(k.data(), key.data(), k.size());
  if (c != 0) return c;
  return r < recno ? -1 : r > recno ? 1 : 0;
}

// A tag header (1024 bytes) as CdxIndex::open reads it; with options 0xE0 and no expression,
// the tag directory's header.
std::string tagHeader(std::uint32_t root, std::size_t keyLen, std::uint8_t options,
                      std::string_view expression);

}  // namespace rt::db::cdx

// Integers as the file formats store them: DBF, DBT and CDX keep little-endian counts and
// pointers, and CDX keeps its record numbers in interior nodes big-endian. One set of readers
// and writers for every file of the engine.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace rt::db::bytes {

inline std::uint32_t le16(std::string_view p, std::size_t at) {
  return static_cast<std::uint32_t>(static_cast<std::uint8_t>(p[at])) |
         static_cast<std::uint32_t>(static_cast<std::uint8_t>(p[at + 1])) << 8;
}

inline std::uint32_t le32(std::string_view p, std::size_t at) { return le16(p, at) | le16(p, at + 2) << 16; }

inline std::uint32_t be32(std::string_view p, std::size_t at) {
  std::uint32_t v = 0;
  for (std::size_t i = 0; i < 4; ++i) v = v << 8 | static_cast<std::uint8_t>(p[at + i]);
  return v;
}

// The low `count` bytes of v, least significant first.
inline void putLe(std::string& p, std::size_t at, std::uint64_t v, int count) {
  for (int i = 0; i < count; ++i) p[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

inline void putBe32(std::string& p, std::size_t at, std::uint32_t v) {
  for (std::size_t i = 0; i < 4; ++i) p[at + i] = static_cast<char>((v >> (8 * (3 - i))) & 0xFF);
}

}  // namespace rt::db::bytes

#include "rt/text/cp860.h"

namespace rt::text {
namespace {

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// CP1252 0x80-0x9F; the rest of its upper half is Latin-1. Unassigned bytes map to U+FFFD.
constexpr char16_t kCp1252Low[32] = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

// One table of UTF-8 glyphs for all 256 bytes, built once.
struct GlyphTable {
  std::string glyph[256];
  GlyphTable() {
    for (int b = 0; b < 256; ++b) appendUtf8(glyph[b], cp860::toCodepoint(static_cast<unsigned char>(b)));
  }
};

// Reverse map, code point -> byte, for the BMP part CP860 uses.
struct ReverseTable {
  unsigned char byteOf[0x10000]{};
  bool has[0x10000]{};
  ReverseTable() {
    for (int b = 0; b < 256; ++b) {
      char16_t cp = cp860::toCodepoint(static_cast<unsigned char>(b));
      byteOf[cp] = static_cast<unsigned char>(b);
      has[cp] = true;
    }
  }
};

const GlyphTable& glyphs() {
  static const GlyphTable table;
  return table;
}

const ReverseTable& reverse() {
  static const ReverseTable table;
  return table;
}

char toCp860(char32_t cp, char replacement) {
  if (cp < 0x10000 && reverse().has[cp]) return static_cast<char>(reverse().byteOf[cp]);
  return replacement;
}

}  // namespace

std::string cp860ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (char c : text) out += glyphs().glyph[static_cast<unsigned char>(c)];
  return out;
}

std::string_view cp860GlyphUtf8(unsigned char byte) { return glyphs().glyph[byte]; }

std::string utf8ToCp860(std::string_view text, char replacement) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    auto cp = cp860::decodeUtf8(text, pos);
    out += cp ? toCp860(*cp, replacement) : replacement;
  }
  return out;
}

std::string cp1252ToCp860(std::string_view text, char replacement) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    auto b = static_cast<unsigned char>(c);
    char32_t cp = b < 0x80 ? b : b < 0xA0 ? kCp1252Low[b - 0x80] : b;
    out += toCp860(cp, replacement);
  }
  return out;
}

}  // namespace rt::text

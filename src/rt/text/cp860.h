// The console code page, CP860 (Portuguese DOS). Every string the system handles is CP860
// bytes, one byte a character; conversions happen only at the edges: UTF-8 at the terminal
// and in UTF-8 outputs, CP1252 for files made under Windows.
//
// Source files are UTF-8, so a literal with accents or box-drawing characters is written
//   "ATENÇÃO"_cp   or   "┌─┐"_cp
// and converted to CP860 while compiling; a character that CP860 lacks does not compile.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace rt::text {

namespace cp860 {

// Unicode code points of the bytes 0x80 to 0xFF. Bytes below 0x80 are ASCII.
inline constexpr std::array<char16_t, 128> kHigh = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E3, 0x00E0, 0x00C1, 0x00E7,  // 80
    0x00EA, 0x00CA, 0x00E8, 0x00CD, 0x00D4, 0x00EC, 0x00C3, 0x00C2,  // 88
    0x00C9, 0x00C0, 0x00C8, 0x00F4, 0x00F5, 0x00F2, 0x00DA, 0x00F9,  // 90
    0x00CC, 0x00D5, 0x00DC, 0x00A2, 0x00A3, 0x00D9, 0x20A7, 0x00D3,  // 98
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,  // A0
    0x00BF, 0x00D2, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,  // A8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,  // B0
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,  // B8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,  // C0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,  // C8
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,  // D0
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,  // D8
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,  // E0
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,  // E8
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,  // F0
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,  // F8
};

constexpr char16_t toCodepoint(unsigned char byte) { return byte < 0x80 ? byte : kHigh[byte - 0x80]; }

// The CP860 byte of a code point, if CP860 has it.
constexpr std::optional<unsigned char> fromCodepoint(char32_t cp) {
  if (cp < 0x80) return static_cast<unsigned char>(cp);
  for (std::size_t i = 0; i < kHigh.size(); ++i)
    if (kHigh[i] == cp) return static_cast<unsigned char>(0x80 + i);
  return std::nullopt;
}

// Decodes one UTF-8 sequence at text[pos]; advances pos. Returns nullopt on a malformed
// sequence (pos then moves past one byte). Overlong forms (C0 AF for "/"), surrogates and
// code points beyond U+10FFFF are malformed: accepting them would let one character hide
// behind another's bytes.
constexpr std::optional<char32_t> decodeUtf8(std::string_view text, std::size_t& pos) {
  const std::size_t start = pos;
  auto b0 = static_cast<unsigned char>(text[pos++]);
  if (b0 < 0x80) return b0;
  int extra = b0 >= 0xF8 ? -1 : b0 >= 0xF0 ? 3 : b0 >= 0xE0 ? 2 : b0 >= 0xC0 ? 1 : -1;
  if (extra < 0 || pos + static_cast<std::size_t>(extra) > text.size()) return std::nullopt;
  char32_t cp = b0 & (0x3F >> extra);
  for (int i = 0; i < extra; ++i) {
    auto b = static_cast<unsigned char>(text[pos + static_cast<std::size_t>(i)]);
    if ((b & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (b & 0x3F);
  }
  constexpr char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kLeast[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    pos = start + 1;
    return std::nullopt;
  }
  pos += static_cast<std::size_t>(extra);
  return cp;
}

template <std::size_t N>
struct Utf8Source {
  char text[N]{};
  consteval Utf8Source(const char (&s)[N]) {  // NOLINT: implicit by design
    for (std::size_t i = 0; i < N; ++i) text[i] = s[i];
  }
};

template <std::size_t N>
struct Converted {
  char bytes[N]{};
  std::size_t size = 0;
};

template <Utf8Source S>
consteval auto convertLiteral() {
  constexpr std::size_t n = sizeof(S.text);
  Converted<n> out;
  std::string_view in(S.text, n - 1);
  std::size_t pos = 0;
  while (pos < in.size()) {
    auto cp = decodeUtf8(in, pos);
    if (!cp) throw "malformed UTF-8 in a _cp literal";
    auto byte = fromCodepoint(*cp);
    if (!byte) throw "a character of this _cp literal has no CP860 form";
    out.bytes[out.size++] = static_cast<char>(*byte);
  }
  return out;
}

template <Utf8Source S>
inline constexpr auto kLiteral = convertLiteral<S>();

}  // namespace cp860

inline namespace literals {
template <cp860::Utf8Source S>
constexpr std::string_view operator""_cp() {
  return {cp860::kLiteral<S>.bytes, cp860::kLiteral<S>.size};
}
}  // namespace literals

// CP860 bytes to UTF-8. Control bytes stay as they are.
std::string cp860ToUtf8(std::string_view cp860Text);
// UTF-8 to CP860; a character CP860 lacks, or a malformed sequence, becomes `replacement`.
std::string utf8ToCp860(std::string_view utf8Text, char replacement = '?');
// Windows CP1252 to CP860 through Unicode; a character CP860 lacks becomes `replacement`.
std::string cp1252ToCp860(std::string_view cp1252Text, char replacement = '?');
// The UTF-8 form of one CP860 byte, as shown on the terminal.
std::string_view cp860GlyphUtf8(unsigned char byte);

}  // namespace rt::text

#include "rt/text/cp860.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

using namespace rt::text;

namespace {

// glibc's CP860 table, one byte at a time.
class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Iconv() {
    if (ok()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }  // NOLINT: iconv's own error value

  // The converted text, or "" when iconv refuses it.
  std::string convert(std::string in) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char out[64];
    char* inPtr = in.data();
    std::size_t inLeft = in.size();
    char* outPtr = out;
    std::size_t outLeft = sizeof out;
    if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) return {};
    return std::string(out, static_cast<std::size_t>(outPtr - out));
  }

 private:
  iconv_t cd_;
};

TEST(Cp860, TableMatchesIconvForEveryByte) {
  Iconv toUtf8("UTF-8", "CP860");
  ASSERT_TRUE(toUtf8.ok()) << "glibc lacks CP860";
  for (int b = 0x80; b <= 0xFF; ++b) {
    std::string byte(1, static_cast<char>(b));
    std::string expected = toUtf8.convert(byte);
    ASSERT_FALSE(expected.empty()) << std::hex << b;
    EXPECT_EQ(cp860ToUtf8(byte), expected) << std::hex << b;
    EXPECT_EQ(cp860GlyphUtf8(static_cast<unsigned char>(b)), expected) << std::hex << b;
    std::size_t pos = 0;
    auto cp = cp860::decodeUtf8(expected, pos);
    ASSERT_TRUE(cp);
    EXPECT_EQ(cp860::toCodepoint(static_cast<unsigned char>(b)), *cp) << std::hex << b;
  }
}

// The literal converter gives what iconv gives for the same UTF-8 text.
void expectLikeIconv(std::string_view converted, const char* utf8) {
  Iconv toCp860("CP860", "UTF-8");
  ASSERT_TRUE(toCp860.ok());
  EXPECT_EQ(std::string(converted), toCp860.convert(utf8)) << utf8;
}

TEST(Cp860, LiteralConverterMatchesIconv) {
  expectLikeIconv("áàâãéêíóôõúüç"_cp, "áàâãéêíóôõúüç");
  expectLikeIconv("ÁÀÂÃÉÊÍÓÔÕÚÜÇ"_cp, "ÁÀÂÃÉÊÍÓÔÕÚÜÇ");
  expectLikeIconv("┌─┐│┘└═┴░■"_cp, "┌─┐│┘└═┴░■");
  expectLikeIconv("«»"_cp, "«»");
  expectLikeIconv("ATENÇÃO: Declaração"_cp, "ATENÇÃO: Declaração");
}

TEST(Cp860, LiteralBytesAreTheCodePageBytes) {
  EXPECT_EQ("«»"_cp, "\xAE\xAF");
  EXPECT_EQ("■"_cp, "\xFE");
  EXPECT_EQ("ç"_cp, "\x87");
  EXPECT_EQ("Ç"_cp, "\x80");
  EXPECT_EQ("┌─┐"_cp, "\xDA\xC4\xBF");
  EXPECT_EQ("abc"_cp, "abc");
  EXPECT_EQ(""_cp.size(), 0u);
}

TEST(Cp860, RoundTripsThroughUtf8) {
  std::string all;
  for (int b = 0x20; b <= 0xFF; ++b)
    if (b != 0x7F) all += static_cast<char>(b);
  EXPECT_EQ(utf8ToCp860(cp860ToUtf8(all)), all);
  EXPECT_EQ(cp860ToUtf8("Imposto a Restituir ┌─┐"_cp), "Imposto a Restituir ┌─┐");
  EXPECT_EQ(utf8ToCp860("São Paulo"), "São Paulo"_cp);
}

TEST(Cp860, MissingCharactersBecomeTheReplacement) {
  EXPECT_EQ(utf8ToCp860("€ ok"), "? ok");
  EXPECT_EQ(utf8ToCp860("x\xFFy"), "x?y");  // malformed UTF-8
  EXPECT_EQ(utf8ToCp860("Ŵ", '#'), "#");
  EXPECT_EQ(utf8ToCp860("\xE2\x94"), "??");  // cut short: each stray byte is replaced
  // Overlong forms never become the character they spell, nor do surrogates or code points
  // beyond Unicode.
  EXPECT_EQ(utf8ToCp860("a\xC0\xAF"), "a??");
  EXPECT_EQ(utf8ToCp860("\xE0\x80\xAF"), "???");
  EXPECT_EQ(utf8ToCp860("\xF0\x80\x80\xAF"), "????");
  EXPECT_EQ(utf8ToCp860("\xED\xA0\x80"), "???");
  EXPECT_EQ(utf8ToCp860("\xF4\x90\x80\x80"), "????");
  EXPECT_EQ(utf8ToCp860("\xC3\xA7\xF0\x9F\x98\x80"), "\x87?");  // ç, then an emoji we cannot show
}

TEST(Cp860, FromWindowsCp1252) {
  // "ÁÉÍÓÚáéíóúçÇãõ" in CP1252.
  const std::string cp1252 = "\xC1\xC9\xCD\xD3\xDA\xE1\xE9\xED\xF3\xFA\xE7\xC7\xE3\xF5";
  EXPECT_EQ(cp1252ToCp860(cp1252), "ÁÉÍÓÚáéíóúçÇãõ"_cp);
  Iconv check("CP860", "CP1252");
  ASSERT_TRUE(check.ok());
  EXPECT_EQ(cp1252ToCp860(cp1252), check.convert(cp1252));
  EXPECT_EQ(cp1252ToCp860("\x80 e \xC5"), "? e ?");  // euro sign and Å: CP860 has neither
  EXPECT_EQ(cp1252ToCp860("plain"), "plain");
}

}  // namespace

#include "rt/fs/names.h"

#include <filesystem>

#include "rt/text/cp860.h"

namespace rt::fs {

std::string diskName(std::string_view typedName) {
  return rt::text::cp860ToUtf8(typedName);
}

std::string shownName(std::string_view diskName) {
  return rt::text::utf8ToCp860(diskName);
}

bool roundTrips(std::string_view disk) {
  return diskName(shownName(disk)) == disk;
}

bool isPlainNameChar(char typed) {
  const auto b = static_cast<unsigned char>(typed);
  if (b < 0x80)
    return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '_' || b == '-';
  // The Latin letters of the code page: À..ÿ without × and ÷.
  const char16_t cp = rt::text::cp860::toCodepoint(b);
  return cp >= 0xC0 && cp <= 0xFF && cp != 0xD7 && cp != 0xF7;
}

namespace {

// A console name with its letters in capitals, accented ones too (ó and Ó are one letter to
// the clerk, whatever the file system keeps), for comparing names only.
std::u16string emMaiusculas(std::string_view consoleName) {
  std::u16string r;
  for (const char c : consoleName) {
    char16_t cp = rt::text::cp860::toCodepoint(static_cast<unsigned char>(c));
    if ((cp >= u'a' && cp <= u'z') || (cp >= 0xE0 && cp <= 0xFE && cp != 0xF7)) cp = static_cast<char16_t>(cp - 0x20);
    r += cp;
  }
  return r;
}

}  // namespace

std::optional<std::string> findTyped(const std::string& folder, std::string_view typedName) {
  const std::u16string procurado = emMaiusculas(typedName);
  std::optional<std::string> achado;
  std::error_code ec;
  for (const auto& e : std::filesystem::directory_iterator(folder.empty() ? "." : folder, ec)) {
    const std::string n = e.path().filename().string();
    if (roundTrips(n) && emMaiusculas(shownName(n)) == procurado && (!achado || n < *achado)) achado = n;
  }
  return achado;
}

}  // namespace rt::fs

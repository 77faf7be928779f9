// A fresh scratch folder for a test: under TAVREN_TEST_TMP (set by CTest, in memory where the
// machine allows) or /tmp, named prefix + six random characters.
#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace support {

inline std::string makeScratchDir(std::string_view prefix) {
  const char* base = std::getenv("TAVREN_TEST_TMP");
  std::filesystem::path root = base != nullptr && base[0] != '\0' ? base : "/tmp";
  std::filesystem::create_directories(root);
  std::string pattern = (root / (std::string(prefix) + "XXXXXX")).string();
  if (mkdtemp(pattern.data()) == nullptr) return {};
  return pattern;
}

inline void removeScratchDir(const std::string& path) {
  std::error_code ec;
  if (!path.empty()) std::filesystem::remove_all(path, ec);
}

}  // namespace support

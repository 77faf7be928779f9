// A fresh scratch folder for a test: under TAVREN_TEST_TMP (set by CTest, in memory where the
// machine allows) or /tmp, named prefix + six random characters.
#pragma once

#include <stdlib.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

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

// A scratch folder that lives as long as the object, removed with everything in it. The prefix
// names the tests that made it; every prefix of the fixtures has five letters or fewer, as
// folder names are kept in 40-character fields.
class Pasta {
 public:
  explicit Pasta(std::string_view prefixo = "store") : caminho_(makeScratchDir(prefixo)) {}
  ~Pasta() { removeScratchDir(caminho_); }
  Pasta(const Pasta&) = delete;
  Pasta& operator=(const Pasta&) = delete;
  const std::string& caminho() const { return caminho_; }
  std::string operator/(std::string_view nome) const { return caminho_ + "/" + std::string(nome); }
  // The file names in the folder, sorted.
  std::vector<std::string> arquivos() const {
    std::vector<std::string> v;
    for (const auto& e : std::filesystem::directory_iterator(caminho_)) v.push_back(e.path().filename().string());
    std::sort(v.begin(), v.end());
    return v;
  }

 private:
  std::string caminho_;
};

}  // namespace support

// A fresh folder per test under TAVREN_TEST_TMP (or /tmp), removed at the end, and small
// helpers to make and read files in it.
#pragma once

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include "support/scratch_dir.h"

namespace platform_test {

class Scratch {
 public:
  Scratch() {
    path_ = support::makeScratchDir("platform");
    if (path_.empty()) ADD_FAILURE() << "mkdtemp failed";
  }
  ~Scratch() { support::removeScratchDir(path_); }
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;

  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

inline void writeFile(const std::string& path, const std::string& data) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << data;
}

inline std::string readFile(const std::string& path) {
  std::error_code ec;
  auto size = std::filesystem::file_size(path, ec);
  if (ec) return {};
  std::string data(static_cast<std::size_t>(size), '\0');
  std::ifstream in(path, std::ios::binary);
  in.read(data.data(), static_cast<std::streamsize>(data.size()));
  return data;
}

inline bool exists(const std::string& path) {
  struct stat st {};
  return lstat(path.c_str(), &st) == 0;
}

}  // namespace platform_test

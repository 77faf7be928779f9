// Scratch folders and file helpers of the printing tests.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "support/scratch_dir.h"

namespace print_test {

class Pasta {
 public:
  Pasta() : path_(support::makeScratchDir("print")) {
    if (path_.empty()) ADD_FAILURE() << "mkdtemp failed";
  }
  ~Pasta() { support::removeScratchDir(path_); }
  Pasta(const Pasta&) = delete;
  Pasta& operator=(const Pasta&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& nome) const { return path_ + "/" + nome; }

 private:
  std::string path_;
};

inline void escreve(const std::string& caminho, const std::string& bytes) {
  std::ofstream out(caminho, std::ios::binary | std::ios::trunc);
  out << bytes;
}

inline std::string le(const std::string& caminho) {
  std::ifstream in(caminho, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace print_test

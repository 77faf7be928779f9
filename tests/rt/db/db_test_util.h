// Scratch folders and small fixtures shared by the table engine's tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "rt/db/table.h"
#include "support/scratch_dir.h"

namespace rt::db::testing {

class TempDir {
 public:
  TempDir() {
    path_ = support::makeScratchDir("db");
  }
  ~TempDir() { support::removeScratchDir(path_); }
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

inline std::string readAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

inline void writeAll(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

inline std::unique_ptr<Table> openOrDie(const std::string& path, bool exclusive = false, std::string alias = {}) {
  OpenOptions o;
  o.exclusive = exclusive;
  o.alias = std::move(alias);
  auto t = Table::open(path, o);
  EXPECT_TRUE(t.isOk()) << t.status().message();
  return t ? std::move(*t) : nullptr;
}

#define ASSERT_OK(expr)                                      \
  do {                                                       \
    ::rt::Status s_ = (expr);                                \
    ASSERT_TRUE(s_.isOk()) << #expr << ": " << s_.message(); \
  } while (0)
#define EXPECT_OK(expr)                                      \
  do {                                                       \
    ::rt::Status s_ = (expr);                                \
    EXPECT_TRUE(s_.isOk()) << #expr << ": " << s_.message(); \
  } while (0)

}  // namespace rt::db::testing

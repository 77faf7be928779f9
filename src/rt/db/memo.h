// DBT memo files in the dBase III layout: 512-byte blocks, block 0 holding the number of the
// next free block, each text starting at a block and ended by 1A 1A. A text is rewritten at
// the end of the file; the old blocks stay until the table's memos are packed.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "rt/base/result.h"
#include "rt/db/file.h"

namespace rt::db {

class MemoFile {
 public:
  static constexpr std::size_t kBlock = 512;
  static constexpr std::size_t kMaxText = 16 * 1024 * 1024;

  // Creates an empty memo file (written beside and renamed into place).
  static Status create(const std::string& path);
  // Block 0 of an empty memo file, into `f`.
  static Status writeEmpty(const File& f);
  // A memo file over an open descriptor (a scratch file being filled).
  static MemoFile adopt(File file, std::string path);
  static Result<MemoFile> open(const std::string& path, bool writable);

  // Block 0 (or blank) is the empty text. A block outside the file is kCorrupt.
  Result<std::string> read(std::uint32_t block) const;
  // Writes the text at the end; returns its block (0 for an empty text, which needs none).
  Result<std::uint32_t> write(std::string_view text);
  Status sync() const { return file_.sync(); }
  const std::string& path() const { return path_; }

 private:
  File file_;
  std::string path_;
};

// The pointer text of an M field ("        12") and back; garbage reads as 0. Only fields of
// this width hold our pointers (others' 4-byte binary pointers are read as none and never
// written).
constexpr int kMemoFieldWidth = 10;
std::uint32_t memoBlockFromField(std::string_view raw);
std::string memoFieldFromBlock(std::uint32_t block, int width);

}  // namespace rt::db

#include "rt/db/memo.h"

#include <algorithm>

#include "rt/db/bytes.h"
#include "rt/text/strings.h"

namespace rt::db {

Status MemoFile::writeEmpty(const File& f) {
  std::string block0(kBlock, '\0');
  block0[0] = 1;    // next free block
  block0[16] = 3;   // dBase III memo version byte
  return f.writeAt(0, block0);
}

Status MemoFile::create(const std::string& path) {
  auto f = ScratchFile::beside(path);
  if (!f) return f.status();
  RT_TRY(writeEmpty(f->file()));
  return f->renameOver(path);
}

MemoFile MemoFile::adopt(File file, std::string path) {
  MemoFile m;
  m.file_ = std::move(file);
  m.path_ = std::move(path);
  return m;
}

Result<MemoFile> MemoFile::open(const std::string& path, bool writable) {
  auto f = File::open(path, writable ? File::Mode::kReadWrite : File::Mode::kRead);
  if (!f) return f.status();
  MemoFile m;
  m.file_ = std::move(*f);
  m.path_ = path;
  return m;
}

Result<std::string> MemoFile::read(std::uint32_t block) const {
  if (block == 0) return std::string();
  auto size = file_.size();
  if (!size) return size.status();
  std::uint64_t at = static_cast<std::uint64_t>(block) * kBlock;
  if (at >= *size) return Status(Error::kCorrupt, path_ + ": memo block " + std::to_string(block) + " beyond the file");
  std::string out;
  std::string buf(kBlock, '\0');
  while (at < *size && out.size() < kMaxText) {
    auto n = file_.readAt(at, buf);
    if (!n) return n.status();
    std::string_view got(buf.data(), *n);
    // The end mark may straddle two blocks: look for it from one byte before this block.
    std::size_t from = out.empty() ? 0 : out.size() - 1;
    out.append(got);
    auto end = out.find("\x1A\x1A", from);
    if (end != std::string::npos) {
      out.resize(end);
      return out;
    }
    if (*n < kBlock) break;
    at += kBlock;
  }
  // No end mark: what is there, without a single trailing 1A.
  if (!out.empty() && out.back() == '\x1A') out.pop_back();
  if (out.size() > kMaxText) out.resize(kMaxText);
  return out;
}

Result<std::uint32_t> MemoFile::write(std::string_view text) {
  if (text.empty()) return 0u;
  if (text.size() > kMaxText) return Status(Error::kOverflow, path_ + ": memo text too long");
  auto size = file_.size();
  if (!size) return size.status();
  // A text goes at the end of the file, whatever block 0 says: a number inside the file
  // would overwrite texts in use, and one far beyond it would leave a hole of terabytes and
  // then wrap the block numbers round to 0.
  std::uint64_t endBlock = std::max<std::uint64_t>(1, (*size + kBlock - 1) / kBlock);
  std::string data(text);
  data += "\x1A\x1A";
  data.resize((data.size() + kBlock - 1) / kBlock * kBlock, '\0');
  if (endBlock + data.size() / kBlock > 0xFFFFFFFFu) return Status(Error::kOverflow, path_ + ": memo file full");
  auto next = static_cast<std::uint32_t>(endBlock);
  RT_TRY(file_.writeAt(static_cast<std::uint64_t>(next) * kBlock, data));
  std::uint32_t after = next + static_cast<std::uint32_t>(data.size() / kBlock);
  std::string h(4, '\0');
  bytes::putLe(h, 0, after, 4);
  RT_TRY(file_.writeAt(0, h));
  return next;
}

std::uint32_t memoBlockFromField(std::string_view raw) {
  std::string_view t = rt::text::alltrim(raw);
  std::uint64_t v = 0;
  for (char c : t) {
    if (c < '0' || c > '9') return 0;
    v = v * 10 + static_cast<std::uint64_t>(c - '0');
    if (v > 0xFFFFFFFFu) return 0;
  }
  return static_cast<std::uint32_t>(v);
}

std::string memoFieldFromBlock(std::uint32_t block, int width) {
  if (block == 0) return std::string(static_cast<std::size_t>(width), ' ');
  return rt::text::padl(std::to_string(block), width);
}

}  // namespace rt::db

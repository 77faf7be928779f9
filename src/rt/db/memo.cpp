#include "rt/db/memo.h"

#include "rt/text/strings.h"

namespace rt::db {

Status MemoFile::create(const std::string& path) {
  auto f = File::open(path, File::Mode::kTruncate);
  if (!f) return f.status();
  std::string block0(kBlock, '\0');
  block0[0] = 1;    // next free block
  block0[16] = 3;   // dBase III memo version byte
  return f->writeAt(0, block0);
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
  char head[4];
  RT_DB_TRY(file_.readExact(0, head));
  std::uint32_t next = 0;
  for (int i = 3; i >= 0; --i) next = next << 8 | static_cast<std::uint8_t>(head[i]);
  auto size = file_.size();
  if (!size) return size.status();
  // Never write inside what the file already holds, whatever block 0 says.
  std::uint64_t endBlock = (*size + kBlock - 1) / kBlock;
  if (next < endBlock || next == 0) next = static_cast<std::uint32_t>(endBlock);
  std::string data(text);
  data += "\x1A\x1A";
  data.resize((data.size() + kBlock - 1) / kBlock * kBlock, '\0');
  RT_DB_TRY(file_.writeAt(static_cast<std::uint64_t>(next) * kBlock, data));
  std::uint32_t after = next + static_cast<std::uint32_t>(data.size() / kBlock);
  std::string h(4, '\0');
  for (int i = 0; i < 4; ++i) h[static_cast<std::size_t>(i)] = static_cast<char>((after >> (8 * i)) & 0xFF);
  RT_DB_TRY(file_.writeAt(0, h));
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

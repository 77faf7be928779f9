// A file descriptor with its own open file description, the positioned reads and writes the
// engine uses, and the open-file-description locks (F_OFD_SETLK) that keep terminals apart.
// OFD locks belong to the description, not to the process: opening a table twice in one
// process gives two independent lock owners, and closing one never drops the other's locks.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "rt/base/result.h"

namespace rt::db {

class File {
 public:
  File() = default;
  ~File();
  File(File&& other) noexcept;
  File& operator=(File&& other) noexcept;
  File(const File&) = delete;
  File& operator=(const File&) = delete;

  enum class Mode { kRead, kReadWrite, kCreate /* new file, fails if present */, kTruncate };
  static Result<File> open(const std::string& path, Mode mode);

  bool isOpen() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  void close();

  // Reads up to out.size() bytes at offset; returns the number read (short at end of file).
  Result<std::size_t> readAt(std::uint64_t offset, std::span<char> out) const;
  // Reads exactly out.size() bytes or fails with kCorrupt (file shorter than its header says).
  Status readExact(std::uint64_t offset, std::span<char> out) const;
  Status writeAt(std::uint64_t offset, std::string_view data) const;
  Result<std::uint64_t> size() const;
  Status truncate(std::uint64_t size) const;
  // Flushes what this descriptor wrote to the disk; a descriptor that wrote nothing since its
  // last sync returns at once (a grid ending commits every open working copy, most unchanged,
  // and each fsync costs milliseconds on a shared drive).
  Status sync() const;
  // A write made through a mapping of this file, which the descriptor cannot see.
  void noteWritten() const { unsynced_ = true; }
  // Device and inode, to tell whether a path still names the file that is open.
  bool sameFileAs(const std::string& path) const;

  enum class LockKind { kShared, kExclusive };
  // Non-blocking: kLocked when another description holds a conflicting lock.
  Status tryLock(std::uint64_t start, std::uint64_t length, LockKind kind) const;
  // Blocking, for the short update lock that serialises writers.
  Status waitLock(std::uint64_t start, std::uint64_t length, LockKind kind) const;
  // Lets a lock of this description go. Nothing is returned: the only refusal would be of a
  // descriptor that is not ours, and a lock not let go here goes with the close (OFD locks
  // belong to the description), which every caller reaches.
  void unlock(std::uint64_t start, std::uint64_t length) const;
  // Whether another open file description holds a lock that would refuse this one.
  Result<bool> isLockedByOthers(std::uint64_t start, std::uint64_t length, LockKind kind) const;

 private:
  File(int fd, bool unsynced) : fd_(fd), unsynced_(unsynced) {}
  friend class ScratchFile;
  int fd_ = -1;
  mutable bool unsynced_ = false;
};

// A scratch file beside `target` (same folder, so a rename can put it in place): created with
// an unpredictable name (target + ".tmp" + six random characters) exclusively, so a link
// planted in the shared folder is never followed, with the permissions a plain create gives.
// Removed when dropped unless it was renamed into place.
class ScratchFile {
 public:
  static Result<ScratchFile> beside(const std::string& target);
  ScratchFile(ScratchFile&& other) noexcept;
  ScratchFile& operator=(ScratchFile&& other) = delete;
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  ~ScratchFile();
  File& file() { return file_; }
  const std::string& path() const { return path_; }
  // Renames the scratch file over `target` (which it then is); the descriptor stays open.
  Status renameOver(const std::string& target);

 private:
  ScratchFile(File f, std::string path) : file_(std::move(f)), path_(std::move(path)) {}
  File file_;
  std::string path_;  // empty once renamed
};

// A read-only view of a file's first bytes. Used only for tables opened exclusively, whose
// file no one else may shorten while it is mapped; our own writes show through it.
class Mapping {
 public:
  Mapping() = default;
  ~Mapping();
  Mapping(Mapping&& other) noexcept;
  Mapping& operator=(Mapping&& other) noexcept;
  Mapping(const Mapping&) = delete;
  Mapping& operator=(const Mapping&) = delete;
  // Maps the whole file as it is now; an empty file gives an empty mapping.
  static Mapping of(const File& file);
  void reset();
  std::string_view bytes() const { return {data_, size_}; }

 private:
  const char* data_ = nullptr;
  std::size_t size_ = 0;
};

// A window onto a file that several processes share, mapped for reading and writing over more
// bytes than the file holds, so that the file may grow under it. Bytes the file is known to
// hold are read and written through memory: a small write through the system call costs as
// much as the page-cache folio it lands in, many times a memory copy. Bytes beyond go through
// the descriptor, which also extends the file. Only for files that are never shortened while
// open (our tables and indexes: packs, zaps and rebuilds write new files and rename them).
class SharedView {
 public:
  SharedView() = default;
  ~SharedView();
  SharedView(SharedView&& other) noexcept;
  SharedView& operator=(SharedView&& other) noexcept;
  SharedView(const SharedView&) = delete;
  SharedView& operator=(const SharedView&) = delete;

  // Maps at least `capacity` bytes (and twice the file's size); inactive when mapping fails.
  void attach(const File& file, std::uint64_t capacity, bool writable);
  void reset();
  bool active() const { return base_ != nullptr; }
  // The first bytes, for the header fields other processes read without a system call.
  char* data() const { return base_; }
  // The file was found to hold at least `size` bytes.
  void learnSize(std::uint64_t size);
  Status write(const File& file, std::uint64_t at, std::string_view bytes);
  Status readExact(const File& file, std::uint64_t at, std::span<char> out) const;

 private:
  char* base_ = nullptr;
  std::uint64_t mapped_ = 0;
  std::uint64_t known_ = 0;  // bytes the file is known to hold (never shrinks under us)
  bool writable_ = false;
};

// Finds an existing file whose name matches `path`'s last component ignoring ASCII case, in
// the folder `path` names (which itself must exist as written). Returns the real path, or
// the path unchanged when nothing matches.
std::string resolveCaseInsensitive(const std::string& path);
bool fileExists(const std::string& path);
// The path with its last component in upper case: names the engine creates are canonical.
std::string upperCaseName(const std::string& path);
// Replaces (or adds) the extension of the last component: withExtension("a/imp01", ".CDX").
std::string withExtension(const std::string& path, std::string_view ext);
// Makes a rename durable.
Status syncDirectoryOf(const std::string& path);
// Removes a file if present (case-insensitive lookup); not an error when it is missing.
Status removeFile(const std::string& path);
// Removes a scratch file of a step that failed or is done with it. Nothing is returned: a
// scratch file that stays is read by nothing, and is replaced by the next step that makes it
// or swept at the next start.
void removeScratch(const std::string& path);

}  // namespace rt::db

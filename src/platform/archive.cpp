#include "platform/archive.h"

#include <archive.h>
#include <archive_entry.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <memory>

#include "platform/paths.h"
#include "rt/base/unique_fd.h"

namespace platform {

using rt::Error;
using rt::Result;
using rt::Status;
using rt::UniqueFd;

namespace {

constexpr std::size_t kBlock = 64 * 1024;

struct WriteCloser {
  void operator()(archive* a) const { archive_write_free(a); }
};
struct ReadCloser {
  void operator()(archive* a) const { archive_read_free(a); }
};
struct EntryFree {
  void operator()(archive_entry* e) const { archive_entry_free(e); }
};
using WriteArchive = std::unique_ptr<archive, WriteCloser>;
using ReadArchive = std::unique_ptr<archive, ReadCloser>;
using Entry = std::unique_ptr<archive_entry, EntryFree>;

std::string libError(archive* a, std::string_view what) {
  const char* msg = archive_error_string(a);
  std::string out(what);
  out += ": ";
  out += msg != nullptr ? msg : "archive error";
  return out;
}

std::string folderOf(std::string_view path) {
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string_view::npos) return ".";
  return slash == 0 ? "/" : std::string(path.substr(0, slash));
}

Result<std::uint64_t> fileSize(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return Status::fromErrno(errno, "stat " + path);
  return static_cast<std::uint64_t>(st.st_size);
}

// Adds one file to the archive, refusing a file that changes size while it is read.
Status addFile(archive* a, const std::string& path, const std::string& entryName) {
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.valid()) return Status::fromErrno(errno, "open " + path);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return Status::fromErrno(errno, "stat " + path);
  if (!S_ISREG(st.st_mode)) return {Error::kBadArgument, path + ": not a regular file"};

  Entry entry(archive_entry_new());
  archive_entry_set_pathname(entry.get(), entryName.c_str());
  archive_entry_set_filetype(entry.get(), AE_IFREG);
  archive_entry_set_perm(entry.get(), 0644);
  archive_entry_set_size(entry.get(), st.st_size);
  archive_entry_set_mtime(entry.get(), st.st_mtim.tv_sec, st.st_mtim.tv_nsec);
  if (archive_write_header(a, entry.get()) != ARCHIVE_OK) return {Error::kIo, libError(a, "archive " + path)};

  std::vector<char> buf(kBlock);
  std::uint64_t left = static_cast<std::uint64_t>(st.st_size);
  while (left > 0) {
    ssize_t n = ::read(fd.get(), buf.data(), static_cast<std::size_t>(std::min<std::uint64_t>(left, buf.size())));
    if (n < 0) {
      if (errno == EINTR) continue;
      return Status::fromErrno(errno, "read " + path);
    }
    if (n == 0) return {Error::kIo, path + ": shrank while being archived"};
    if (archive_write_data(a, buf.data(), static_cast<std::size_t>(n)) != n)
      return {Error::kIo, libError(a, "archive " + path)};
    left -= static_cast<std::uint64_t>(n);
  }
  char extra = 0;
  if (::read(fd.get(), &extra, 1) > 0) return {Error::kIo, path + ": grew while being archived"};
  if (archive_write_finish_entry(a) != ARCHIVE_OK) return {Error::kIo, libError(a, "archive " + path)};
  return {};
}

Result<ReadArchive> openForReading(const std::string& path) {
  ReadArchive a(archive_read_new());
  // The seekable reader trusts the central directory at the end of the file, so a truncated
  // archive is refused before any entry is read.
  archive_read_support_format_zip_seekable(a.get());
  if (archive_read_open_filename(a.get(), path.c_str(), kBlock) != ARCHIVE_OK)
    return Result<ReadArchive>(Error::kCorrupt, libError(a.get(), path));
  return a;
}

// Reads the current entry's data, handing it to `sink` (which may be empty to discard it), and
// checks that the number of bytes agrees with the header.
template <typename Sink>
Status readEntryData(archive* a, archive_entry* e, const std::string& archivePath, Sink&& sink) {
  std::vector<char> buf(kBlock);
  std::uint64_t total = 0;
  for (;;) {
    la_ssize_t n = archive_read_data(a, buf.data(), buf.size());
    if (n < 0) return {Error::kCorrupt, libError(a, archivePath)};
    if (n == 0) break;
    total += static_cast<std::uint64_t>(n);
    if (Status s = sink(std::string_view(buf.data(), static_cast<std::size_t>(n))); !s) return s;
  }
  if (archive_entry_size_is_set(e) && total != static_cast<std::uint64_t>(archive_entry_size(e)))
    return {Error::kCorrupt, archivePath + ": entry " + archive_entry_pathname(e) + " has the wrong size"};
  return {};
}

ArchiveEntry describe(archive_entry* e) {
  ArchiveEntry out;
  const char* name = archive_entry_pathname(e);
  out.name = name != nullptr ? name : "";
  out.size = archive_entry_size_is_set(e) ? static_cast<std::uint64_t>(archive_entry_size(e)) : 0;
  out.regular = archive_entry_filetype(e) == AE_IFREG && archive_entry_hardlink(e) == nullptr &&
                archive_entry_symlink(e) == nullptr;
  return out;
}

// Walks every entry; `visit` reads (or skips) each one's data.
template <typename Visit>
Result<ArchiveListing> walk(std::string_view archivePath, Visit&& visit) {
  std::string path(archivePath);
  Result<std::uint64_t> bytes = fileSize(path);
  if (!bytes) return bytes.status();
  Result<ReadArchive> a = openForReading(path);
  if (!a) return a.status();
  ArchiveListing listing;
  listing.archiveBytes = *bytes;
  for (;;) {
    archive_entry* e = nullptr;
    int r = archive_read_next_header(a->get(), &e);
    if (r == ARCHIVE_EOF) break;
    if (r != ARCHIVE_OK) return Result<ArchiveListing>(Error::kCorrupt, libError(a->get(), path));
    if (archive_entry_is_encrypted(e)) return Result<ArchiveListing>(Error::kCorrupt, path + ": encrypted entry");
    ArchiveEntry entry = describe(e);
    if (Status s = visit(a->get(), e, entry); !s) return s;
    listing.entries.push_back(std::move(entry));
  }
  return listing;
}

Status writeAll(int fd, std::string_view data, const std::string& path) {
  while (!data.empty()) {
    ssize_t n = ::write(fd, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return Status::fromErrno(errno, "write " + path);
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return {};
}

}  // namespace

Result<ArchiveListing> writeZip(std::string_view archivePath, std::string_view folder,
                                std::span<const std::string> names) {
  std::string target(archivePath);
  std::string targetFolder = folderOf(target);
  Result<TempFile> temp = createScratchBeside(target, 0666);
  if (!temp) return temp.status();

  {
    WriteArchive a(archive_write_new());
    archive_write_set_format_zip(a.get());
    archive_write_set_bytes_in_last_block(a.get(), 1);  // no padding after the central directory
    if (archive_write_set_options(a.get(), "zip:compression=deflate") != ARCHIVE_OK ||
        archive_write_open_fd(a.get(), temp->fd()) != ARCHIVE_OK)
      return Result<ArchiveListing>(Error::kIo, libError(a.get(), temp->path()));
    for (const std::string& name : names) {
      if (!isPlainEntryName(name)) return Result<ArchiveListing>(Error::kBadArgument, "not a plain file name: " + name);
      Result<std::string> path = resolveExisting(join(folder, name));
      if (!path) return path.status();
      if (Status s = addFile(a.get(), *path, std::string(lastComponent(*path))); !s) return s;
    }
    if (archive_write_close(a.get()) != ARCHIVE_OK)
      return Result<ArchiveListing>(Error::kIo, libError(a.get(), temp->path()));
  }
  if (Status s = temp->putInPlace(target); !s) return s;
  if (Status s = syncFolder(targetFolder); !s) return s;
  return listArchive(target);
}

Result<ArchiveListing> listArchive(std::string_view archivePath) {
  return walk(archivePath, [](archive*, archive_entry*, const ArchiveEntry&) { return Status(); });
}

Result<ArchiveListing> verifyArchive(std::string_view archivePath, std::int64_t expectedBytes) {
  std::string path(archivePath);
  Result<ArchiveListing> listing = walk(archivePath, [&](archive* a, archive_entry* e, const ArchiveEntry&) {
    return readEntryData(a, e, path, [](std::string_view) { return Status(); });
  });
  if (!listing) return listing;
  if (expectedBytes >= 0 && listing->archiveBytes != static_cast<std::uint64_t>(expectedBytes))
    return Result<ArchiveListing>(Error::kCorrupt, path + ": " + std::to_string(listing->archiveBytes) +
                                                      " bytes, expected " + std::to_string(expectedBytes));
  return listing;
}

bool isPlainEntryName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  for (char c : name) {
    auto u = static_cast<unsigned char>(c);
    if (c == '/' || c == '\\' || c == ':' || u < 0x20 || u == 0x7F) return false;
  }
  return true;
}

std::string Extraction::pathOf(const ArchiveEntry& e) const { return join(folder.path(), e.name); }

Result<Extraction> extractMatching(std::string_view archivePath, std::string_view pattern,
                                   std::string_view scratchParent, const ExtractLimits& limits) {
  std::string path(archivePath);
  Result<TempFolder> scratch = createTempFolder(scratchParent, "RESTORE_");
  if (!scratch) return scratch.status();
  Extraction out;
  out.folder = std::move(*scratch);
  std::uint64_t written = 0;

  Result<ArchiveListing> listing = walk(archivePath, [&](archive* a, archive_entry* e, const ArchiveEntry& entry) {
    const char* reason = nullptr;
    if (!isPlainEntryName(entry.name)) reason = "unsafe name";
    else if (!entry.regular) reason = "not a regular file";
    else if (!wildcardMatch(entry.name, pattern)) reason = "does not match";
    for (const ArchiveEntry& done : out.files)
      if (reason == nullptr && equalsIgnoreCase(done.name, entry.name)) reason = "duplicate name";
    const std::uint64_t maxEntry = limits.maxEntryBytes ? limits.maxEntryBytes(entry.name) : UINT64_MAX;
    if (reason == nullptr && maxEntry == 0) reason = "not wanted";
    if (reason != nullptr) {
      out.refused.push_back({entry.name, reason});
      // Read it all the same: damage anywhere in the archive must refuse the whole of it.
      return readEntryData(a, e, path, [](std::string_view) { return Status(); });
    }
    // The header's size may lie: the bytes are counted as they come, and the first byte over
    // either limit ends it.
    const std::uint64_t maxHere = std::min(maxEntry, limits.maxTotalBytes - std::min(limits.maxTotalBytes, written));
    const Status tooBig(Error::kNoSpace, entry.name + ": larger than the restore allows");
    if (entry.size > maxHere) return tooBig;
    std::string target = join(out.folder.path(), entry.name);
    UniqueFd fd(::open(target.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (!fd.valid()) return Status::fromErrno(errno, "create " + target);
    std::uint64_t bytes = 0;
    if (Status s = readEntryData(a, e, path,
                                 [&](std::string_view data) {
                                   bytes += data.size();
                                   if (bytes > maxHere) return tooBig;
                                   return writeAll(fd.get(), data, target);
                                 });
        !s)
      return s;
    written += bytes;
    const timespec times[2] = {{archive_entry_mtime(e), archive_entry_mtime_nsec(e)},
                               {archive_entry_mtime(e), archive_entry_mtime_nsec(e)}};
    // The file's time as archived when it can be set; its bytes are what matters.
    if (archive_entry_mtime_is_set(e)) (void)::futimens(fd.get(), times);
    if (::fsync(fd.get()) != 0) return Status::fromErrno(errno, "fsync " + target);
    if (fd.close() != 0) return Status::fromErrno(errno, "close " + target);
    out.files.push_back(entry);
    return Status();
  });
  if (!listing) return listing.status();  // `out` and its scratch folder go away here
  return out;
}

}  // namespace platform

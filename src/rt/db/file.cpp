#include "rt/db/file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "rt/fs/faults.h"
#include "rt/fs/shared_files.h"
#include "rt/text/strings.h"

namespace rt::db {
namespace {

Status ioError(const char* what) { return {Error::kIo, std::string(what) + ": " + std::strerror(errno)}; }

Status lockCall(int fd, int cmd, short type, std::uint64_t start, std::uint64_t length) {
  struct flock fl {};
  fl.l_type = type;
  fl.l_whence = SEEK_SET;
  fl.l_start = static_cast<off_t>(start);
  fl.l_len = static_cast<off_t>(length);
  fl.l_pid = 0;  // required by OFD locks
  while (fcntl(fd, cmd, &fl) != 0) {
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EACCES) return {Error::kLocked, ""};
    return ioError("lock");
  }
  return {};
}

std::pair<std::string, std::string> splitPath(const std::string& path) {
  auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return {"", path};
  return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

}  // namespace

File::~File() { close(); }

File::File(File&& other) noexcept : fd_(other.fd_), unsynced_(other.unsynced_) {
  other.fd_ = -1;
  other.unsynced_ = false;
}

File& File::operator=(File&& other) noexcept {
  if (this != &other) {
    close();
    fd_ = other.fd_;
    unsynced_ = other.unsynced_;
    other.fd_ = -1;
    other.unsynced_ = false;
  }
  return *this;
}

void File::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

Result<File> File::open(const std::string& path, Mode mode) {
  int fd = -1;
  int err = 0;  // of openForWriting, which says it in its status
  switch (mode) {
    case Mode::kRead:
      fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
      break;
    case Mode::kReadWrite:
      fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
      break;
    // A file made or emptied is never reached through a link (nor a folder, a pipe or a second
    // name of another file): the shared folders are open to every terminal.
    case Mode::kCreate:
    case Mode::kTruncate: {
      Result<rt::UniqueFd> made =
          rt::fs::openForWriting(path, O_RDWR | O_CREAT | (mode == Mode::kCreate ? O_EXCL : O_TRUNC));
      if (made)
        fd = made->release();
      else
        err = made.status().sysError();
      break;
    }
  }
  if (fd < 0) {
    if (err == 0) err = errno;
    if (err == ENOENT) return Status(Error::kNotFound, path);
    if (err == EEXIST) return Status(Error::kExists, path);
    return Status(Error::kIo, path + ": " + std::strerror(err));
  }
  // A file just created or cut to nothing is itself a change to make durable.
  return File(fd, mode == Mode::kCreate || mode == Mode::kTruncate);
}

Result<std::size_t> File::readAt(std::uint64_t offset, std::span<char> out) const {
  std::size_t done = 0;
  while (done < out.size()) {
    ssize_t n = ::pread(fd_, out.data() + done, out.size() - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return ioError("read");
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return done;
}

Status File::readExact(std::uint64_t offset, std::span<char> out) const {
  auto n = readAt(offset, out);
  if (!n) return n.status();
  if (*n != out.size()) return {Error::kCorrupt, "file shorter than expected"};
  return {};
}

Status File::writeAt(std::uint64_t offset, std::string_view data) const {
  std::size_t done = 0;
  while (done < data.size()) {
    ssize_t n = rt::fs::pwrite(fd_, data.data() + done, data.size() - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      return ioError("write");
    }
    done += static_cast<std::size_t>(n);
    unsynced_ = true;
  }
  return {};
}

Result<std::uint64_t> File::size() const {
  struct stat st {};
  if (fstat(fd_, &st) != 0) return ioError("stat");
  return static_cast<std::uint64_t>(st.st_size);
}

Status File::truncate(std::uint64_t size) const {
  if (ftruncate(fd_, static_cast<off_t>(size)) != 0) return ioError("truncate");
  unsynced_ = true;
  return {};
}

Status File::sync() const {
  if (!unsynced_) return {};
  if (rt::fs::fsync(fd_) != 0) return ioError("fsync");
  unsynced_ = false;
  return {};
}

bool File::sameFileAs(const std::string& path) const {
  struct stat a {}, b {};
  if (fstat(fd_, &a) != 0 || ::stat(path.c_str(), &b) != 0) return false;
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

Status File::tryLock(std::uint64_t start, std::uint64_t length, LockKind kind) const {
  return lockCall(fd_, F_OFD_SETLK, kind == LockKind::kShared ? F_RDLCK : F_WRLCK, start, length);
}

Status File::waitLock(std::uint64_t start, std::uint64_t length, LockKind kind) const {
  return lockCall(fd_, F_OFD_SETLKW, kind == LockKind::kShared ? F_RDLCK : F_WRLCK, start, length);
}

Result<bool> File::isLockedByOthers(std::uint64_t start, std::uint64_t length, LockKind kind) const {
  struct flock fl {};
  fl.l_type = kind == LockKind::kShared ? F_RDLCK : F_WRLCK;
  fl.l_whence = SEEK_SET;
  fl.l_start = static_cast<off_t>(start);
  fl.l_len = static_cast<off_t>(length);
  if (fcntl(fd_, F_OFD_GETLK, &fl) != 0) return ioError("lock test");
  return fl.l_type != F_UNLCK;
}

void File::unlock(std::uint64_t start, std::uint64_t length) const {
  // See the header: a lock not let go goes with the close.
  (void)lockCall(fd_, F_OFD_SETLK, F_UNLCK, start, length);
}

Result<ScratchFile> ScratchFile::beside(const std::string& target) {
  Result<rt::fs::ScratchFile> s = rt::fs::ScratchFile::beside(target);
  if (!s) return Status(Error::kIo, target + ".tmp: " + std::strerror(s.status().sysError()));
  std::string name = s->path();
  s->keep();  // the path is ours to remove from here on
  return ScratchFile(File(s->releaseFd(), true), std::move(name));
}

ScratchFile::ScratchFile(ScratchFile&& other) noexcept : file_(std::move(other.file_)), path_(std::move(other.path_)) {
  other.path_.clear();
}

ScratchFile::~ScratchFile() {
  if (!path_.empty()) ::unlink(path_.c_str());
}

Status ScratchFile::renameOver(const std::string& target) {
  if (path_.empty()) return {Error::kIo, "rename " + target + ": no scratch file"};
  if (rt::fs::rename(path_.c_str(), target.c_str()) != 0) return ioError("rename");
  path_.clear();
  return {};
}

Mapping::~Mapping() { reset(); }

Mapping::Mapping(Mapping&& other) noexcept : data_(other.data_), size_(other.size_) {
  other.data_ = nullptr;
  other.size_ = 0;
}

Mapping& Mapping::operator=(Mapping&& other) noexcept {
  if (this != &other) {
    reset();
    data_ = other.data_;
    size_ = other.size_;
    other.data_ = nullptr;
    other.size_ = 0;
  }
  return *this;
}

Mapping Mapping::of(const File& file) {
  Mapping m;
  auto size = file.size();
  if (!size || *size == 0) return m;
  void* p = mmap(nullptr, *size, PROT_READ, MAP_SHARED, file.fd(), 0);
  if (p == MAP_FAILED) return m;  // reads fall back to pread
  m.data_ = static_cast<const char*>(p);
  m.size_ = *size;
  return m;
}

void Mapping::reset() {
  if (data_) munmap(const_cast<char*>(data_), size_);
  data_ = nullptr;
  size_ = 0;
}

SharedView::~SharedView() { reset(); }

SharedView::SharedView(SharedView&& other) noexcept
    : base_(other.base_), mapped_(other.mapped_), known_(other.known_), writable_(other.writable_) {
  other.base_ = nullptr;
  other.mapped_ = other.known_ = 0;
}

SharedView& SharedView::operator=(SharedView&& other) noexcept {
  if (this != &other) {
    reset();
    base_ = other.base_;
    mapped_ = other.mapped_;
    known_ = other.known_;
    writable_ = other.writable_;
    other.base_ = nullptr;
    other.mapped_ = other.known_ = 0;
  }
  return *this;
}

void SharedView::attach(const File& file, std::uint64_t capacity, bool writable) {
  reset();
  auto size = file.size();
  if (!size) return;
  const std::uint64_t page = 4096;
  std::uint64_t want = std::max(capacity, 2 * *size);
  want = (want + page - 1) / page * page;
  void* p = mmap(nullptr, want, writable ? PROT_READ | PROT_WRITE : PROT_READ, MAP_SHARED, file.fd(), 0);
  if (p == MAP_FAILED) return;  // everything goes through the descriptor
  base_ = static_cast<char*>(p);
  mapped_ = want;
  known_ = std::min(*size, want);
  writable_ = writable;
}

void SharedView::reset() {
  if (base_) munmap(base_, mapped_);
  base_ = nullptr;
  mapped_ = known_ = 0;
}

void SharedView::learnSize(std::uint64_t size) { known_ = std::max(known_, std::min(size, mapped_)); }

Status SharedView::write(const File& file, std::uint64_t at, std::string_view bytes) {
  // While a test injects faults the write goes through the descriptor, where they are made.
  if (writable_ && at + bytes.size() <= known_ && !rt::fs::faultsInstalled()) {
    // Other processes see these bytes at once, and a writer killed at any point leaves what
    // it wrote before: the writes must land in the order they were made.
    std::atomic_thread_fence(std::memory_order_release);
    std::memcpy(base_ + at, bytes.data(), bytes.size());
    file.noteWritten();
    return {};
  }
  RT_TRY(file.writeAt(at, bytes));
  if (base_) learnSize(at + bytes.size());
  return {};
}

Status SharedView::readExact(const File& file, std::uint64_t at, std::span<char> out) const {
  if (at + out.size() <= known_) {
    std::memcpy(out.data(), base_ + at, out.size());
    return {};
  }
  return file.readExact(at, out);
}

std::string resolveCaseInsensitive(const std::string& path) {
  if (fileExists(path)) return path;
  auto [dir, name] = splitPath(path);
  DIR* d = opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return path;
  std::string wanted = rt::text::upper(name);
  std::string found;
  while (dirent* e = readdir(d)) {
    if (rt::text::upper(e->d_name) == wanted) {
      found = dir + e->d_name;
      break;
    }
  }
  closedir(d);
  return found.empty() ? path : found;
}

bool fileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string upperCaseName(const std::string& path) {
  auto [dir, name] = splitPath(path);
  return dir + rt::text::upper(name);
}

std::string withExtension(const std::string& path, std::string_view ext) {
  auto [dir, name] = splitPath(path);
  auto dot = name.find_last_of('.');
  if (dot != std::string::npos) name.resize(dot);
  return dir + name + std::string(ext);
}

Status syncDirectoryOf(const std::string& path) {
  auto [dir, name] = splitPath(path);
  int fd = ::open(dir.empty() ? "." : dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return ioError("open folder");
  int rc = rt::fs::fsync(fd);
  ::close(fd);
  if (rc != 0) return ioError("fsync folder");
  return {};
}

Status removeFile(const std::string& path) {
  std::string real = resolveCaseInsensitive(path);
  if (::unlink(real.c_str()) != 0 && errno != ENOENT) return ioError("remove");
  return {};
}

void removeScratch(const std::string& path) {
  // See the header: one that stays harms nothing.
  (void)removeFile(path);
}

}  // namespace rt::db

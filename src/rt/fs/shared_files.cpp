#include "rt/fs/shared_files.h"

#include "rt/fs/faults.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <utility>

namespace rt::fs {

namespace {

// The writer's hold: an open-file-description lock on one byte far beyond any data, so that
// it never meets the locks a file takes once it is in place (a table's lie from 2^40).
constexpr off_t kHoldByte = off_t{1} << 62;
constexpr int kAttempts = 100;

int lockHold(int fd, int cmd, short type) {
  struct flock l {};
  l.l_type = type;
  l.l_whence = SEEK_SET;
  l.l_start = kHoldByte;
  l.l_len = 1;
  return ::fcntl(fd, cmd, &l);
}

bool alnum(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

bool isRefusal(int err) {
  return err == ELOOP || err == EMLINK || err == EISDIR || err == ENXIO;
}

bool isRefusal(const rt::Status& s) { return isRefusal(s.sysError()); }

rt::Result<rt::UniqueFd> openForWriting(const std::string& path, int flags, mode_t mode) {
  auto failed = [&path](int err) { return rt::Status::fromErrno(err, "open " + path); };
  // Without O_TRUNC until the checks are done; non-blocking so that a planted pipe cannot hang
  // the open.
  rt::UniqueFd fd(::open(path.c_str(), (flags & ~O_TRUNC) | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK, mode));
  if (!fd.valid()) return failed(errno);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return failed(errno);
  // A device node can be made only by the administrator, so one at the name is the office's
  // own choice (output to /dev/null); a pipe or a socket anyone can make.
  if (!S_ISREG(st.st_mode) && !S_ISCHR(st.st_mode)) return failed(S_ISDIR(st.st_mode) ? EISDIR : ENXIO);
  if (S_ISREG(st.st_mode) && st.st_nlink > 1) return failed(EMLINK);
  if (::fcntl(fd.get(), F_SETFL, (flags & O_APPEND)) != 0) return failed(errno);
  if ((flags & O_TRUNC) != 0 && S_ISREG(st.st_mode) && ::ftruncate(fd.get(), 0) != 0) return failed(errno);
  return rt::Result<rt::UniqueFd>(std::move(fd));
}

bool isScratchName(std::string_view name) {
  constexpr std::string_view kTmp = ".tmp";
  if (name.size() <= kTmp.size() + 6) return false;
  const std::string_view tail = name.substr(name.size() - 6);
  for (char c : tail)
    if (!alnum(c)) return false;
  return name.substr(name.size() - 6 - kTmp.size(), kTmp.size()) == kTmp;
}

std::string randomSuffix() {
  static constexpr char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  unsigned char bytes[6] = {};
  std::size_t got = 0;
  while (got < sizeof bytes) {
    const ssize_t n = ::getrandom(bytes + got, sizeof bytes - got, 0);
    if (n > 0)
      got += static_cast<std::size_t>(n);
    else if (errno != EINTR)
      break;
  }
  std::string out;
  for (unsigned char b : bytes) out += kChars[b % (sizeof kChars - 1)];
  return out;
}

rt::Result<rt::UniqueFd> createHeld(const std::string& path, mode_t mode) {
  auto failed = [&path](int err) { return rt::Status::fromErrno(err, "create " + path); };
  rt::UniqueFd fd(::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
  if (!fd.valid()) return failed(errno);
  if (lockHold(fd.get(), F_OFD_SETLK, F_WRLCK) != 0) {
    const int err = errno;
    // A sweep holds the file while it removes it: the name is lost, try another.
    if (err == EAGAIN || err == EACCES) return failed(EEXIST);
    // A file system without locks: the file goes unheld, and a sweep, which cannot lock it
    // either, leaves it alone.
    if (err == ENOLCK || err == EINVAL || err == EOPNOTSUPP) return rt::Result<rt::UniqueFd>(std::move(fd));
    ::unlink(path.c_str());
    return failed(err);
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return failed(errno);
  // Removed by a sweep between the create and the hold.
  if (st.st_nlink == 0) return failed(EEXIST);
  return rt::Result<rt::UniqueFd>(std::move(fd));
}

bool isHeld(int fd) {
  struct flock l {};
  l.l_type = F_WRLCK;
  l.l_whence = SEEK_SET;
  l.l_start = kHoldByte;
  l.l_len = 1;
  return ::fcntl(fd, F_OFD_GETLK, &l) == 0 && l.l_type != F_UNLCK;
}

rt::Result<ScratchFile> ScratchFile::beside(const std::string& target, mode_t mode) {
  int err = EEXIST;
  for (int i = 0; i < kAttempts && err == EEXIST; ++i) {
    std::string path = target + ".tmp" + randomSuffix();
    rt::Result<rt::UniqueFd> fd = createHeld(path, mode);
    if (fd) {
      ScratchFile s;
      s.fd_ = fd->release();
      s.path_ = path;
      s.name_ = std::move(path);
      return rt::Result<ScratchFile>(std::move(s));
    }
    err = fd.status().sysError();
  }
  return rt::Status::fromErrno(err, "create beside " + target);
}

ScratchFile::ScratchFile(ScratchFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      path_(std::exchange(other.path_, {})),
      name_(std::exchange(other.name_, {})) {}

ScratchFile& ScratchFile::operator=(ScratchFile&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    if (!path_.empty()) ::unlink(path_.c_str());
    fd_ = std::exchange(other.fd_, -1);
    path_ = std::exchange(other.path_, {});
    name_ = std::exchange(other.name_, {});
  }
  return *this;
}

ScratchFile::~ScratchFile() {
  // Removed while still held, so no sweep meets it half gone.
  if (!path_.empty()) ::unlink(path_.c_str());
  if (fd_ >= 0) ::close(fd_);
}

rt::Status ScratchFile::write(std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = fs::write(fd_, data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return rt::Status::fromErrno(errno, "write " + name_);
    }
    if (n == 0) return rt::Status::fromErrno(ENOSPC, "write " + name_);
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return {};
}

rt::Status ScratchFile::sync() {
  if (fs::fsync(fd_) != 0) return rt::Status::fromErrno(errno, "fsync " + name_);
  return {};
}

rt::Status ScratchFile::renameOver(const std::string& target) {
  if (path_.empty()) return rt::Status::fromErrno(ENOENT, "rename over " + target);
  if (fs::rename(path_.c_str(), target.c_str()) != 0)
    return rt::Status::fromErrno(errno, "rename over " + target);
  path_.clear();
  return {};
}

rt::Status ScratchFile::close() {
  const int fd = std::exchange(fd_, -1);
  if (fd >= 0 && ::close(fd) != 0) return rt::Status::fromErrno(errno, "close " + name_);
  return {};
}

int ScratchFile::releaseFd() {
  return std::exchange(fd_, -1);
}

rt::Status checkReplaceable(const std::string& target) {
  auto refused = [&target](int err) { return rt::Status::fromErrno(err, "replace " + target); };
  struct stat st {};
  if (::lstat(target.c_str(), &st) != 0) return errno == ENOENT ? rt::Status() : refused(errno);
  if (S_ISLNK(st.st_mode)) return refused(ELOOP);
  if (!S_ISREG(st.st_mode)) return refused(S_ISDIR(st.st_mode) ? EISDIR : ENXIO);
  return st.st_nlink > 1 ? refused(EMLINK) : rt::Status();
}

rt::Status replaceWithCopy(const std::string& from, const std::string& target) {
  RT_TRY(checkReplaceable(target));
  rt::UniqueFd in(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
  if (!in.valid()) return rt::Status::fromErrno(errno, "open " + from);
  rt::Result<ScratchFile> out = ScratchFile::beside(target);
  if (!out) return out.status();
  char block[65536];
  for (;;) {
    const ssize_t n = ::read(in.get(), block, sizeof block);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return rt::Status::fromErrno(errno, "read " + from);
    if (n == 0) break;
    RT_TRY(out->write(std::string_view(block, static_cast<std::size_t>(n))));
  }
  in.reset();
  RT_TRY(out->sync());
  RT_TRY(out->renameOver(target));
  return out->close();
}

int sweepScratch(const std::string& folder, bool (*alsoOurs)(std::string_view)) {
  DIR* d = ::opendir(folder.empty() ? "." : folder.c_str());
  if (d == nullptr) return 0;
  int removed = 0;
  while (const dirent* e = ::readdir(d)) {
    const std::string_view name(e->d_name);
    if (!isScratchName(name) && (alsoOurs == nullptr || !alsoOurs(name))) continue;
    const std::string path = (folder.empty() ? std::string(".") : folder) + "/" + std::string(name);
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;  // a link or something else of that name: not ours to judge
    struct stat held {
    }, named{};
    // Taking the hold ourselves keeps a writer from taking it while the name goes.
    if (lockHold(fd, F_OFD_SETLK, F_RDLCK) == 0 && ::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) &&
        ::lstat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev && held.st_ino == named.st_ino &&
        ::unlink(path.c_str()) == 0)
      ++removed;
    ::close(fd);
  }
  ::closedir(d);
  return removed;
}

}  // namespace rt::fs

#include "platform/temp_file.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/paths.h"
#include "rt/fs/shared_files.h"

namespace platform {

using rt::Error;
using rt::Result;
using rt::Status;
using rt::UniqueFd;

namespace {

constexpr int kAttempts = 100;

using rt::fs::randomSuffix;

}  // namespace

TempFile::TempFile(TempFile&& other) noexcept
    : path_(std::exchange(other.path_, {})), fd_(std::move(other.fd_)) {}

TempFile& TempFile::operator=(TempFile&& other) noexcept {
  if (this != &other) {
    if (!path_.empty()) ::unlink(path_.c_str());
    path_ = std::exchange(other.path_, {});
    fd_ = std::move(other.fd_);
  }
  return *this;
}

TempFile::~TempFile() {
  // Removed while still held, so no sweep meets it half gone.
  if (!path_.empty()) ::unlink(path_.c_str());
  fd_.reset();
}

Status TempFile::write(std::string_view data) {
  while (!data.empty()) {
    ssize_t n = ::write(fd_.get(), data.data(), data.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return Status::fromErrno(errno, "write " + path_);
    }
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return {};
}

Status TempFile::syncAndClose() {
  if (!fd_.valid()) return {};
  if (::fsync(fd_.get()) != 0) return Status::fromErrno(errno, "fsync " + path_);
  if (fd_.close() != 0) return Status::fromErrno(errno, "close " + path_);
  return {};
}

Status TempFile::putInPlace(const std::string& target) {
  if (::fsync(fd_.get()) != 0) return Status::fromErrno(errno, "fsync " + path_);
  if (::rename(path_.c_str(), target.c_str()) != 0) return Status::fromErrno(errno, "rename to " + target);
  path_.clear();
  if (fd_.close() != 0) return Status::fromErrno(errno, "close " + target);
  return {};
}

Result<TempFile> createScratchBeside(const std::string& target, mode_t mode) {
  Result<rt::fs::ScratchFile> s = rt::fs::ScratchFile::beside(target, mode);
  if (!s) return s.status();
  std::string path = s->path();
  s->keep();
  return TempFile(std::move(path), UniqueFd(s->releaseFd()));
}

Result<TempFile> createTempFile(std::string_view folder, std::string_view prefix, std::string_view suffix,
                                mode_t mode) {
  for (int i = 0; i < kAttempts; ++i) {
    std::string name(prefix);
    name += randomSuffix();
    name += suffix;
    std::string path = join(folder, name);
    Result<UniqueFd> fd = rt::fs::createHeld(path, mode);
    if (fd) return TempFile(std::move(path), std::move(*fd));
    if (fd.status().sysError() != EEXIST) return fd.status();
  }
  return Result<TempFile>(Error::kExists, "no free scratch name in " + std::string(folder));
}

TempFolder::TempFolder(TempFolder&& other) noexcept : path_(std::exchange(other.path_, {})) {}

TempFolder& TempFolder::operator=(TempFolder&& other) noexcept {
  if (this != &other) {
    // A scratch folder left behind costs disk space only: nothing reads it again.
    if (!path_.empty()) (void)removeTree(path_);
    path_ = std::exchange(other.path_, {});
  }
  return *this;
}

TempFolder::~TempFolder() {
  // As above: what stays costs disk space only, and a destructor has no one to tell.
  if (!path_.empty()) (void)removeTree(path_);
}

Result<TempFolder> createTempFolder(std::string_view parent, std::string_view prefix) {
  for (int i = 0; i < kAttempts; ++i) {
    std::string path = join(parent, std::string(prefix) + randomSuffix());
    if (::mkdir(path.c_str(), 0700) == 0) return TempFolder(std::move(path));
    if (errno != EEXIST) return Status::fromErrno(errno, "mkdir " + path);
  }
  return Result<TempFolder>(Error::kExists, "no free scratch name in " + std::string(parent));
}

Status removeTree(std::string_view path) {
  std::error_code ec;
  std::filesystem::remove_all(std::filesystem::path(path), ec);  // does not follow symlinks
  if (ec) return Status::fromErrno(ec.value(), "remove " + std::string(path));
  return {};
}

Status syncFolder(std::string_view folder) {
  std::string path(folder.empty() ? "." : folder);
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!fd.valid()) return Status::fromErrno(errno, "open " + path);
  if (::fsync(fd.get()) != 0 && errno != EINVAL) return Status::fromErrno(errno, "fsync " + path);
  return {};
}

}  // namespace platform

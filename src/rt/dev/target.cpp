#include "rt/dev/target.h"

#include <fcntl.h>
#include <sys/file.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>

#include "rt/base/unique_fd.h"
#include "rt/fs/shared_files.h"

namespace rt::dev {

namespace {

Status writeAll(int fd, std::string_view bytes, const std::string& name) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return Status::fromErrno(errno, "write " + name);
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return {};
}

class FdTarget final : public Target {
 public:
  FdTarget(UniqueFd fd, std::string name, bool sync) : fd_(std::move(fd)), name_(std::move(name)), sync_(sync) {}
  Status write(std::string_view bytes) override {
    if (!fd_.valid()) return {Error::kIo, name_ + " is closed"};
    return writeAll(fd_.get(), bytes, name_);
  }
  Status close() override {
    if (!fd_.valid()) return {};
    // A full disk or a lost network share may show only here.
    if (sync_ && ::fsync(fd_.get()) != 0 && errno != EINVAL) {
      const int err = errno;
      fd_.reset();
      return Status::fromErrno(err, "fsync " + name_);
    }
    if (fd_.close() != 0) return Status::fromErrno(errno, "close " + name_);
    return {};
  }
  const std::string& name() const override { return name_; }

 private:
  UniqueFd fd_;
  std::string name_;
  bool sync_;
};

class StringTarget final : public Target {
 public:
  explicit StringTarget(std::string& out) : out_(out) {}
  Status write(std::string_view bytes) override {
    out_.append(bytes);
    return {};
  }
  Status close() override { return {}; }
  const std::string& name() const override { return name_; }

 private:
  std::string& out_;
  std::string name_ = "string";
};

class NullTarget final : public Target {
 public:
  Status write(std::string_view) override { return {}; }
  Status close() override { return {}; }
  const std::string& name() const override { return name_; }

 private:
  std::string name_ = "/dev/null";
};

}  // namespace

// A link (or a folder, a pipe, a second name of another file) at `path` is kUnsafe with `path`
// as the detail, and nothing is created, emptied or written.
Result<std::unique_ptr<Target>> openFile(const std::string& path, bool append) {
  using R = Result<std::unique_ptr<Target>>;
  // Not O_TRUNC: the file is emptied only once its lock is ours. Never through a link planted
  // in the work folder (nor into a folder, a pipe or a second name of another file).
  Result<UniqueFd> opened = rt::fs::openForWriting(path, O_WRONLY | O_CREAT | (append ? O_APPEND : 0), 0644);
  if (!opened && rt::fs::isRefusal(opened.status())) return R(Error::kUnsafe, path);
  if (!opened) return R(opened.status());
  UniqueFd fd = std::move(*opened);
  if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
    if (errno == EWOULDBLOCK) return R(Error::kNotAvailable, path + " is in use by another terminal");
    return R(Status::fromErrno(errno, "flock " + path));
  }
  if (!append && ::ftruncate(fd.get(), 0) != 0) return R(Status::fromErrno(errno, "truncate " + path));
  return R(std::unique_ptr<Target>(std::make_unique<FdTarget>(std::move(fd), path, true)));
}

Result<std::unique_ptr<Target>> openDevice(const std::string& path, bool serial) {
  using R = Result<std::unique_ptr<Target>>;
  UniqueFd fd(::open(path.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC));
  if (!fd.valid()) return R(Status::fromErrno(errno, "open " + path));
  if (serial) {
    termios tio{};
    if (::tcgetattr(fd.get(), &tio) == 0) {
      tio.c_oflag &= ~static_cast<tcflag_t>(OPOST);
      if (::tcsetattr(fd.get(), TCSANOW, &tio) != 0) return R(Status::fromErrno(errno, "tcsetattr " + path));
    }
  }
  return R(std::unique_ptr<Target>(std::make_unique<FdTarget>(std::move(fd), path, false)));
}

std::unique_ptr<Target> stringTarget(std::string& out) { return std::make_unique<StringTarget>(out); }

std::unique_ptr<Target> nullTarget() { return std::make_unique<NullTarget>(); }

}  // namespace rt::dev

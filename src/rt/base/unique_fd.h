// Owns one file descriptor and closes it when it goes out of scope.
#pragma once

#include <unistd.h>

#include <utility>

namespace rt {

class UniqueFd {
 public:
  UniqueFd() = default;
  explicit UniqueFd(int fd) : fd_(fd) {}
  UniqueFd(UniqueFd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  UniqueFd& operator=(UniqueFd&& other) noexcept {
    if (this != &other) reset(std::exchange(other.fd_, -1));
    return *this;
  }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  ~UniqueFd() { reset(); }

  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  int release() { return std::exchange(fd_, -1); }
  void reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }
  // close(2) with its result: a failed close after writes can mean lost data (NFS reports
  // write errors only here), so writers call this instead of letting the destructor close.
  int close() {
    int fd = std::exchange(fd_, -1);
    return fd >= 0 ? ::close(fd) : 0;
  }

 private:
  int fd_ = -1;
};

}  // namespace rt

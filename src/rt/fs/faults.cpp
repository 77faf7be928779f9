#include "rt/fs/faults.h"

#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>

namespace rt::fs {

namespace {

#ifndef RENAME_NOREPLACE
constexpr unsigned kRenameNoReplace = 1;
#else
constexpr unsigned kRenameNoReplace = RENAME_NOREPLACE;
#endif

// The test hook (see the header for why it is the one global). Atomic because a test may
// install it while a thread of its own (a server, a watchdog) is writing.
std::atomic<FaultInjector*> gInjector{nullptr};

// What the injector makes of a call; an Injected{} when none is installed.
Injected decide(Call call, int fd, const char* path, std::size_t bytes) {
  FaultInjector* const f = gInjector.load(std::memory_order_acquire);
  if (f == nullptr) [[likely]]
    return {};
  return f->on(call, fd, path, bytes);
}

// The size a write goes ahead with, or -1 with errno set.
ssize_t allowed(int fd, std::size_t size) {
  const Injected i = decide(Call::kWrite, fd, nullptr, size);
  if (i.error != 0) {
    errno = i.error;
    return -1;
  }
  return static_cast<ssize_t>(std::min(size, std::max<std::size_t>(i.limit, 1)));
}

int refused(Call call, int fd, const char* path) {
  const Injected i = decide(call, fd, path, 0);
  if (i.error == 0) return 0;
  errno = i.error;
  return -1;
}

}  // namespace

void installFaults(FaultInjector* injector) { gInjector.store(injector, std::memory_order_release); }

bool faultsInstalled() { return gInjector.load(std::memory_order_acquire) != nullptr; }

ssize_t write(int fd, const void* data, std::size_t size) {
  const ssize_t n = allowed(fd, size);
  return n < 0 ? n : ::write(fd, data, static_cast<std::size_t>(n));
}

ssize_t pwrite(int fd, const void* data, std::size_t size, off_t offset) {
  const ssize_t n = allowed(fd, size);
  return n < 0 ? n : ::pwrite(fd, data, static_cast<std::size_t>(n), offset);
}

int fsync(int fd) {
  if (refused(Call::kSync, fd, nullptr) != 0) return -1;
  return ::fsync(fd);
}

int syncfs(int fd) {
  if (refused(Call::kSync, fd, nullptr) != 0) return -1;
  return ::syncfs(fd);
}

int rename(const char* from, const char* to) {
  if (refused(Call::kRename, -1, to) != 0) return -1;
  return std::rename(from, to);
}

int renameNoReplace(const char* from, const char* to) {
  if (refused(Call::kRename, -1, to) != 0) return -1;
  return static_cast<int>(::syscall(SYS_renameat2, AT_FDCWD, from, AT_FDCWD, to, kRenameNoReplace));
}

}  // namespace rt::fs

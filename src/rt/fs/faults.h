// The calls that change what a file holds or where it is. The writes, syncs and renames of the
// table engine and of the files the program keeps beside it (letters, journals, the remittance
// and export files) go through here, so that a test can make any one of them fail as a full
// disk, a failing disk or a write cut short does, without a full disk.
//
// The hook below is the one process-wide variable outside the program state object, and the
// one exception to that rule: a fault has to reach a system call several layers under the
// function a test drives (a table's page write under a save, the fsync under a letter), and
// threading an injector through every one of those signatures would put a test's concern into
// every layer. The programs never install one; with none installed each call is the system
// call behind a single test of a pointer.
#pragma once

#include <sys/types.h>

#include <cstddef>
#include <limits>

namespace rt::fs {

enum class Call { kWrite, kSync, kRename };

// What becomes of one call.
struct Injected {
  int error = 0;  // the call fails with this errno; 0: it goes ahead
  // A write of more bytes writes only this many (at least one) and says so, as a write the
  // disk filled under does; the caller must write the rest.
  std::size_t limit = std::numeric_limits<std::size_t>::max();
};

// Decides each call while installed. `fd` is the file's descriptor (-1 for a rename), `path`
// the name renamed to (nullptr for a write or a sync), `bytes` what a write wants to write.
class FaultInjector {
 public:
  virtual Injected on(Call call, int fd, const char* path, std::size_t bytes) = 0;

 protected:
  ~FaultInjector() = default;
};

// For tests only: installs `injector` (nullptr removes it) for every thread of the process.
void installFaults(FaultInjector* injector);

// The calls, as the system's (-1 with errno on failure), through the installed injector.
ssize_t write(int fd, const void* data, std::size_t size);
ssize_t pwrite(int fd, const void* data, std::size_t size, off_t offset);
int fsync(int fd);
// syncfs(2): the whole file system of `fd` (a folder) flushed at once.
int syncfs(int fd);
int rename(const char* from, const char* to);
// rename(2) that fails with EEXIST instead of replacing `to` (renameat2 RENAME_NOREPLACE);
// EINVAL or ENOSYS where the file system or the kernel lacks it.
int renameNoReplace(const char* from, const char* to);

// Whether an injector is installed: a write made through a memory mapping, which no system
// call sees, goes through pwrite instead while one is, so that the injector sees it too.
bool faultsInstalled();

}  // namespace rt::fs

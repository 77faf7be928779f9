// Files in shared folders. Every terminal can write in the data, program and work folders, so
// any name there may be a link planted by someone else. Whatever the program creates or
// empties goes through here: an existing name is written only when it is a plain file with no
// other name, and scratch files are made exclusively under names nobody can guess, held by
// their writer for as long as it lives, and renamed into place.
//
// Results are rt::Status or rt::Result<T>. Every failure is made by Status::fromErrno, so its
// sysError() is the system's error number, never 0 (a refusal's below included): isRefusal
// and the callers that name the old DOS codes read it. Its detail names the step and the file.
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

#include "rt/base/result.h"
#include "rt/base/status.h"
#include "rt/base/unique_fd.h"

namespace rt::fs {

// Why a name was refused: a symbolic link at the name (to a file, to a folder, dangling) is
// ELOOP, a second name of another file (a hard link) EMLINK, a folder EISDIR, a pipe or a
// socket ENXIO. A device node (only the administrator can make one) is accepted. Of a system
// error number, or of a failure's sysError().
bool isRefusal(int err);
bool isRefusal(const rt::Status& s);

// Opens `path` for writing (flags O_WRONLY or O_RDWR, with O_CREAT, O_APPEND or O_TRUNC as
// wanted) without following a link at its last component. The checks come before anything is
// written: O_TRUNC empties the file only once it is known to be a plain file of its own.
// Returns the descriptor (close-on-exec).
rt::Result<rt::UniqueFd> openForWriting(const std::string& path, int flags, mode_t mode = 0666);

// Whether a scratch file's name is one of ours: the target's name + ".tmp" + six letters or
// digits.
bool isScratchName(std::string_view name);

// A scratch file beside `target` (same folder, so a rename can put it in place), created
// exclusively with an unguessable name. Its writer holds a lock on it until the descriptor is
// closed, so the sweep below never takes the file of a living writer. Removed when dropped
// unless it was renamed into place.
class ScratchFile {
 public:
  ScratchFile() = default;
  static rt::Result<ScratchFile> beside(const std::string& target, mode_t mode = 0666);
  ScratchFile(ScratchFile&& other) noexcept;
  ScratchFile& operator=(ScratchFile&& other) noexcept;
  ScratchFile(const ScratchFile&) = delete;
  ScratchFile& operator=(const ScratchFile&) = delete;
  ~ScratchFile();

  // Whether the descriptor is open: not default-made, closed or handed over.
  bool ok() const { return fd_ >= 0; }
  int fd() const { return fd_; }
  const std::string& path() const { return path_; }

  // Writes all of `data` at the current position.
  rt::Status write(std::string_view data);
  rt::Status sync();
  // Renames the file over `target` (which it then is). The descriptor stays open.
  rt::Status renameOver(const std::string& target);
  // Closes the descriptor (ending the hold), with the result of close(2).
  rt::Status close();
  // Hands the descriptor to the caller, who keeps the hold while it stays open; the file is
  // still removed when dropped unless renamed.
  int releaseFd();
  // The file is no longer removed when dropped.
  void keep() { path_.clear(); }

 private:
  int fd_ = -1;
  std::string path_;  // empty once renamed or kept
  std::string name_;  // the scratch file's name in a failure's detail, also once renamed
};

// Whether `target` may be replaced by a rename: ok when it is missing or a plain file with no
// other name, else the refusal (as openForWriting gives it). A link where a file belongs is
// refused, not silently replaced.
rt::Status checkReplaceable(const std::string& target);

// Replaces `target` by a copy of `from`, written into a scratch file beside it, synced and
// renamed over it, so nothing is ever written through `target`, and a failed copy leaves it as
// it was. A `target` that checkReplaceable refuses is left alone.
rt::Status replaceWithCopy(const std::string& from, const std::string& target);

// Creates `path` exclusively (an existing name, a link included, is EEXIST) and takes the
// writer's hold on it. For callers that choose their own unguessable names.
rt::Result<rt::UniqueFd> createHeld(const std::string& path, mode_t mode = 0666);

// Six random letters and digits (from the kernel's random source).
std::string randomSuffix();

// Removes from `folder` the plain files whose name is a scratch name (isScratchName, or
// `alsoOurs` for the names older versions used) that no living writer holds. A writer that
// created its file and has not yet taken its hold finds it gone and makes another. Returns the
// number removed.
int sweepScratch(const std::string& folder, bool (*alsoOurs)(std::string_view) = nullptr);

// Whether a writer holds the scratch file open at `fd` (for tests and the sweep).
bool isHeld(int fd);

}  // namespace rt::fs

// Unique scratch files and folders, removed when their owner goes out of scope unless kept.
// Used for atomic replacement (write a scratch file beside the target, then rename) and for
// unpacking an archive where nothing else can see the files until they are checked.
#pragma once

#include <sys/types.h>

#include <string>
#include <string_view>

#include "rt/base/result.h"
#include "rt/base/unique_fd.h"

namespace platform {

class TempFile {
 public:
  TempFile() = default;
  TempFile(std::string path, rt::UniqueFd fd) : path_(std::move(path)), fd_(std::move(fd)) {}
  TempFile(TempFile&& other) noexcept;
  TempFile& operator=(TempFile&& other) noexcept;
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  ~TempFile();

  const std::string& path() const { return path_; }
  int fd() const { return fd_.get(); }
  // Writes all of `data` at the current position.
  rt::Status write(std::string_view data);
  // fsync and close; after this the file is complete on disk (still removed unless kept).
  rt::Status syncAndClose();
  // fsync, rename over `target` and close: the file is then `target`. Kept open (held) until
  // its name is in place, so no start-up sweep takes it for a dead writer's.
  rt::Status putInPlace(const std::string& target);
  // The file is no longer removed by the destructor (it was renamed into place, or the caller
  // owns it now).
  void keep() { path_.clear(); }

 private:
  std::string path_;
  rt::UniqueFd fd_;
};

// A new file in `folder` named prefix + six random letters and digits + suffix, created
// exclusively with `mode` (less the umask), open for reading and writing.
rt::Result<TempFile> createTempFile(std::string_view folder, std::string_view prefix,
                                    std::string_view suffix = ".TMP", mode_t mode = 0666);

// A scratch file beside `target`, to be put in place by putInPlace: rt::fs::ScratchFile's name
// (target + ".tmp" + six random characters), created exclusively and held by this writer, so
// the start-up sweep removes it only once its writer is gone.
rt::Result<TempFile> createScratchBeside(const std::string& target, mode_t mode = 0666);

class TempFolder {
 public:
  TempFolder() = default;
  explicit TempFolder(std::string path) : path_(std::move(path)) {}
  TempFolder(TempFolder&& other) noexcept;
  TempFolder& operator=(TempFolder&& other) noexcept;
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder();  // removes the folder and everything in it

  const std::string& path() const { return path_; }
  void keep() { path_.clear(); }

 private:
  std::string path_;
};

// A new private folder (mode 0700) in `parent` named prefix + six random characters.
rt::Result<TempFolder> createTempFolder(std::string_view parent, std::string_view prefix);

// Removes a file or a whole folder tree without following symbolic links.
rt::Status removeTree(std::string_view path);

// fsync of a folder, so a rename or creation inside it survives a power cut.
rt::Status syncFolder(std::string_view folder);

}  // namespace platform

// Folder and file names as the office stores and types them, turned into Linux paths.
//
// Folders are kept in the settings tables exactly as typed, often in the old form
// ("C:\DADOS\", "\\SERVIDOR\IRPF\2010", "A:"), and are translated only here, at the edge of
// the file system:
//   - "\" and "/" are both separators;
//   - a leading drive letter "X:" goes through a small drive map (DriveMap);
//   - a leading "\\server\share" goes under a configurable root for network mounts;
//   - folder names are never upper-cased, because Linux names are case-sensitive;
//   - existing files and folders are found without regard to case (a table copied from another
//     machine may be "imp0110.dbf"); new files get an upper-case name.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "rt/base/result.h"

namespace platform {

// Reads one environment variable; nullptr when unset. Tests pass their own.
using EnvLookup = std::function<const char*(const char*)>;
EnvLookup processEnvironment();

// Drive letter -> Linux folder.
// Defaults: "C:" is the Linux root, so "C:\home\ana\dados" is "/home/ana/dados"; every other
// letter X is "/mnt/x" (lower case, the convention of WSL and of many hand-made mounts), so
// the backup drive "A:" is "/mnt/a". Network names "\\server\share\..." go to
// "/mnt/server/share/...".
// Environment: TAVREN_DRIVE_<L> (L = A..Z) replaces one letter's folder, TAVREN_UNC_ROOT the
// folder under which "\\server\share" lies. Values that are not absolute paths are ignored.
class DriveMap {
 public:
  DriveMap();
  static DriveMap fromEnvironment(const EnvLookup& env = processEnvironment());

  // letter in A..Z or a..z; anything else is ignored.
  void setDrive(char letter, std::string folder);
  // "" for a character that is not a letter.
  const std::string& drive(char letter) const;
  void setUncRoot(std::string folder);
  const std::string& uncRoot() const { return uncRoot_; }

  // The Linux path of a stored folder or file name. Leading and trailing blanks (padding of
  // the table fields) are dropped, separators become "/", runs of separators become one, a
  // trailing separator is kept. A path that is already a Linux path comes back unchanged
  // apart from that; a relative path stays relative.
  std::string toLinux(std::string_view stored) const;

 private:
  std::array<std::string, 26> drives_;
  std::string uncRoot_;
};

bool isSeparator(char c);  // "/" or "\"

// The path with a separator at its end (the path's own kind: "\" when it already uses "\" or
// is a bare drive "C:", else "/"). An empty path stays empty: a blank folder must not become
// the root.
std::string withSeparator(std::string_view path);
// The path without one trailing separator, except for a root ("/", "\", "C:\", "C:/").
std::string withoutSeparator(std::string_view path);
// The part after the last separator (the whole text when there is none).
std::string_view lastComponent(std::string_view path);
// folder + "/" + name, whether or not folder ends in a separator; an empty folder gives name.
std::string join(std::string_view folder, std::string_view name);

// ASCII letters compared without regard to case; other bytes must be equal.
bool equalsIgnoreCase(std::string_view a, std::string_view b);
// "?" is any one character, "*" any run (also empty); letters without regard to case.
bool wildcardMatch(std::string_view name, std::string_view pattern);
// The name a new file gets: ASCII letters upper-cased ("imp0110.dbf" -> "IMP0110.DBF").
std::string canonicalFileName(std::string_view name);

// The existing file or folder named by `linuxPath`, each component matched without regard to
// case when the exact name is absent. Among several matches the exact spelling wins, else the
// smallest name by bytes (upper case first), so the choice is always the same.
// kNotFound names the first component that does not exist.
rt::Result<std::string> resolveExisting(std::string_view linuxPath);

// Where a file named `name` in `folder` is written: the existing file of that name in any case
// (so a table is replaced, never doubled as "IMP0110.DBF" beside "imp0110.dbf"), else the
// upper-case name. The folder must exist (found without regard to case); `name` must be a
// plain name.
rt::Result<std::string> pathForFile(std::string_view folder, std::string_view name);

// Regular files of `folder` whose names match `pattern` (wildcardMatch), sorted by name.
rt::Result<std::vector<std::string>> listFiles(std::string_view folder, std::string_view pattern);

}  // namespace platform

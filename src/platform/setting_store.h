// The installation's own settings file, in place of the Windows registry key
// HKEY_LOCAL_MACHINE\SOFTWARE\TAVREN. It holds one value today, "fator3", the number computed
// from the access password.
//
// The file is `TAVREN.KEY` in the program folder, shared by every terminal of the office like
// the registry value was shared by every user of one machine; TAVREN_FATOR3_FILE names
// another file (tests, or an office that keeps it elsewhere). Format: text lines
// "name=value", LF-terminated; lines it does not know are kept when a value is written.
// Writes are atomic (scratch file beside it, fsync, rename, fsync of the folder), so a
// terminal never reads half a file; when two terminals write at once, the last write wins.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/paths.h"
#include "rt/base/result.h"

namespace platform {

class SettingStore {
 public:
  static constexpr std::string_view kFileName = "TAVREN.KEY";
  static constexpr std::string_view kEnvironmentVariable = "TAVREN_FATOR3_FILE";

  explicit SettingStore(std::string path) : path_(std::move(path)) {}
  // TAVREN_FATOR3_FILE when set and not empty, else TAVREN.KEY in the program folder (found
  // without regard to case when it exists).
  static SettingStore forProgramFolder(std::string_view programFolder,
                                       const EnvLookup& env = processEnvironment());

  const std::string& path() const { return path_; }

  // The value of `name`; nullopt when the file or the line is missing.
  rt::Result<std::optional<std::string>> read(std::string_view name) const;
  // Sets `name` to `value` (no line breaks), keeping the file's other lines.
  rt::Status write(std::string_view name, std::string_view value) const;

  // "fator3" as a number. Missing file or line: nullopt (the caller falls back to the copy in
  // the terminal's settings). A line that is not a whole number: kCorrupt.
  rt::Result<std::optional<std::int64_t>> readFator3() const;
  rt::Status writeFator3(std::int64_t value) const;

 private:
  std::string path_;
};

}  // namespace platform

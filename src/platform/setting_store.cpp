#include "platform/setting_store.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <vector>

#include "platform/temp_file.h"
#include "rt/base/unique_fd.h"

namespace platform {

using rt::Error;
using rt::Result;
using rt::Status;
using rt::UniqueFd;

namespace {

constexpr std::string_view kFator3 = "fator3";
constexpr std::size_t kMaxFileSize = 64 * 1024;  // a settings file is a few lines

// The whole file; nullopt when it does not exist.
Result<std::optional<std::string>> readWhole(const std::string& path) {
  UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.valid()) {
    if (errno == ENOENT) return std::optional<std::string>();
    return Status::fromErrno(errno, "open " + path);
  }
  std::string data;
  char buf[4096];
  for (;;) {
    ssize_t n = ::read(fd.get(), buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      return Status::fromErrno(errno, "read " + path);
    }
    if (n == 0) break;
    data.append(buf, static_cast<std::size_t>(n));
    if (data.size() > kMaxFileSize) return Result<std::optional<std::string>>(Error::kCorrupt, path + ": too large");
  }
  return std::optional<std::string>(std::move(data));
}

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> lines(std::string_view text) {
  std::vector<std::string_view> out;
  while (!text.empty()) {
    std::size_t nl = text.find('\n');
    out.push_back(text.substr(0, nl));
    if (nl == std::string_view::npos) break;
    text.remove_prefix(nl + 1);
  }
  return out;
}

// The name of a "name=value" line, or "" for comments, blank and malformed lines.
std::string_view lineName(std::string_view line) {
  std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return {};
  return trimmed(line.substr(0, eq));
}

std::string folderOf(const std::string& path) {
  std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

SettingStore SettingStore::forProgramFolder(std::string_view programFolder, const EnvLookup& env) {
  const char* overridden = env(std::string(kEnvironmentVariable).c_str());
  if (overridden != nullptr && overridden[0] != '\0') return SettingStore(overridden);
  Result<std::string> path = pathForFile(programFolder, kFileName);
  return SettingStore(path ? *path : join(programFolder, kFileName));
}

Result<std::optional<std::string>> SettingStore::read(std::string_view name) const {
  auto data = readWhole(path_);
  if (!data) return data.status();
  if (!data->has_value()) return std::optional<std::string>();
  for (std::string_view line : lines(**data)) {
    if (equalsIgnoreCase(lineName(line), name)) return std::optional<std::string>(trimmed(line.substr(line.find('=') + 1)));
  }
  return std::optional<std::string>();
}

Status SettingStore::write(std::string_view name, std::string_view value) const {
  if (name.empty() || name.find_first_of("=\n\r") != std::string_view::npos ||
      value.find_first_of("\n\r") != std::string_view::npos)
    return {Error::kBadArgument, "setting " + std::string(name)};
  auto data = readWhole(path_);
  if (!data) return data.status();

  std::string out;
  bool replaced = false;
  if (data->has_value()) {
    for (std::string_view line : lines(**data)) {
      if (equalsIgnoreCase(lineName(line), name)) {
        if (replaced) continue;  // a doubled line would make the next read ambiguous
        replaced = true;
        out.append(name).append("=").append(value).append("\n");
      } else {
        out.append(line).append("\n");
      }
    }
  }
  if (!replaced) out.append(name).append("=").append(value).append("\n");

  // Keep the permissions of the file being replaced, so one user's change does not lock
  // the other users of the office out of it.
  mode_t mode = 0666;
  struct stat st {};
  if (::stat(path_.c_str(), &st) == 0) mode = st.st_mode & 07777;
  std::string folder = folderOf(path_);
  Result<TempFile> temp = createScratchBeside(path_, mode);
  if (!temp) return temp.status();
  if (data->has_value() && ::fchmod(temp->fd(), mode) != 0) return Status::fromErrno(errno, "chmod " + temp->path());
  if (Status s = temp->write(out); !s) return s;
  if (Status s = temp->putInPlace(path_); !s) return s;
  return syncFolder(folder);
}

Result<std::optional<std::int64_t>> SettingStore::readFator3() const {
  auto text = read(kFator3);
  if (!text) return text.status();
  if (!text->has_value()) return std::optional<std::int64_t>();
  const std::string& s = **text;
  std::int64_t value = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || end != s.data() + s.size() || s.empty())
    return Result<std::optional<std::int64_t>>(Error::kCorrupt, path_ + ": fator3=" + s);
  return std::optional<std::int64_t>(value);
}

Status SettingStore::writeFator3(std::int64_t value) const { return write(kFator3, std::to_string(value)); }

}  // namespace platform

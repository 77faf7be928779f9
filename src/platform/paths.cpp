#include "platform/paths.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <memory>

#include "rt/text/strings.h"

namespace platform {

using rt::Error;
using rt::Result;
using rt::Status;

namespace {

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

int letterIndex(char letter) {
  char c = lowerAscii(letter);
  return c >= 'a' && c <= 'z' ? c - 'a' : -1;
}

bool hasDrive(std::string_view s) { return s.size() >= 2 && letterIndex(s[0]) >= 0 && s[1] == ':'; }

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

// Separators turned into "/", runs of them into one.
void appendNormalized(std::string& out, std::string_view rest) {
  for (char c : rest) {
    if (isSeparator(c)) {
      if (out.empty() || out.back() != '/') out += '/';
    } else {
      out += c;
    }
  }
}

struct DirCloser {
  void operator()(DIR* d) const { closedir(d); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

// The entry of `folder` equal to `name` without regard to case; "" when there is none.
Result<std::string> findIgnoringCase(const std::string& folder, std::string_view name) {
  DirHandle dir(opendir(folder.empty() ? "." : folder.c_str()));
  if (!dir) return Status::fromErrno(errno, "opendir " + folder);
  std::string best;
  while (dirent* e = readdir(dir.get())) {
    std::string_view entry(e->d_name);
    if (entry == "." || entry == "..") continue;
    if (!equalsIgnoreCase(entry, name)) continue;
    if (best.empty() || entry < std::string_view(best)) best = entry;
  }
  return best;
}

}  // namespace

EnvLookup processEnvironment() {
  return [](const char* name) -> const char* { return std::getenv(name); };
}

DriveMap::DriveMap() : uncRoot_("/mnt") {
  for (int i = 0; i < 26; ++i) drives_[static_cast<std::size_t>(i)] = "/mnt/" + std::string(1, static_cast<char>('a' + i));
  drives_[2] = "/";
}

DriveMap DriveMap::fromEnvironment(const EnvLookup& env) {
  DriveMap map;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    std::string name = "TAVREN_DRIVE_";
    name += letter;
    const char* value = env(name.c_str());
    if (value != nullptr && value[0] == '/') map.setDrive(letter, value);
  }
  const char* unc = env("TAVREN_UNC_ROOT");
  if (unc != nullptr && unc[0] == '/') map.setUncRoot(unc);
  return map;
}

void DriveMap::setDrive(char letter, std::string folder) {
  int i = letterIndex(letter);
  if (i >= 0) drives_[static_cast<std::size_t>(i)] = std::move(folder);
}

const std::string& DriveMap::drive(char letter) const {
  static const std::string kNone;
  int i = letterIndex(letter);
  return i >= 0 ? drives_[static_cast<std::size_t>(i)] : kNone;
}

void DriveMap::setUncRoot(std::string folder) { uncRoot_ = std::move(folder); }

std::string DriveMap::toLinux(std::string_view stored) const {
  std::string_view s = trimBlanks(stored);
  std::string out;
  if (s.size() >= 2 && isSeparator(s[0]) && isSeparator(s[1])) {
    // "\\server\share\rest": the server and share become folders under the network root.
    out = uncRoot_;
    if (out.empty() || out.back() != '/') out += '/';
    appendNormalized(out, s.substr(2));
  } else if (hasDrive(s)) {
    out = drive(s[0]);
    std::string_view rest = s.substr(2);
    if (!rest.empty()) {
      // "C:DADOS" is read as "C:\DADOS": a Linux process has no current folder per drive.
      if (out.empty() || out.back() != '/') out += '/';
      appendNormalized(out, rest);
    }
  } else {
    appendNormalized(out, s);
  }
  return out;
}

bool isSeparator(char c) { return c == '/' || c == '\\'; }

std::string withSeparator(std::string_view path) {
  std::string out(path);
  if (out.empty() || isSeparator(out.back())) return out;
  bool backslash = path.find('\\') != std::string_view::npos || (path.size() == 2 && hasDrive(path));
  out += backslash ? '\\' : '/';
  return out;
}

std::string withoutSeparator(std::string_view path) {
  if (path.empty() || !isSeparator(path.back())) return std::string(path);
  if (path.size() == 1) return std::string(path);                   // "/" or "\"
  if (path.size() == 3 && hasDrive(path)) return std::string(path);  // "C:\"
  path.remove_suffix(1);
  return std::string(path);
}

std::string_view lastComponent(std::string_view path) {
  std::size_t pos = path.find_last_of("/\\");
  return pos == std::string_view::npos ? path : path.substr(pos + 1);
}

std::string join(std::string_view folder, std::string_view name) {
  if (folder.empty()) return std::string(name);
  std::string out(folder);
  if (!isSeparator(out.back())) out += '/';
  while (!name.empty() && isSeparator(name.front())) name.remove_prefix(1);
  out += name;
  return out;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lowerAscii(a[i]) != lowerAscii(b[i])) return false;
  return true;
}

bool wildcardMatch(std::string_view name, std::string_view pattern) {
  // Iterative matcher with one backtrack point for the last "*": linear in practice and never
  // recursive, whatever the archive or folder hands us.
  std::size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() && (pattern[p] == '?' || lowerAscii(pattern[p]) == lowerAscii(name[n]))) {
      ++p;
      ++n;
    } else if (starP != std::string_view::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::string canonicalFileName(std::string_view name) { return rt::text::upper(name); }

Result<std::string> resolveExisting(std::string_view linuxPath) {
  if (linuxPath.empty()) return Result<std::string>(Error::kBadArgument, "empty path");
  bool absolute = linuxPath.front() == '/';
  std::string current = absolute ? "/" : "";
  std::size_t pos = 0;
  while (pos < linuxPath.size()) {
    std::size_t end = linuxPath.find('/', pos);
    if (end == std::string_view::npos) end = linuxPath.size();
    std::string_view part = linuxPath.substr(pos, end - pos);
    pos = end + 1;
    if (part.empty()) continue;
    std::string exact = join(current, part);
    struct stat st {};
    if (part == "." || part == ".." || lstat(exact.c_str(), &st) == 0) {
      current = std::move(exact);
      continue;
    }
    if (errno != ENOENT) return Status::fromErrno(errno, "lstat " + exact);
    Result<std::string> found = findIgnoringCase(current, part);
    if (!found) return found.status();
    if (found->empty()) return Result<std::string>(Error::kNotFound, exact);
    current = join(current, *found);
  }
  if (current.empty()) current = ".";
  return current;
}

Result<std::string> pathForFile(std::string_view folder, std::string_view name) {
  if (name.empty() || name == "." || name == ".." || name.find_first_of("/\\") != std::string_view::npos)
    return Result<std::string>(Error::kBadArgument, "not a plain file name: " + std::string(name));
  std::string dir = ".";
  if (!folder.empty()) {
    Result<std::string> resolved = resolveExisting(folder);
    if (!resolved) return resolved.status();
    dir = std::move(*resolved);
  }
  std::string exact = join(dir, name);
  struct stat st {};
  if (lstat(exact.c_str(), &st) == 0) return exact;  // the spelling given exists: it wins
  Result<std::string> found = findIgnoringCase(dir, name);
  if (!found) return found.status();
  return join(dir, found->empty() ? canonicalFileName(name) : *found);
}

Result<std::vector<std::string>> listFiles(std::string_view folder, std::string_view pattern) {
  Result<std::string> dirPath = resolveExisting(folder.empty() ? "." : folder);
  if (!dirPath) return dirPath.status();
  DirHandle dir(opendir(dirPath->c_str()));
  if (!dir) return Status::fromErrno(errno, "opendir " + *dirPath);
  std::vector<std::string> names;
  while (dirent* e = readdir(dir.get())) {
    std::string_view entry(e->d_name);
    if (entry == "." || entry == ".." || !wildcardMatch(entry, pattern)) continue;
    struct stat st {};
    if (stat(join(*dirPath, entry).c_str(), &st) == 0 && S_ISREG(st.st_mode)) names.emplace_back(entry);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace platform

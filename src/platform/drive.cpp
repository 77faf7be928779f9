#include "platform/drive.h"

#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/paths.h"

namespace platform {

using rt::Error;
using rt::Result;
using rt::Status;

namespace {

// Magic numbers from <linux/magic.h> and the file systems' own headers, written out so the
// list does not depend on which kernel headers the build machine has.
constexpr std::int64_t kNetworkTypes[] = {
    0x6969,      // NFS
    0x517B,      // SMB (smbfs)
    0xFF534D42,  // CIFS
    0xFE534D42,  // SMB2
    0x65735546,  // FUSE
    0x73757245,  // Coda
    0x5346414F,  // AFS (OpenAFS)
    0x6B414653,  // kAFS
    0x00C36400,  // Ceph
    0x01021997,  // 9P (v9fs)
    0x564C,      // NCP (NetWare)
    0x01161970,  // GFS2
    0x7461636F,  // OCFS2
    0x0BD00BD0,  // Lustre
};

}  // namespace

bool isNetworkFileSystemType(std::int64_t fsType) {
  // f_type is signed on some ABIs; compare the low 32 bits, where every magic lives.
  std::int64_t low = fsType & 0xFFFFFFFF;
  for (std::int64_t t : kNetworkTypes)
    if (t == low) return true;
  return false;
}

std::string nearestExistingFolder(std::string_view path) {
  std::string p = withoutSeparator(path);
  while (!p.empty()) {
    struct stat st {};
    if (::stat(p.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return p;
    std::size_t slash = p.find_last_of('/');
    if (slash == std::string::npos) break;
    p = slash == 0 ? "/" : p.substr(0, slash);
    if (p == "/") return p;
  }
  return ".";
}

Result<bool> isOnNetwork(std::string_view path) {
  std::string folder = nearestExistingFolder(path);
  struct statfs fs {};
  if (::statfs(folder.c_str(), &fs) != 0) return Status::fromErrno(errno, "statfs " + folder);
  return isNetworkFileSystemType(static_cast<std::int64_t>(fs.f_type));
}

Result<std::uint64_t> freeSpace(std::string_view path) {
  std::string folder = nearestExistingFolder(path);
  struct statvfs vfs {};
  if (::statvfs(folder.c_str(), &vfs) != 0) return Status::fromErrno(errno, "statvfs " + folder);
  return static_cast<std::uint64_t>(vfs.f_bavail) * static_cast<std::uint64_t>(vfs.f_frsize);
}

Result<std::string> currentFolder() {
  std::vector<char> buf(4096);
  while (::getcwd(buf.data(), buf.size()) == nullptr) {
    if (errno != ERANGE) return Status::fromErrno(errno, "getcwd");
    buf.resize(buf.size() * 2);
  }
  return std::string(buf.data());
}

Status changeFolder(std::string_view path) {
  std::string p(path);
  if (::chdir(p.c_str()) != 0) return Status::fromErrno(errno, "chdir " + p);
  return {};
}

bool canWriteTo(std::string_view path) {
  std::string folder = nearestExistingFolder(path);
  return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

bool folderExists(std::string_view path) {
  struct stat st {};
  return !path.empty() && ::stat(std::string(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool fileExists(std::string_view path) {
  struct stat st {};
  return !path.empty() && ::stat(std::string(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

Status createFolder(std::string_view path) {
  std::string p = withoutSeparator(path);
  if (::mkdir(p.c_str(), 0777) != 0) return Status::fromErrno(errno, "mkdir " + p);
  return {};
}

Result<std::string> createFolders(std::string_view path) {
  if (path.empty()) return Result<std::string>(Error::kBadArgument, "empty folder name");
  std::string current = path.front() == '/' ? "/" : "";
  std::size_t pos = 0;
  while (pos < path.size()) {
    std::size_t end = path.find_first_of("/", pos);
    if (end == std::string_view::npos) end = path.size();
    std::string_view part = path.substr(pos, end - pos);
    pos = end + 1;
    if (part.empty() || part == ".") continue;
    std::string next = join(current, part);
    Result<std::string> existing = part == ".." ? Result<std::string>(next) : resolveExisting(next);
    if (existing) {
      if (!folderExists(*existing)) return Result<std::string>(Error::kNotFolder, *existing);
      current = std::move(*existing);
      continue;
    }
    if (existing.code() != Error::kNotFound) return existing.status();
    if (::mkdir(next.c_str(), 0777) != 0 && !(errno == EEXIST && folderExists(next)))
      return Status::fromErrno(errno, "mkdir " + next);
    current = std::move(next);
  }
  return current.empty() ? std::string(".") : current;
}

Status removeFolder(std::string_view path) {
  std::string p = withoutSeparator(path);
  if (::rmdir(p.c_str()) != 0) return Status::fromErrno(errno, "rmdir " + p);
  return {};
}

}  // namespace platform

// Questions about folders and the disks under them: whether a folder lies on a network file
// system (the terminal-number prompt is shown only there), how much room a disk has (backups
// and folder copies check it first), and creating and removing folders.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "rt/base/result.h"

namespace platform {

// Whether a file-system type (statfs f_type) is a network or cluster file system: NFS,
// SMB/CIFS/SMB2, FUSE (sshfs, gvfs and the like), Coda, AFS, Ceph, 9P, NCP, GFS2, OCFS2,
// Lustre. A share mounted through FUSE counts as network even when the FUSE program is local:
// the question is whether other machines may see the same files, and FUSE cannot tell us.
bool isNetworkFileSystemType(std::int64_t fsType);

// Whether `path` (or, when it does not exist yet, its nearest existing parent folder) is on a
// network file system.
rt::Result<bool> isOnNetwork(std::string_view path);

// Bytes an unprivileged user may still write on the disk of `path` (or of its nearest
// existing parent), from statvfs.
rt::Result<std::uint64_t> freeSpace(std::string_view path);

// The nearest folder of `path` (itself included) that exists; "." for a relative path whose
// every level is missing.
std::string nearestExistingFolder(std::string_view path);

// The process's current folder.
rt::Result<std::string> currentFolder();
rt::Status changeFolder(std::string_view path);

// Whether files can be made in `path`, or, when it does not exist yet, in its nearest existing
// parent (where its missing levels would be made): the old "is the diskette in?" question.
bool canWriteTo(std::string_view path);

bool folderExists(std::string_view path);  // follows symbolic links
bool fileExists(std::string_view path);    // a regular file, following symbolic links

// One folder level (mkdir, mode 0777 less the umask).
rt::Status createFolder(std::string_view path);

// Makes sure the folder `path` (a Linux path, see DriveMap::toLinux) exists, creating the missing levels one by one. Levels that
// exist are matched without regard to case, so "/srv/DADOS/2010" reuses "/srv/dados"; new
// levels keep the spelling given. Returns the path as it is on disk. A level that exists but
// is not a folder, or cannot be created, is reported with its own name.
rt::Result<std::string> createFolders(std::string_view path);

// Removes one empty folder.
rt::Status removeFolder(std::string_view path);

}  // namespace platform

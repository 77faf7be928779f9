// The backup archive of a data folder, in place of the old outside archiver: a zip file
// (`IMPZIP10.ICE` by the caller's choice of name) written and read in-process with libarchive.
//
// Writing goes to a scratch file beside the archive that is renamed over it only when every
// table was read whole, so a failed run never leaves an archive that looks like a backup.
// Reading trusts nothing in the archive: entries are extracted only when their name is a plain
// file name matching the caller's pattern and they are regular files, into a fresh scratch
// folder; the caller checks them and moves them into place. Any damage found anywhere in the
// archive (bad checksum, truncation, wrong size) refuses the whole archive and extracts
// nothing.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/temp_file.h"
#include "rt/base/result.h"

namespace platform {

struct ArchiveEntry {
  std::string name;          // as stored in the archive
  std::uint64_t size = 0;    // bytes of the file
  bool regular = false;      // a plain file (not a folder, link or device)
};

struct ArchiveListing {
  std::uint64_t archiveBytes = 0;  // size of the archive file itself
  std::vector<ArchiveEntry> entries;
};

// Writes a zip archive at `archivePath` holding the files `names` of `folder` (plain names,
// found without regard to case), each under its name on disk, with its modification time.
// The archive replaces any file of that name only when complete and synced to disk.
rt::Result<ArchiveListing> writeZip(std::string_view archivePath, std::string_view folder,
                                    std::span<const std::string> names);

// The entries of the archive, from its headers only.
rt::Result<ArchiveListing> listArchive(std::string_view archivePath);

// Reads every entry of the archive to its end, so checksums and sizes are checked; with
// `expectedBytes` (the size of the original after a copy) the archive must also be that long.
rt::Result<ArchiveListing> verifyArchive(std::string_view archivePath, std::int64_t expectedBytes = -1);

// Why an entry was not extracted.
struct RefusedEntry {
  std::string name;
  std::string reason;  // "unsafe name", "not a regular file", "does not match", "duplicate name",
                       // "not wanted"
};

struct Extraction {
  TempFolder folder;                  // holds the extracted files; removed with this object
  std::vector<ArchiveEntry> files;    // extracted, in archive order, under their archive names
  std::vector<RefusedEntry> refused;  // everything else in the archive
  std::string pathOf(const ArchiveEntry& e) const;
};

// Whether an archive entry name is a plain file name: not empty, no "/", "\", ":" or NUL,
// not "." or "..", no control characters.
bool isPlainEntryName(std::string_view name);

// How much an extraction may write: a bomb (a small archive that expands without end) is
// stopped at the first entry that goes over, before the disk fills.
struct ExtractLimits {
  // The most bytes the entry of this name may hold; none given means no limit per entry. 0
  // means the name is not wanted: the entry is refused ("not wanted") and nothing is written.
  std::function<std::uint64_t(std::string_view name)> maxEntryBytes;
  // The most bytes all extracted entries together may hold (what the disk can spare).
  std::uint64_t maxTotalBytes = UINT64_MAX;
};

// Extracts the entries whose plain names match `pattern` (wildcardMatch: "IMP??10.DBF", any
// case) into a new scratch folder under `scratchParent`. An entry that holds (or claims to
// hold) more than `limits` allow ends the extraction at once with kNoSpace, naming the entry;
// nothing is kept. Names that are not plain (paths,
// "..", absolute names), entries that are not regular files (links, folders, devices, hard
// links) and a second entry of a name already taken (in any case) are refused and listed.
// A damaged or truncated archive is an error (kCorrupt) and leaves nothing behind.
// Give the data folder itself (or a folder on the same disk) as `scratchParent`, so the tables
// can then be renamed into place, which is atomic, rather than copied; extracted files get
// mode 0666 less the umask, and the caller gives each the permissions of the table it replaces.
rt::Result<Extraction> extractMatching(std::string_view archivePath, std::string_view pattern,
                                       std::string_view scratchParent, const ExtractLimits& limits = {});

}  // namespace platform

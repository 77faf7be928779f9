#include "platform/drive.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "scratch.h"

namespace platform {

using rt::Error;
using rt::Result;

namespace {

using platform_test::Scratch;

TEST(Drive, NetworkFileSystemTypes) {
  EXPECT_TRUE(isNetworkFileSystemType(0x6969));                                   // NFS
  EXPECT_TRUE(isNetworkFileSystemType(0xFF534D42));                               // CIFS
  EXPECT_TRUE(isNetworkFileSystemType(static_cast<std::int32_t>(0xFE534D42)));    // SMB2, signed f_type
  EXPECT_TRUE(isNetworkFileSystemType(0x65735546));                               // FUSE
  EXPECT_FALSE(isNetworkFileSystemType(0xEF53));                                  // ext4
  EXPECT_FALSE(isNetworkFileSystemType(0x01021994));                              // tmpfs
  EXPECT_FALSE(isNetworkFileSystemType(0x58465342));                              // xfs
}

TEST(Drive, LocalFoldersAreNotOnTheNetwork) {
  Result<bool> tmp = isOnNetwork("/tmp");
  ASSERT_TRUE(tmp) << tmp.status().message();
  EXPECT_FALSE(*tmp);
  // A folder still to be made is judged by the nearest one that exists.
  EXPECT_EQ(nearestExistingFolder("/tmp/no/such/folder/yet"), "/tmp");
  EXPECT_TRUE(isOnNetwork("/tmp/no/such/folder/yet"));
}

TEST(Drive, FreeSpaceAndCurrentFolder) {
  Result<std::uint64_t> free = freeSpace("/tmp");
  ASSERT_TRUE(free);
  EXPECT_GT(*free, 0u);
  EXPECT_TRUE(freeSpace("/tmp/not/made/yet"));
  Result<std::string> cwd = currentFolder();
  ASSERT_TRUE(cwd);
  EXPECT_EQ(*cwd, std::filesystem::current_path().string());
}

TEST(Drive, CreatesFoldersLevelByLevel) {
  Scratch dir;
  std::filesystem::create_directories(dir / "A");
  Result<std::string> made = createFolders(dir / "A/B/C");
  ASSERT_TRUE(made) << made.status().message();
  EXPECT_EQ(*made, dir / "A/B/C");
  EXPECT_TRUE(folderExists(dir / "A/B/C"));
  EXPECT_TRUE(createFolders(dir / "A/B/C"));  // existing levels pass

  // Existing levels are found in any case; new ones keep the spelling given.
  Result<std::string> mixed = createFolders(dir / "a/b/Novo/");
  ASSERT_TRUE(mixed);
  EXPECT_EQ(*mixed, dir / "A/B/Novo");
  EXPECT_FALSE(folderExists(dir / "a"));

  platform_test::writeFile(dir / "A/ARQ", "x");
  Result<std::string> blocked = createFolders(dir / "A/ARQ/X");
  ASSERT_FALSE(blocked);
  EXPECT_EQ(blocked.code(), Error::kNotFolder);
  EXPECT_NE(blocked.status().detail().find("ARQ"), std::string::npos);
}

TEST(Drive, WritableDestination) {
  Scratch dir;
  EXPECT_TRUE(canWriteTo(dir / "backup/2010"));  // judged by the nearest existing level
  std::filesystem::create_directories(dir / "ro");
  chmod((dir / "ro").c_str(), 0555);
  if (geteuid() != 0) {
    EXPECT_FALSE(canWriteTo(dir / "ro/backup"));
  }
  chmod((dir / "ro").c_str(), 0755);
}

TEST(Drive, CreateAndRemoveOneFolder) {
  Scratch dir;
  ASSERT_TRUE(createFolder(dir / "X"));
  EXPECT_EQ(createFolder(dir / "X").code(), Error::kExists);
  EXPECT_EQ(createFolder(dir / "Y/Z").code(), Error::kNotFound);
  platform_test::writeFile(dir / "X/f", "x");
  EXPECT_EQ(removeFolder(dir / "X").code(), Error::kExists);  // not empty: left alone
  std::filesystem::remove(dir / "X/f");
  EXPECT_TRUE(removeFolder(dir / "X/"));  // a trailing separator is accepted
  EXPECT_FALSE(folderExists(dir / "X"));
  EXPECT_FALSE(fileExists(dir.path()));  // a folder is not a file
}

}  // namespace
}  // namespace platform

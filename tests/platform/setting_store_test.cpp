#include "platform/setting_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>

#include "scratch.h"

namespace platform {

using rt::Error;
using rt::Result;
using rt::Status;

namespace {

using platform_test::readFile;
using platform_test::Scratch;
using platform_test::writeFile;

TEST(SettingStore, MissingFileMeansNoValue) {
  Scratch dir;
  SettingStore store(dir / "TAVREN.KEY");
  Result<std::optional<std::int64_t>> v = store.readFator3();
  ASSERT_TRUE(v) << v.status().message();
  EXPECT_FALSE(v->has_value());
}

TEST(SettingStore, RoundTripKeepsOtherLines) {
  Scratch dir;
  SettingStore store(dir / "TAVREN.KEY");
  ASSERT_TRUE(store.writeFator3(2519));
  EXPECT_EQ(readFile(store.path()), "fator3=2519\n");
  EXPECT_EQ(**store.readFator3(), 2519);

  writeFile(store.path(), "# office\r\nother=1\nFATOR3 = 7\nfator3=9\n");
  EXPECT_EQ(**store.readFator3(), 7);  // the first line of the name counts, any case
  ASSERT_TRUE(store.writeFator3(38251));
  EXPECT_EQ(readFile(store.path()), "# office\r\nother=1\nfator3=38251\n");
  EXPECT_EQ(**store.readFator3(), 38251);
  EXPECT_EQ(**store.read("other"), "1");
  EXPECT_FALSE(store.read("absent")->has_value());
}

TEST(SettingStore, BadNumberIsReportedNotGuessed) {
  Scratch dir;
  SettingStore store(dir / "TAVREN.KEY");
  for (const char* bad : {"fator3=12a\n", "fator3=\n", "fator3=1 2\n"}) {
    writeFile(store.path(), bad);
    EXPECT_EQ(store.readFator3().code(), Error::kCorrupt) << bad;
  }
  EXPECT_EQ(store.write("fa=tor", "1").code(), Error::kBadArgument);
  EXPECT_EQ(store.write("fator3", "1\nfator3=2").code(), Error::kBadArgument);
}

TEST(SettingStore, ReplacesAtomicallyAndKeepsPermissions) {
  Scratch dir;
  SettingStore store(dir / "TAVREN.KEY");
  ASSERT_TRUE(store.writeFator3(1));
  ASSERT_EQ(chmod(store.path().c_str(), 0664), 0);
  struct stat before {};
  ASSERT_EQ(stat(store.path().c_str(), &before), 0);
  ASSERT_TRUE(store.writeFator3(2));
  struct stat after {};
  ASSERT_EQ(stat(store.path().c_str(), &after), 0);
  EXPECT_NE(before.st_ino, after.st_ino);  // a new file renamed over the old, never rewritten in place
  EXPECT_EQ(after.st_mode & 07777, 0664u);
  EXPECT_EQ(*listFiles(dir.path(), "*"), std::vector<std::string>{"TAVREN.KEY"});  // no scratch left

  // A folder that cannot be written: the old value stays.
  ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
  Status s = store.writeFator3(3);
  ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
  if (geteuid() != 0) {
    EXPECT_FALSE(s);
    EXPECT_EQ(**store.readFator3(), 2);
  }
}

TEST(SettingStore, PathFromEnvironmentOrProgramFolder) {
  Scratch dir;
  writeFile(dir / "tavren.key", "fator3=5\n");
  auto none = [](const char*) -> const char* { return nullptr; };
  SettingStore inFolder = SettingStore::forProgramFolder(dir.path(), none);
  EXPECT_EQ(inFolder.path(), dir / "tavren.key");  // found without regard to case
  EXPECT_EQ(**inFolder.readFator3(), 5);

  Scratch empty;
  EXPECT_EQ(SettingStore::forProgramFolder(empty.path(), none).path(), empty / "TAVREN.KEY");

  std::string other = dir / "other.key";
  SettingStore overridden = SettingStore::forProgramFolder(dir.path(), [&](const char* name) -> const char* {
    return std::string_view(name) == "TAVREN_FATOR3_FILE" ? other.c_str() : nullptr;
  });
  EXPECT_EQ(overridden.path(), other);
}

}  // namespace
}  // namespace platform

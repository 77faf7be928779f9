#include "platform/archive.h"

#include <archive.h>
#include <archive_entry.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <random>

#include "platform/paths.h"
#include "scratch.h"

namespace platform {

using rt::Error;
using rt::Result;

namespace {

using platform_test::exists;
using platform_test::readFile;
using platform_test::Scratch;
using platform_test::writeFile;

std::string tableBytes(int seed, std::size_t size) {
  std::mt19937 gen(static_cast<unsigned>(seed));
  std::string s(size, '\0');
  for (char& c : s) c = static_cast<char>(gen() & 0xFF);
  s[0] = 0x03;  // looks like a table header; the content is irrelevant, the bytes are not
  s.back() = 0x1A;
  return s;
}

// An archive made by hand, with entries our own writer would never make.
struct HandEntry {
  HandEntry(std::string n, std::string d, unsigned t = AE_IFREG, std::string l = {}, bool hide = false)
      : name(std::move(n)), data(std::move(d)), type(t), link(std::move(l)), hideSize(hide) {}
  std::string name;
  std::string data;
  unsigned type = AE_IFREG;
  std::string link;       // symlink target
  bool hideSize = false;  // the header does not say the size (it comes after the data)
};

void makeZip(const std::string& path, const std::vector<HandEntry>& entries) {
  archive* a = archive_write_new();
  archive_write_set_format_zip(a);
  ASSERT_EQ(archive_write_open_filename(a, path.c_str()), ARCHIVE_OK);
  for (const HandEntry& h : entries) {
    archive_entry* e = archive_entry_new();
    archive_entry_set_pathname(e, h.name.c_str());
    archive_entry_set_filetype(e, h.type);
    archive_entry_set_perm(e, 0644);
    if (h.type == AE_IFLNK) archive_entry_set_symlink(e, h.link.c_str());
    if (!h.hideSize) archive_entry_set_size(e, h.type == AE_IFREG ? static_cast<la_int64_t>(h.data.size()) : 0);
    ASSERT_EQ(archive_write_header(a, e), ARCHIVE_OK) << archive_error_string(a);
    if (h.type == AE_IFREG && !h.data.empty()) archive_write_data(a, h.data.data(), h.data.size());
    archive_entry_free(e);
  }
  archive_write_close(a);
  archive_write_free(a);
}

class ArchiveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(dir / "dados");
    std::filesystem::create_directories(dir / "work");
  }
  std::vector<std::string> filesIn(const std::string& folder) { return *listFiles(folder, "*"); }
  std::size_t foldersIn(const std::string& folder) {
    std::size_t n = 0;
    for (const auto& e : std::filesystem::directory_iterator(folder)) n += e.is_directory() ? 1 : 0;
    return n;
  }
  Scratch dir;
};

TEST_F(ArchiveTest, RoundTripIsByteIdentical) {
  std::vector<std::string> names;
  for (int n = 1; n <= 12; ++n) {
    char name[16];
    std::snprintf(name, sizeof name, "IMP%02d10.DBF", n);
    names.push_back(name);
    writeFile(dir / ("dados/" + names.back()), tableBytes(n, n == 9 ? 300'000 : static_cast<std::size_t>(n * 97)));
  }
  names.push_back("imp2010.dbf");  // lower case on disk: stored as it is, restored by the pattern
  writeFile(dir / "dados/imp2010.dbf", "");
  std::filesystem::last_write_time(dir / "dados/IMP0110.DBF",
                                   std::filesystem::file_time_type::clock::now() - std::chrono::hours(48));

  std::string zip = dir / "work/IMPZIP10.ICE";
  writeFile(zip, "stale archive from an earlier run");
  Result<ArchiveListing> written = writeZip(zip, dir / "dados", names);
  ASSERT_TRUE(written) << written.status().message();
  ASSERT_EQ(written->entries.size(), 13u);
  EXPECT_EQ(written->entries[8].name, "IMP0910.DBF");
  EXPECT_EQ(written->entries[8].size, 300'000u);
  EXPECT_EQ(filesIn(dir / "work"), std::vector<std::string>{"IMPZIP10.ICE"});  // no scratch left

  Result<ArchiveListing> verified = verifyArchive(zip, static_cast<std::int64_t>(written->archiveBytes));
  ASSERT_TRUE(verified) << verified.status().message();
  EXPECT_EQ(verifyArchive(zip, static_cast<std::int64_t>(written->archiveBytes) + 1).code(), Error::kCorrupt);

  std::string scratch;
  {
    Result<Extraction> out = extractMatching(zip, "imp??10.dbf", dir / "work");
    ASSERT_TRUE(out) << out.status().message();
    scratch = out->folder.path();
    ASSERT_EQ(out->files.size(), 13u);
    EXPECT_TRUE(out->refused.empty());
    for (const ArchiveEntry& e : out->files)
      EXPECT_EQ(readFile(out->pathOf(e)), readFile(dir / ("dados/" + e.name))) << e.name;
    // The zip keeps modification times to the second.
    using std::chrono::floor;
    using std::chrono::seconds;
    EXPECT_EQ(floor<seconds>(std::filesystem::last_write_time(out->pathOf(out->files[0]))),
              floor<seconds>(std::filesystem::last_write_time(dir / "dados/IMP0110.DBF")));
  }
  EXPECT_FALSE(exists(scratch));  // the scratch folder goes with the extraction
}

TEST_F(ArchiveTest, FailedWriteLeavesThePreviousFileAlone) {
  writeFile(dir / "dados/IMP0110.DBF", "a");
  std::string zip = dir / "work/IMPZIP10.ICE";
  writeFile(zip, "old");
  std::vector<std::string> names{"IMP0110.DBF", "IMP0210.DBF"};
  Result<ArchiveListing> r = writeZip(zip, dir / "dados", names);
  ASSERT_FALSE(r);
  EXPECT_EQ(r.code(), Error::kNotFound);
  EXPECT_EQ(readFile(zip), "old");
  EXPECT_EQ(filesIn(dir / "work"), std::vector<std::string>{"IMPZIP10.ICE"});
  std::vector<std::string> unsafe{"../IMP0110.DBF"};
  EXPECT_EQ(writeZip(zip, dir / "dados", unsafe).code(), Error::kBadArgument);
}

TEST_F(ArchiveTest, RefusesUnsafeAndForeignEntries) {
  std::string zip = dir / "work/HOSTIL.ICE";
  makeZip(zip, {
                   {"../x", "escape"},
                   {"/tmp/tavren-absolute-IMP0110.DBF", "absolute"},
                   {"sub/IMP0210.DBF", "nested"},
                   {"..\\IMP0310.DBF", "backslash"},
                   {"C:IMP0410.DBF", "drive"},
                   {"README.TXT", "not a table"},
                   {"IMP0610.DBF", "", AE_IFLNK, "/etc/passwd"},
                   {"IMP0710.DBF", "", AE_IFDIR},
                   {"IMP0810.DBF", "table 8"},
                   {"imp0810.dbf", "twin"},
                   {"IMP1010.DBF", "table 10"},
               });
  Result<Extraction> out = extractMatching(zip, "IMP??10.DBF", dir / "work");
  ASSERT_TRUE(out) << out.status().message();
  std::vector<std::string> extracted;
  for (const ArchiveEntry& e : out->files) extracted.push_back(e.name);
  EXPECT_EQ(extracted, (std::vector<std::string>{"IMP0810.DBF", "IMP1010.DBF"}));
  EXPECT_EQ(readFile(out->pathOf(out->files[0])), "table 8");
  EXPECT_EQ(filesIn(out->folder.path()), (std::vector<std::string>{"IMP0810.DBF", "IMP1010.DBF"}));

  std::map<std::string, std::string> why;
  for (const RefusedEntry& r : out->refused) why[r.name] = r.reason;
  EXPECT_EQ(why["../x"], "unsafe name");
  EXPECT_EQ(why["sub/IMP0210.DBF"], "unsafe name");
  EXPECT_EQ(why["../IMP0310.DBF"], "unsafe name");  // the reader turns "\\" into "/"
  EXPECT_EQ(why["C:IMP0410.DBF"], "unsafe name");
  EXPECT_EQ(why["README.TXT"], "does not match");
  EXPECT_EQ(why["IMP0610.DBF"], "not a regular file");
  EXPECT_EQ(why["imp0810.dbf"], "duplicate name");
  EXPECT_EQ(why["IMP0710.DBF/"], "unsafe name");  // a folder
  EXPECT_EQ(out->refused.size(), 9u);
  // Nothing landed beside or above the scratch folder.
  EXPECT_FALSE(exists(dir / "work/x"));
  EXPECT_FALSE(exists(dir / "x"));
  EXPECT_FALSE(exists("/tmp/tavren-absolute-IMP0110.DBF"));
  EXPECT_EQ(filesIn(dir / "work"), std::vector<std::string>{"HOSTIL.ICE"});
}

TEST_F(ArchiveTest, DamagedArchiveExtractsNothing) {
  std::vector<std::string> names{"IMP0110.DBF", "IMP0210.DBF"};
  writeFile(dir / "dados/IMP0110.DBF", tableBytes(1, 20'000));
  writeFile(dir / "dados/IMP0210.DBF", tableBytes(2, 20'000));
  std::string zip = dir / "work/IMPZIP10.ICE";
  ASSERT_TRUE(writeZip(zip, dir / "dados", names));
  std::string whole = readFile(zip);

  std::string truncated = dir / "work/TRUNC.ICE";
  writeFile(truncated, whole.substr(0, whole.size() - 30));
  std::string flipped = dir / "work/FLIP.ICE";
  std::string bad = whole;
  bad[whole.size() / 4] = static_cast<char>(bad[whole.size() / 4] ^ 0x55);  // inside the first entry's data
  writeFile(flipped, bad);
  std::string empty = dir / "work/EMPTY.ICE";
  writeFile(empty, "");
  std::string text = dir / "work/TEXT.ICE";
  writeFile(text, "this is not an archive\n");

  for (const std::string& path : {truncated, flipped, empty, text}) {
    Result<Extraction> out = extractMatching(path, "IMP??10.DBF", dir / "work");
    ASSERT_FALSE(out) << path;
    EXPECT_EQ(out.code(), Error::kCorrupt) << path << ": " << out.status().message();
    EXPECT_FALSE(out.status().detail().empty());
    EXPECT_EQ(foldersIn(dir / "work"), 0u) << path;  // the scratch folder is gone
    EXPECT_FALSE(verifyArchive(path)) << path;
  }
  EXPECT_EQ(extractMatching(dir / "work/MISSING.ICE", "*", dir / "work").code(), Error::kNotFound);
  EXPECT_EQ(foldersIn(dir / "work"), 0u);
}

TEST_F(ArchiveTest, ABombStopsAtTheFirstEntryOverItsLimitOrTheDiskBudget) {
  const std::string big(4 << 20, '\0');  // a few kilobytes once compressed
  std::string zip = dir / "work/BOMBA.ICE";
  makeZip(zip, {{"IMP0110.DBF", "small"},
                {"IMP0210.DBF", big, AE_IFREG, {}, true},
                {"IMP0310.DBF", big},
                {"IMP0410.DBF", "after"}});
  ASSERT_LT(readFile(zip).size(), 100'000u);
  struct Caso {
    ExtractLimits limits;
    const char* firstOver;
  };
  const auto porTabela = [](std::string_view) -> std::uint64_t { return 1 << 20; };
  const Caso casos[] = {
      // The size the header hides is counted as the bytes come.
      {{porTabela, UINT64_MAX}, "IMP0210.DBF"},
      // Only the disk's budget: the two big ones do not both fit.
      {{{}, (4 << 20) + 3 * (1 << 20)}, "IMP0310.DBF"},
  };
  for (const Caso& c : casos) {
    Result<Extraction> out = extractMatching(zip, "IMP??10.DBF", dir / "work", c.limits);
    ASSERT_FALSE(out);
    EXPECT_EQ(out.code(), Error::kNoSpace);
    EXPECT_NE(out.status().message().find(c.firstOver), std::string::npos) << out.status().message();
    EXPECT_EQ(foldersIn(dir / "work"), 0u);  // nothing written is kept
  }
  EXPECT_TRUE(extractMatching(zip, "IMP??10.DBF", dir / "work", {{}, 9 << 20}));
  // Names the caller does not want are refused unread, whatever they hold.
  const auto soPequenas = [](std::string_view n) -> std::uint64_t { return n == "IMP0210.DBF" || n == "IMP0310.DBF" ? 0 : 100; };
  Result<Extraction> out = extractMatching(zip, "IMP??10.DBF", dir / "work", {soPequenas, 1000});
  ASSERT_TRUE(out) << out.status().message();
  EXPECT_EQ(out->files.size(), 2u);
  ASSERT_EQ(out->refused.size(), 2u);
  EXPECT_EQ(out->refused[1].reason, "not wanted");
}

TEST(ArchiveNames, PlainNamesOnly) {
  EXPECT_TRUE(isPlainEntryName("IMP0110.DBF"));
  EXPECT_TRUE(isPlainEntryName("..DBF"));
  for (const char* bad : {"", ".", "..", "a/b", "/abs", "a\\b", "C:X", "x\ny"}) EXPECT_FALSE(isPlainEntryName(bad)) << bad;
}

}  // namespace
}  // namespace platform

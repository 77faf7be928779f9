// The fault hook every write, sync and rename goes through: what a fault does to the call, which
// call it meets (the Nth on a file of a name), and that with none installed nothing changes.
// The replacement of a file by a copy stands for every writer above: whatever call fails, the
// old file stays whole and nothing is left beside it; a write cut short is completed.
#include "rt/fs/faults.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "rt/fs/shared_files.h"
#include "support/disk_faults.h"
#include "support/scratch_dir.h"

namespace rt::fs {
namespace {

using support::DiskFaults;
using support::Fault;
using support::FaultKind;

std::string le(const std::string& c) {
  std::ifstream in(c, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void escreve(const std::string& c, const std::string& bytes) { std::ofstream(c, std::ios::binary) << bytes; }

std::vector<std::string> nomes(const std::string& dir) {
  std::vector<std::string> v;
  for (const auto& e : std::filesystem::directory_iterator(dir)) v.push_back(e.path().filename().string());
  std::sort(v.begin(), v.end());
  return v;
}

TEST(FaultHook, EveryFaultOfACopyLeavesTheOldFileWholeOrTheNewOneComplete) {
  for (const support::FaultCase& c : support::everyFault()) {
    SCOPED_TRACE(c.label());
    support::Pasta pasta("fault");
    const std::string de = pasta / "NOVO", alvo = pasta / "ALVO.TXT";
    const std::string novo(200000, 'n');
    escreve(de, novo);
    escreve(alvo, "antigo");
    Status e;
    {
      DiskFaults falhas(Fault{c.call, c.kind, "ALVO"});
      e = replaceWithCopy(de, alvo);
      EXPECT_EQ(falhas.made(), 1);
    }
    EXPECT_EQ(e.sysError(), support::faultErrno(c.kind));
    EXPECT_EQ(le(alvo), c.kind == FaultKind::kShortWrite ? novo : "antigo");
    EXPECT_EQ(nomes(pasta.caminho()), (std::vector<std::string>{"ALVO.TXT", "NOVO"}));
  }
}

TEST(FaultHook, MeetsOnlyTheNthCallOnItsNameAndNothingOnceRemoved) {
  support::Pasta pasta("fault");
  const int a = ::open((pasta / "A.DBF").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  const int b = ::open((pasta / "B.DBF").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  ASSERT_GE(a, 0);
  ASSERT_GE(b, 0);
  {
    DiskFaults falhas({Fault{Call::kWrite, FaultKind::kIoError, "B.", 2},
                       Fault{Call::kSync, FaultKind::kNoSpace, "A.", 2, /*onward=*/true},
                       Fault{Call::kWrite, FaultKind::kShortWrite, "A.", 3}});
    EXPECT_EQ(fs::write(a, "xx", 2), 2);
    EXPECT_EQ(fs::write(b, "yy", 2), 2);
    EXPECT_EQ(fs::write(a, "xx", 2), 2);
    errno = 0;
    EXPECT_EQ(fs::write(b, "yy", 2), -1);  // B's second
    EXPECT_EQ(errno, EIO);
    EXPECT_EQ(fs::pwrite(a, "abcd", 4, 4), 2);  // A's third, cut to half
    EXPECT_EQ(fs::write(b, "yy", 2), 2);        // the third of B goes ahead
    EXPECT_EQ(fs::fsync(a), 0);
    for (int i = 0; i < 3; ++i) {
      errno = 0;
      EXPECT_EQ(fs::fsync(a), -1);  // from the second on, A's disk stays full
      EXPECT_EQ(errno, ENOSPC);
    }
    EXPECT_EQ(fs::fsync(b), 0);
    EXPECT_EQ(falhas.made(), 5);
  }
  // Removed, the hook changes nothing.
  EXPECT_EQ(fs::write(b, "zz", 2), 2);
  EXPECT_EQ(fs::fsync(a), 0);
  EXPECT_EQ(fs::rename((pasta / "A.DBF").c_str(), (pasta / "C.DBF").c_str()), 0);
  EXPECT_EQ(fs::renameNoReplace((pasta / "B.DBF").c_str(), (pasta / "C.DBF").c_str()), -1);
  EXPECT_EQ(errno, EEXIST);
  EXPECT_EQ(le(pasta / "C.DBF"), "xxxxab");
  EXPECT_EQ(le(pasta / "B.DBF"), "yyyyzz");
  ::close(a);
  ::close(b);
}

}  // namespace
}  // namespace rt::fs

#include "platform/paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "platform/temp_file.h"
#include "scratch.h"

namespace platform {

using rt::Error;
using rt::Result;

namespace {

using platform_test::Scratch;
using platform_test::writeFile;

TEST(DriveMap, TranslatesStoredFolders) {
  DriveMap map;
  EXPECT_EQ(map.toLinux("C:\\DADOS\\"), "/DADOS/");
  EXPECT_EQ(map.toLinux("C:\\ARQUIVOS DE PROGRAMAS RFB\\IRPF2010\\APLICACAO\\DADOS"),
            "/ARQUIVOS DE PROGRAMAS RFB/IRPF2010/APLICACAO/DADOS");  // case kept, inner blanks kept
  EXPECT_EQ(map.toLinux("c:\\home\\ana  "), "/home/ana");             // field padding dropped
  EXPECT_EQ(map.toLinux("C:\\"), "/");
  EXPECT_EQ(map.toLinux("C:"), "/");
  EXPECT_EQ(map.toLinux("A:"), "/mnt/a");
  EXPECT_EQ(map.toLinux("A:\\home\\ana\\dados"), "/mnt/a/home/ana/dados");
  EXPECT_EQ(map.toLinux("a:DADOS"), "/mnt/a/DADOS");
  EXPECT_EQ(map.toLinux("\\\\SERVIDOR\\IRPF\\2010\\"), "/mnt/SERVIDOR/IRPF/2010/");
  EXPECT_EQ(map.toLinux("/home/ana//dados/"), "/home/ana/dados/");
  EXPECT_EQ(map.toLinux("dados\\2010"), "dados/2010");
  EXPECT_EQ(map.toLinux(""), "");
  EXPECT_EQ(map.toLinux("   "), "");
}

TEST(DriveMap, EnvironmentOverridesLetters) {
  std::map<std::string, std::string> env{{"TAVREN_DRIVE_C", "/srv/office"},
                                         {"TAVREN_DRIVE_A", "/media/backup"},
                                         {"TAVREN_DRIVE_B", "relative/ignored"},
                                         {"TAVREN_UNC_ROOT", "/net"}};
  DriveMap map = DriveMap::fromEnvironment([&](const char* name) -> const char* {
    auto it = env.find(name);
    return it == env.end() ? nullptr : it->second.c_str();
  });
  EXPECT_EQ(map.toLinux("C:\\BRANTEL"), "/srv/office/BRANTEL");
  EXPECT_EQ(map.toLinux("a:\\x"), "/media/backup/x");
  EXPECT_EQ(map.drive('B'), "/mnt/b");
  EXPECT_EQ(map.toLinux("\\\\srv\\share"), "/net/srv/share");
  EXPECT_EQ(map.drive('1'), "");
}

TEST(PathText, TrailingSeparatorsAndComponents) {
  EXPECT_EQ(withSeparator("C:\\"), "C:\\");
  EXPECT_EQ(withSeparator("C:\\DADOS"), "C:\\DADOS\\");
  EXPECT_EQ(withSeparator("C:"), "C:\\");
  EXPECT_EQ(withSeparator("/home/ana"), "/home/ana/");
  EXPECT_EQ(withSeparator("/home/ana/"), "/home/ana/");
  EXPECT_EQ(withSeparator(""), "");  // never the root by accident
  EXPECT_EQ(withoutSeparator("C:\\DADOS\\"), "C:\\DADOS");
  EXPECT_EQ(withoutSeparator("C:\\"), "C:\\");
  EXPECT_EQ(withoutSeparator("/"), "/");
  EXPECT_EQ(withoutSeparator("/home/ana/"), "/home/ana");
  EXPECT_EQ(withoutSeparator("/home/ana//"), "/home/ana/");  // one separator only
  EXPECT_EQ(lastComponent("C:\\DADOS\\IMP0110.DBF"), "IMP0110.DBF");
  EXPECT_EQ(lastComponent("/a/b"), "b");
  EXPECT_EQ(lastComponent("nome"), "nome");
  EXPECT_EQ(join("/a", "B.DBF"), "/a/B.DBF");
  EXPECT_EQ(join("/a/", "B.DBF"), "/a/B.DBF");
  EXPECT_EQ(join("", "B.DBF"), "B.DBF");
}

TEST(PathText, WildcardsIgnoreCase) {
  EXPECT_TRUE(wildcardMatch("IMP0110.DBF", "IMP??10.DBF"));
  EXPECT_TRUE(wildcardMatch("imp0910.dbf", "IMP??10.DBF"));
  EXPECT_FALSE(wildcardMatch("IMP010.DBF", "IMP??10.DBF"));
  EXPECT_FALSE(wildcardMatch("IMP0110.DBF.BAK", "IMP??10.DBF"));
  EXPECT_TRUE(wildcardMatch("IMPCORRIG.DBF", "IMP*.DBF"));
  EXPECT_TRUE(wildcardMatch("IMP.DBF", "IMP*.DBF"));
  EXPECT_FALSE(wildcardMatch("IMP0110.CDX", "IMP*.DBF"));
  EXPECT_TRUE(wildcardMatch("", "*"));
  EXPECT_FALSE(wildcardMatch(std::string(200, 'a') + "b", std::string(30, '*') + "c"));
  EXPECT_EQ(canonicalFileName("imp0110.dbf"), "IMP0110.DBF");
}

TEST(Resolve, FindsEveryComponentWithoutRegardToCase) {
  Scratch dir;
  std::filesystem::create_directories(dir / "Dados/Ano2010");
  writeFile(dir / "Dados/Ano2010/imp0110.dbf", "x");
  Result<std::string> found = resolveExisting(dir / "DADOS/ano2010/IMP0110.DBF");
  ASSERT_TRUE(found) << found.status().message();
  EXPECT_EQ(*found, dir / "Dados/Ano2010/imp0110.dbf");

  Result<std::string> missing = resolveExisting(dir / "DADOS/ANO2011/IMP0110.DBF");
  ASSERT_FALSE(missing);
  EXPECT_EQ(missing.code(), Error::kNotFound);
  EXPECT_NE(missing.status().detail().find("ANO2011"), std::string::npos);
}

TEST(Resolve, ExactSpellingWinsThenUpperCaseFirst) {
  Scratch dir;
  writeFile(dir / "imp0110.dbf", "lower");
  writeFile(dir / "Imp0110.dbf", "mixed");
  EXPECT_EQ(*resolveExisting(dir / "imp0110.dbf"), dir / "imp0110.dbf");
  EXPECT_EQ(*resolveExisting(dir / "IMP0110.DBF"), dir / "Imp0110.dbf");
}

TEST(Resolve, NewFilesAreUpperCaseExistingOnesReused) {
  Scratch dir;
  std::filesystem::create_directories(dir / "dados");
  writeFile(dir / "dados/imp0910.dbf", "x");
  EXPECT_EQ(*pathForFile(dir / "DADOS", "IMP0910.DBF"), dir / "dados/imp0910.dbf");
  EXPECT_EQ(*pathForFile(dir / "DADOS", "tmp_0100.dbf"), dir / "dados/TMP_0100.DBF");
  EXPECT_EQ(pathForFile(dir / "DADOS", "../x").code(), Error::kBadArgument);
  EXPECT_EQ(pathForFile(dir / "OUTRA", "X.DBF").code(), Error::kNotFound);
}

TEST(Resolve, ListsMatchingRegularFilesSorted) {
  Scratch dir;
  for (const char* n : {"IMP0210.DBF", "imp0110.dbf", "IMP0110.CDX", "CONFIG.DBF"}) writeFile(dir / n, "x");
  std::filesystem::create_directories(dir / "IMPDIR.DBF");
  Result<std::vector<std::string>> names = listFiles(dir.path(), "IMP*.DBF");
  ASSERT_TRUE(names);
  EXPECT_EQ(*names, (std::vector<std::string>{"IMP0210.DBF", "imp0110.dbf"}));
}

TEST(TempFiles, UniqueNamesRemovedUnlessKept) {
  Scratch dir;
  std::string kept;
  {
    Result<TempFile> a = createTempFile(dir.path(), "TMP", ".TMP");
    Result<TempFile> b = createTempFile(dir.path(), "TMP", ".TMP");
    ASSERT_TRUE(a && b);
    EXPECT_NE(a->path(), b->path());
    EXPECT_TRUE(platform_test::exists(a->path()));
    ASSERT_TRUE(b->write("data"));
    ASSERT_TRUE(b->syncAndClose());
    kept = b->path();
    b->keep();
  }
  EXPECT_EQ(platform_test::readFile(kept), "data");
  EXPECT_EQ(*listFiles(dir.path(), "*"), std::vector<std::string>{std::string(lastComponent(kept))});

  std::string folder;
  {
    Result<TempFolder> t = createTempFolder(dir.path(), "X");
    ASSERT_TRUE(t);
    folder = t->path();
    std::filesystem::create_directories(folder + "/a/b");
    writeFile(folder + "/a/b/f", "x");
  }
  EXPECT_FALSE(platform_test::exists(folder));
}

}  // namespace
}  // namespace platform

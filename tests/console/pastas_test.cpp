#include "support/scratch_dir.h"
#include "console/pastas.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"

namespace {

using namespace rt::text::literals;
namespace fs = std::filesystem;
namespace key = rt::term::key;

class PastasTest : public ::testing::Test, protected console::teste::ConsoleFixture {
 protected:
  void SetUp() override {
    const std::string pasta = support::makeScratchDir("pastas-");
    ASSERT_FALSE(pasta.empty());
    dir = pasta;
    ctx.unidades.setDrive('C', dir.string());
  }
  void TearDown() override { fs::remove_all(dir); }
  fs::path dir;
};

TEST(Barras, TrailingSeparators) {
  EXPECT_EQ(console::BAR_DIR("C:\\"), "C:\\");
  EXPECT_EQ(console::BAR_DIR("C:\\DADOS"), "C:\\DADOS\\");
  EXPECT_EQ(console::BAR_DIR("/srv/dados"), "/srv/dados/");
  EXPECT_EQ(console::BAR_FORA("C:\\DADOS\\"), "C:\\DADOS");
  EXPECT_EQ(console::BAR_FORA("C:\\DADOS"), "C:\\DADOS");
  EXPECT_EQ(console::TIRA_DIR("C:\\DADOS\\IMP0110.DBF"), "IMP0110.DBF");
  EXPECT_EQ(console::TIRA_DIR("IMP0110.DBF"), "IMP0110.DBF");
}

TEST_F(PastasTest, VerdirTestsTheDrivesRootAndFindsFoldersInAnyCase) {
  fs::create_directory(dir / "dados");
  EXPECT_TRUE(console::VERDIR(ctx, "C:\\"));
  EXPECT_TRUE(console::VERDIR(ctx, "C:\\DADOS\\"));
  EXPECT_TRUE(console::VERDIR(ctx, "  C:\\dados  "));
  EXPECT_FALSE(console::VERDIR(ctx, "C:\\OUTRA"));
  EXPECT_FALSE(console::VERDIR(ctx, "   "));
}

TEST_F(PastasTest, MissingFolderMessages) {
  EXPECT_FALSE(console::CONFER_DIR(ctx, "C:\\X"));
  EXPECT_EQ(linha(24).substr(1, 47), "<Dir> C:\\Xnão encontrado. Assumiremos o default"_cp);
  term.press(key::Enter);
  EXPECT_FALSE(console::CONF_DIR(ctx, "C:\\X"));
  EXPECT_TRUE(term.contains("<Dir> C:\\Xnão encontrado."_cp));
  EXPECT_TRUE(console::CONF_DIR(ctx, "C:\\"));
}

TEST_F(PastasTest, DriveNeedsItsColon) {
  term.press(key::Enter);
  EXPECT_FALSE(console::ESPCIF(ctx, "A"));
  EXPECT_TRUE(term.contains("Especifique o drive com ':' após a letra"_cp));
  EXPECT_TRUE(console::ESPCIF(ctx, " A: "));
  EXPECT_TRUE(console::ESPCIF(ctx, "/mnt/backup"));
  EXPECT_FALSE(term.exhausted());
}

TEST_F(PastasTest, CriNdirCreatesLevelByLevelAfterAsking) {
  fs::create_directory(dir / "A");
  term.press('n');
  EXPECT_FALSE(console::CRI_NDIR(ctx, "C:\\A\\B\\C", "dados"));
  EXPECT_TRUE(term.contains("Diretório novo para dados? Cria-o ?"_cp));
  EXPECT_FALSE(fs::exists(dir / "A" / "B"));
  term.press('s');
  EXPECT_TRUE(console::CRI_NDIR(ctx, "C:\\A\\B\\C\\", "dados"));
  EXPECT_TRUE(fs::is_directory(dir / "A" / "B" / "C"));
  EXPECT_TRUE(console::CRI_NDIR(ctx, "C:\\a\\b\\c", "dados"));  // exists: no question
  EXPECT_EQ(term.pending(), 0u);
  EXPECT_FALSE(term.exhausted());
}

TEST_F(PastasTest, CriNdirTellsAFailure) {
  std::ofstream(dir / "ARQ") << "x";
  term.press('s').press(key::Enter);
  EXPECT_FALSE(console::CRI_NDIR(ctx, "C:\\ARQ\\SUB", "backup"));
  EXPECT_TRUE(term.contains("Problemas ao criar a pasta C:\\ARQ\\SUB"));
  EXPECT_FALSE(term.exhausted());
}

TEST_F(PastasTest, FilesAndFolders) {
  std::ofstream(dir / "imp0110.dbf") << "dados";
  EXPECT_TRUE(console::LF_ISFILE(ctx, "C:\\IMP0110.DBF"));
  EXPECT_FALSE(console::LF_ISFILE(ctx, "C:\\IMP0110.DBF", true));
  EXPECT_TRUE(console::LF_ISFILE(ctx, "C:\\", true));
  EXPECT_TRUE(console::CRIADIR(ctx, "C:\\NOVA"));
  EXPECT_FALSE(console::CRIADIR(ctx, "C:\\NOVA"));
  rt::UniqueFd fd = console::LF_FOPEN(ctx, "C:\\Imp0110.dbf");
  ASSERT_TRUE(fd.valid());
  char buf[5];
  EXPECT_EQ(::read(fd.get(), buf, 5), 5);
  EXPECT_FALSE(console::LF_FOPEN(ctx, "C:\\NADA.DBF").valid());
  const std::string antes = console::GETDIR();
  EXPECT_TRUE(console::ALTDIR(ctx, "C:\\NOVA"));
  EXPECT_EQ(fs::current_path(), fs::canonical(dir / "NOVA"));
  EXPECT_EQ(console::ALTDIR(ctx, "C:\\NADA").code(), rt::Error::kNotFound);
  fs::current_path(antes);
}

}  // namespace

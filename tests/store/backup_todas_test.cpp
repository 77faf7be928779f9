// Backup and restore of every folder of the terminal's register onto the backup drive (mapped
// to a scratch mount point), Esc between folders, a folder whose copy is missing, and the main
// screen drawn again after a backup run from the menu.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "declaracao_fixture.h"
#include "platform/archive.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/backup.h"
#include "store/pastas_dados.h"
#include "store/travas.h"
#include "store_fixture.h"

namespace store::teste {
namespace {

namespace fs = std::filesystem;
namespace key = rt::term::key;
using namespace rt::text::literals;

class BackupTodasTest : public StoreFixture, public ::testing::Test {
 protected:
  void SetUp() override {
    ctx.NUSU = "03";
    ctx.definePastaDados(segunda.caminho());
    preencheDeclaracoes(ctx, {"33333333333"}, 1);
    ctx.definePastaDados(dados.caminho());
    preencheDeclaracoes(ctx, {"11111111111", "22222222222"}, 2);
    configDoTerminal("03", {{"XDRIVE", "E"}});
    // Only the folders of the test in the register (the program folder's own row goes);
    // deleted rows hidden, as the program runs.
    ctx.areas.setDeletedHidden(true);
    ASSERT_TRUE(registraPasta(ctx, dados.caminho()));
    ASSERT_TRUE(registraPasta(ctx, segunda.caminho()));
    // A folder named in the register that is not there is passed over.
    ASSERT_TRUE(registraPasta(ctx, dados.caminho() + "-sumiu"));
    rt::db::Table& reg = *area(store::Area::DIRET);
    (void)ctx.areas.select(store::Area::DIRET);
    for (reg.goTop(); reg.status() && !reg.eof(); reg.skip(1)) {
      if (!mesmaPasta(ctx, reg.getText("DIRETOR"), programa.caminho())) continue;
      ASSERT_TRUE(REC_LOCK(ctx, 5));
      ASSERT_TRUE(reg.markDeleted());
      ASSERT_TRUE(reg.flush());
      ASSERT_TRUE(reg.unlock());
    }
    ctx.unidades.setDrive('E', unidade.caminho());
    (void)ctx.areas.closeAll();
    ordem = {};
    for (const std::string& p : pastasDoRegistro(ctx))
      if (fs::is_directory(p)) ordem.push_back(p);
    (void)ctx.areas.closeAll();
    ASSERT_EQ(ordem.size(), 2u);
  }
  // Where the backup of a data folder lies on the drive.
  std::string copiaDe(const std::string& pasta) { return ctx.unidades.toLinux(pastaNoDrive("E", pasta)); }
  std::map<std::string, std::string> tabelas(const std::string& pasta) {
    std::map<std::string, std::string> m;
    for (const auto& e : fs::directory_iterator(pasta)) {
      const std::string n = e.path().filename().string();
      if (n.size() == 11 && n.starts_with("IMP") && n.ends_with("10.DBF"))
        m[n] = leArquivo(e.path().string());
    }
    return m;
  }
  void estraga(const std::string& pasta) {
    escreveArquivo(pasta + "/IMP0410.DBF", "estragado");
    fs::remove(pasta + "/IMP0210.DBF");
  }
  std::string ultback() { return std::string(rt::text::alltrim(leConfig(ctx, "ULTBACK"))); }

  Pasta segunda, unidade;
  std::vector<std::string> ordem;
};

TEST_F(BackupTodasTest, EveryFolderGoesToTheDriveAndComesBack) {
  const auto antes1 = tabelas(dados.caminho()), antes2 = tabelas(segunda.caminho());
  int redesenhos = 0;
  ASSERT_TRUE(BKAUTOMA(ctx, [&](Contexto&) { ++redesenhos; }));
  EXPECT_EQ(redesenhos, 1);
  for (const std::string& p : ordem) {
    const std::string arq = copiaDe(p) + "/IMPZIP10.ICE";
    ASSERT_TRUE(fs::exists(arq)) << arq;
    auto v = platform::verifyArchive(arq);
    ASSERT_TRUE(v);
    EXPECT_TRUE(arq.starts_with(unidade.caminho())) << arq;
  }
  EXPECT_EQ(ultback(), "20100430");
  EXPECT_FALSE(fs::exists(dados.caminho() + "-sumiu"));

  estraga(dados.caminho());
  estraga(segunda.caminho());
  // "Recupera os dados em" for each folder; the pause keeps the second answer from the
  // emptying of the keyboard between folders.
  term.press('S').pause().press('S');
  ASSERT_TRUE(VOAUTOMA(ctx));
  EXPECT_EQ(term.pending(), 0u);
  for (const auto& [antes, pasta] :
       {std::pair{antes1, dados.caminho()}, std::pair{antes2, segunda.caminho()}}) {
    const auto depois = tabelas(pasta);
    for (const auto& [nome, bytes] : antes) {
      ASSERT_TRUE(depois.count(nome)) << pasta << " " << nome;
      EXPECT_TRUE(depois.at(nome) == bytes) << pasta << " " << nome;
    }
  }
  // Drawn again without a drawing of the program's own: the background and the about frame.
  EXPECT_TRUE(term.contains("Terminal 03") ||
              con.screen().rowText(10).find("Terminal 03") != std::string::npos)
      << term.dump();
}

TEST_F(BackupTodasTest, EscBetweenFoldersAbandonsTheRest) {
  ASSERT_TRUE(BKAUTOMA(ctx));
  estraga(dados.caminho());
  estraga(segunda.caminho());
  const auto estragada = tabelas(ordem[1]);
  term.press('S');                  // the first folder is restored
  term.press(key::Esc).press('S');  // "Abandona a Cópia  ???"
  EXPECT_TRUE(VOAUTOMA(ctx));
  EXPECT_TRUE(fs::exists(ordem[0] + "/IMP0210.DBF"));
  EXPECT_TRUE(tabelas(ordem[1]) == estragada);
}

TEST_F(BackupTodasTest, FolderWithoutItsCopyIsToldAndTheOthersAreRestored) {
  ASSERT_TRUE(BKAUTOMA(ctx));
  fs::remove_all(copiaDe(ordem[0]));
  estraga(ordem[0]);
  estraga(ordem[1]);
  term.press('S');
  EXPECT_TRUE(VOAUTOMA(ctx));
  EXPECT_FALSE(fs::exists(ordem[0] + "/IMP0210.DBF"));
  EXPECT_TRUE(fs::exists(ordem[1] + "/IMP0210.DBF"));
}

TEST_F(BackupTodasTest, BackupAskedInItsFrameDrawsTheMainScreenAgain) {
  Pasta copias;
  // Origin: the year folder as proposed; destination typed.
  term.press(key::Enter).type(copias.caminho()).press(key::Enter);
  int redesenhos = 0;
  ASSERT_TRUE(BKMANUAL(ctx, 1, {}, {}, [&](Contexto&) { ++redesenhos; }));
  EXPECT_EQ(redesenhos, 1);
  EXPECT_TRUE(fs::exists(copias / "IMPZIP10.ICE"));
  EXPECT_EQ(std::string(rt::text::alltrim(leConfig(ctx, "ROTABACK"))), copias.caminho());
  // A Linux folder names no drive: the drive of the every-folder backup stays.
  EXPECT_EQ(std::string(rt::text::alltrim(leConfig(ctx, "XDRIVE"))), "E");
  EXPECT_FALSE(ctx.janelas.isOpen(console::Jan::kTela));
}

TEST_F(BackupTodasTest, BackupOfEveryFolderStopsAtTheFirstFailure) {
  // The drive's folder for the first data folder cannot be made: a file stands in its way.
  fs::create_directories(fs::path(copiaDe(ordem[0])).parent_path());
  escreveArquivo(copiaDe(ordem[0]), "arquivo");
  EXPECT_FALSE(BKAUTOMA(ctx));
  EXPECT_FALSE(fs::exists(copiaDe(ordem[1]) + "/IMPZIP10.ICE"));
  EXPECT_EQ(ultback(), "");
}

}  // namespace
}  // namespace store::teste

// Folder names typed in the transfer and backup dialogs: the entries take more than the 40
// characters that CONFIG.ROTABACK and the folder register keep, so a longer name is refused
// with an alert and asked again, never created and stored cut.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "declaracao_fixture.h"
#include "rt/term/keys.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/backup.h"
#include "store/pastas_dados.h"
#include "store/transfere.h"
#include "store_fixture.h"

namespace store::teste {
namespace {

namespace key = rt::term::key;
namespace fs = std::filesystem;

class NomesPastaTest : public StoreFixture, public ::testing::Test {
 protected:
  void SetUp() override {
    ctx.NUSU = "03";
    preencheDeclaracoes(ctx, {"11111111111"}, 1);
    configDoTerminal("03");
    (void)ctx.areas.closeAll();
    ctx.definePastaDados(dados.caminho());
    longa = outra / "uma-pasta-de-nome-longo-demais-para-o-campo";
    ASSERT_GT(longa.size(), 40u);
    // The alert is seen while it waits for its key (a pause queued before that key).
    con.setIdle([this] {
      if (term.contains("O nome da pasta tem mais de 40 caracteres.")) viuAlerta = true;
    });
  }
  std::string rotaBack() {
    auto t = abre(programa / "CONFIG.DBF");
    if (!t) return "?";
    t->goTop();
    if (!t->status()) return "?";
    return std::string(rt::text::alltrim(t->getText("ROTABACK")));
  }

  Pasta outra;
  std::string longa;
  bool viuAlerta = false;
};

TEST_F(NomesPastaTest, TransferToAFolderNameLongerThanTheFieldsIsAskedAgain) {
  term.pause().press(key::Enter);                  // origin: the year folder
  term.pause().type(longa).press(key::Enter);      // destination, too long
  term.pause().press(key::Enter);                  // the alert's Ok
  term.pause().press(key::Esc);                    // the dialog again: leave
  EXPECT_FALSE(TRANOME(ctx, 1));
  EXPECT_TRUE(viuAlerta);
  EXPECT_EQ(term.pending(), 0u);
  EXPECT_FALSE(fs::exists(longa));
  (void)ctx.areas.closeAll();
  for (const std::string& p : pastasDoRegistro(ctx)) EXPECT_EQ(p.find("uma-pasta"), std::string::npos) << p;
}

TEST_F(NomesPastaTest, BackupCopyToAFolderNameLongerThanTheFieldIsAskedAgain) {
  term.pause().press(key::Enter);                  // origin: the year folder
  term.pause().type(longa).press(key::Enter);      // destination, too long
  term.pause().press(key::Enter);                  // the alert's Ok
  term.pause().press(key::Esc);
  EXPECT_FALSE(TRANOME(ctx, 2));
  EXPECT_TRUE(viuAlerta);
  EXPECT_FALSE(fs::exists(longa));
  EXPECT_EQ(rotaBack(), "");
}

TEST_F(NomesPastaTest, CompressedBackupToAFolderNameLongerThanTheFieldIsAskedAgain) {
  std::string origem, destino;
  term.pause().press(key::Enter);
  term.pause().type(longa).press(key::Enter);
  term.pause().press(key::Enter);
  // Asked again: a name that fits is taken.
  term.pause().press(key::Enter);
  term.pause().press(rt::term::ctrlKey('y')).type(outra.caminho()).press(key::Enter);
  ASSERT_TRUE(BUSCANOME(ctx, 1, origem, destino)) << term.dump();
  EXPECT_TRUE(viuAlerta);
  EXPECT_EQ(destino, outra.caminho());
  EXPECT_EQ(rotaBack(), outra.caminho());
  EXPECT_FALSE(fs::exists(longa));
}

}  // namespace
}  // namespace store::teste

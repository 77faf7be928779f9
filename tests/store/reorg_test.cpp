// Index rebuild of a data folder: every table packed and indexed again, a table another
// terminal uses left as it was, and the full rebuild of every registered folder.
#include "store/reorg.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "declaracao_fixture.h"
#include "store/abertura.h"
#include "rt/term/keys.h"
#include "store/pastas_dados.h"
#include "store_fixture.h"

namespace store::teste {
namespace {

namespace fs = std::filesystem;
const std::string kA = "11111111111", kB = "22222222222";

class ReorgTest : public StoreFixture, public ::testing::Test {
 protected:
  void SetUp() override {
    ctx.NUSU = "03";
    preencheDeclaracoes(ctx, {kA, kB}, 2);
  }
  void confereIndices() {
    for (Area n : kComCopia) {
      ASSERT_TRUE(ABERTURA(ctx, n)) << numero(n);
      rt::db::Table& t = *area(n);
      EXPECT_GE(t.orderCount(), 1) << numero(n);
      for (int o = 1; o <= t.orderCount(); ++o) EXPECT_TRUE(t.checkOrder(o)) << numero(n) << " order " << o;
    }
    (void)ctx.areas.closeAll();
  }
};

TEST_F(ReorgTest, EveryTableIsPackedAndIndexedAgain) {
  {
    auto t = abre(dados / "IMP0210.DBF", true);
    t->goTo(1);
    ASSERT_TRUE(t->status());
    ASSERT_TRUE(t->markDeleted());
    ASSERT_TRUE(t->close());
  }
  fs::remove(dados / "IMP0410.CDX");
  fs::remove(dados / "IMP0910B.CDX");
  ASSERT_TRUE(REORG(ctx, dados.caminho(), 3));
  EXPECT_EQ(abre(dados / "IMP0210.DBF")->recordCount(), 3u);
  EXPECT_TRUE(fs::exists(dados / "IMP0410.CDX"));
  EXPECT_TRUE(fs::exists(dados / "IMP0910B.CDX"));
  EXPECT_TRUE(fs::exists(dados / "IMP1310.DBF"));
  confereIndices();
  // The cash book is ordered by CPF, side and date.
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP1910));
  EXPECT_EQ(area(store::Area::IMP1910)->orderExpression(1), "CPF+ATV_BRASIL+DTOS(DT_LC)");
}

TEST_F(ReorgTest, TableInUseIsSkippedTheOthersFinishedAndTheBusyOnesNamed) {
  // Deleted rows in a table before and after the busy one: both must be packed.
  for (const char* nome : {"IMP0210.DBF", "IMP1110.DBF"}) {
    auto t = abre(dados / nome, true);
    t->goTo(1);
    ASSERT_TRUE(t->status());
    ASSERT_TRUE(t->markDeleted());
    ASSERT_TRUE(t->close());
  }
  const auto contagem11 = abre(dados / "IMP1110.DBF")->recordCount();
  const auto antes = fs::last_write_time(dados / "IMP0510.CDX");
  OutroTerminal outro([&] {
    std::vector<std::unique_ptr<rt::db::Table>> v;
    v.push_back(abre(dados / "IMP0510.DBF"));
    return v;
  });
  ASSERT_TRUE(outro.pronto());
  std::vector<std::string> ocupadas;
  EXPECT_FALSE(REORG(ctx, dados.caminho(), 3, &ocupadas));
  EXPECT_EQ(ocupadas, std::vector<std::string>{"IMP0510.DBF"});
  ASSERT_TRUE(fs::exists(dados / "IMP0510.CDX"));
  EXPECT_EQ(fs::last_write_time(dados / "IMP0510.CDX"), antes);
  EXPECT_EQ(abre(dados / "IMP0210.DBF")->recordCount(), 3u);
  EXPECT_EQ(abre(dados / "IMP1110.DBF")->recordCount(), contagem11 - 1);
  // The full rebuild says which tables it left.
  term.press('S');
  term.press(rt::term::key::Enter);
  EXPECT_FALSE(REINDEXA(ctx));
  EXPECT_TRUE(term.contains("IMP0510.DBF")) << term.dump();
}

TEST_F(ReorgTest, FullRebuildErasesTheWorkingCopiesAndRebuildsOnlyTheCurrentFolder) {
  ASSERT_TRUE(fs::exists(trabalho / "TMP_0103.DBF"));
  // The register also names the program folder and another folder, with no tables.
  ASSERT_TRUE(registraPasta(ctx, dados.caminho()));
  ASSERT_TRUE(registraPasta(ctx, programa.caminho()));
  Pasta outra;
  ASSERT_TRUE(registraPasta(ctx, outra.caminho()));
  fs::remove(dados / "IMP0110.CDX");
  term.press('S');
  EXPECT_TRUE(REINDEXA(ctx));
  for (const std::string& n : trabalho.arquivos())
    EXPECT_FALSE(n.starts_with("TMP_") && (n.ends_with("03.DBF") || n.ends_with("03.CDX"))) << n;
  EXPECT_TRUE(fs::exists(dados / "IMP0110.CDX"));
  EXPECT_EQ(ctx.LOCARQ, dados.caminho() + "/");
  for (const Pasta* p : {&programa, &outra})
    for (const std::string& n : p->arquivos()) EXPECT_FALSE(n.starts_with("IMP")) << p->caminho() << "/" << n;
  confereIndices();
}

TEST_F(ReorgTest, NoToTheWarningChangesNothing) {
  term.press('N');
  EXPECT_FALSE(REINDEXA(ctx));
  EXPECT_TRUE(fs::exists(trabalho / "TMP_0103.DBF"));
}

}  // namespace
}  // namespace store::teste

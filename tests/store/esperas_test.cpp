// Every wait for another terminal says so on the screen while it waits, even where nothing
// reads the keyboard: the exclusive open of a save or a load, the save journal of a taxpayer
// another terminal is saving, and the file lock that waits for ever.
#include <gtest/gtest.h>

#include "declaracao_fixture.h"
#include "rt/db/file.h"
#include "rt/text/cp860.h"
#include "store/abertura.h"
#include "store/diario_gravacao.h"
#include "store/tabelas_declaracao.h"
#include "store/travas.h"
#include "store_fixture.h"

namespace store::teste {
namespace {

using namespace rt::text::literals;
using namespace std::chrono_literals;
const std::string kA = "11111111111";

class EsperasTest : public StoreFixture, public ::testing::Test {
 protected:
  void SetUp() override {
    ctx.NUSU = "03";
    preencheDeclaracoes(ctx, {kA}, 1);
    (void)ctx.areas.closeAll();
  }
  // Another terminal holding table `nome` exclusively for a short real time.
  static std::unique_ptr<OutroTerminal> segura(const std::string& caminho, bool exclusivo = true) {
    return std::make_unique<OutroTerminal>(
        [caminho, exclusivo] {
          std::vector<std::unique_ptr<rt::db::Table>> v;
          v.push_back(abre(caminho, exclusivo));
          if (!exclusivo) (void)v.back()->lockFile();
          return v;
        },
        300ms);
  }
};

TEST_F(EsperasTest, EachWaitShowsItsMessageOnTheTerminal) {
  {
    auto outro = segura(dados / "IMP0110.DBF");
    ASSERT_TRUE(outro->pronto());
    ASSERT_TRUE(abreExclusivaAguardando(ctx, store::Area::IMP0110, aguardandoSalvar()));
    EXPECT_TRUE(term.contains(aguardandoSalvar())) << term.dump();
    (void)ctx.areas.closeAll();
  }
  {
    // The journal of the taxpayer held by a save running elsewhere.
    const std::string jnl = caminhoDiario(ctx, kA);
    OutroTerminal outro(
        [jnl] {
          // Kept until the child ends, as a save's own lock is.
          auto* f = new rt::db::File(std::move(*rt::db::File::open(jnl, rt::db::File::Mode::kCreate)));
          (void)f->tryLock(0, 1, rt::db::File::LockKind::kExclusive);
          return std::vector<std::unique_ptr<rt::db::Table>>{};
        },
        300ms);
    ASSERT_TRUE(outro.pronto());
    ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0510));
    (void)ctx.areas.closeAll();
    term.press('x');  // anything shown before is sent out and replaced
    (void)con.inkey(0ms);
    auto t = TravaDiario::obtem(ctx, kA);
    ASSERT_TRUE(t);
    EXPECT_TRUE(term.contains(aguardandoSalvar())) << term.dump();
    ASSERT_TRUE(t->conclui());
  }
  {
    auto outro = segura(dados / "IMP0210.DBF", false);
    ASSERT_TRUE(outro->pronto());
    ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0210));
    EXPECT_TRUE(FIL_LOCK(ctx, 0));
    EXPECT_TRUE(term.contains("Aguardando arquivo ficar disponível"_cp)) << term.dump();
    (void)ctx.areas.closeAll();
  }
}

}  // namespace
}  // namespace store::teste

namespace store::teste {
namespace {

// The program's wait between two tries of something another terminal holds ends at the first
// try within it that succeeds, and a wait whose tries all fail lasts its time and says so.
TEST(EsperaRealTest, AWaitBetweenTriesEndsAtTheFirstTryThatSucceeds) {
  EsperaReal espera;
  int tentativas = 0;
  EXPECT_TRUE(espera.aguarda(std::chrono::seconds(30), [&] { return ++tentativas == 3; }));
  EXPECT_EQ(tentativas, 3);
  int falhas = 0;
  EXPECT_FALSE(espera.aguarda(std::chrono::milliseconds(20), [&] {
    ++falhas;
    return false;
  }));
  EXPECT_GT(falhas, 0);
}

}  // namespace
}  // namespace store::teste

// Waits and texts of the locks and opens, with another terminal played by a child process
// that holds an exclusive open, a record lock or the file lock. Waits run on the virtual wait
// (the fixed clock moves on, nothing sleeps); where the other terminal must let go during the
// wait, it does so at a given try of the waiter, so the outcome never hangs on how fast the
// machine runs the two processes.
#include "store/travas.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <utility>

#include "console/mensagens.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store_fixture.h"
#include "support/disk_faults.h"

namespace store {
namespace {

using namespace rt::text::literals;
using namespace std::chrono_literals;
namespace key = rt::term::key;
using Tabelas = std::vector<std::unique_ptr<rt::db::Table>>;

const std::string kNaoFicou(std::string("ATENÇAO! Registro não ficou disponível. Dado não será gravado."_cp));

// Notes the message line at the first wait.
class Olho final : public Espera {
 public:
  explicit Olho(rt::term::Console& c) : con_(c) {}
  void dorme(std::chrono::milliseconds) override {
    if (visto.empty()) visto = con_.screen().rowText(24);
    ++vezes;
  }
  std::string visto;
  int vezes = 0;

 private:
  rt::term::Console& con_;
};

// The virtual wait, with the other terminal told to let go at the k-th try.
class Soltador final : public Espera {
 public:
  explicit Soltador(rt::text::FixedClock& r) : conta_(&r) {}
  void dorme(std::chrono::milliseconds tempo) override {
    conta_.dorme(tempo);
    if (conta_.vezes() == quando_ && solta_) std::exchange(solta_, {})();
  }
  void soltaNa(int k, std::function<void()> solta) {
    quando_ = k;
    solta_ = std::move(solta);
  }
  int vezes() const { return conta_.vezes(); }

 private:
  EsperaVirtual conta_;
  int quando_ = 0;
  std::function<void()> solta_;
};

class TravasTest : public ::testing::Test, protected teste::StoreFixture {
 protected:
  TravasTest() {
    for (Contexto* c : {&lento, &olhado}) {
      c->definePastaPrograma(ctx.ROTADEF);
      c->definePastaDados(ctx.ROTADOANO);
      c->definePastaTrabalho(ctx.DIRTRAB);
    }
  }
  // Table 03 with two rows, open shared in area 3 of `c`, on its first row.
  void preparaDependentes(Contexto& c) {
    ASSERT_TRUE(ABERTURA(c, store::Area::IMP0310));
    for (const char* cpf : {"11111111111", "22222222222"}) {
      ASSERT_TRUE(ADD_REC(c, 1));
      ASSERT_TRUE(area3(c)->put("CPF", std::string(cpf)));
      ASSERT_TRUE(area3(c)->commit());
    }
    ASSERT_TRUE(DESTRAVA(c));
    area3(c)->goTop();
    ASSERT_TRUE(area3(c)->status());
  }
  static rt::db::Table* area3(Contexto& c) { return c.areas.table(store::Area::IMP0310); }
  std::string dbf(const char* nome) { return dados / nome; }

  // Another terminal holding record 1, the whole file, or the table exclusively.
  static teste::OutroTerminal::Segura registro(std::string caminho) {
    return [caminho] {
      Tabelas v;
      auto t = teste::abre(caminho);
      v.push_back(t && t->lockRecord(1) ? std::move(t) : nullptr);
      return v;
    };
  }
  static teste::OutroTerminal::Segura arquivo(std::string caminho) {
    return [caminho] {
      Tabelas v;
      auto t = teste::abre(caminho);
      v.push_back(t && t->lockFile() ? std::move(t) : nullptr);
      return v;
    };
  }
  static teste::OutroTerminal::Segura exclusivo(std::string caminho) {
    return [caminho] {
      Tabelas v;
      v.push_back(teste::abre(caminho, true));
      return v;
    };
  }

  std::string mensagem() { return std::string(rt::text::alltrim(linha(24))); }

  Soltador devagar{relogio};
  Contexto lento{con, relogio, devagar};
  Olho olho{con};
  Contexto olhado{con, relogio, olho};
};

TEST_F(TravasTest, RecordLockWaitsTwoSecondsByDefaultAndNotAtAllForZero) {
  preparaDependentes(ctx);
  teste::OutroTerminal outro(registro(dbf("IMP0310.DBF")));
  ASSERT_TRUE(outro.pronto());
  const auto antes = relogio.now().secondsOfDay;
  // Said on the message line: told, so no caller says it again.
  const rt::Status s = REC_LOCK(ctx);
  EXPECT_EQ(s.code(), rt::Error::kLocked);
  EXPECT_TRUE(s.told());
  EXPECT_EQ(espera.total(), 2000ms);
  EXPECT_EQ(espera.vezes(), 4);
  EXPECT_EQ(relogio.now().secondsOfDay, antes + 2);
  EXPECT_EQ(mensagem(), kNaoFicou);

  espera.zera();
  console::MENS(ctx, console::mens::Linha);
  EXPECT_FALSE(REC_LOCK(ctx, 0));
  EXPECT_EQ(espera.vezes(), 0);
  EXPECT_EQ(mensagem(), kNaoFicou);

  // Another record of the same table is free.
  area3(ctx)->skip();
  ASSERT_TRUE(area3(ctx)->status());
  EXPECT_TRUE(REC_LOCK(ctx, 0));
  outro.libera();
  area3(ctx)->goTop();
  ASSERT_TRUE(area3(ctx)->status());
  EXPECT_TRUE(REC_LOCK(ctx, 0));
}

TEST_F(TravasTest, RecordLockTellsWhichTableItWaitsForOnTheMessageLineCentred) {
  preparaDependentes(olhado);
  teste::OutroTerminal outro(registro(dbf("IMP0310.DBF")));
  ASSERT_TRUE(outro.pronto());
  EXPECT_FALSE(REC_LOCK(olhado, 1));
  EXPECT_EQ(olho.vezes, 2);
  const std::string texto = std::string("Aguardando registro ficar disponível no arquivo IMP0310"_cp);
  EXPECT_EQ(olho.visto, rt::text::padr(rt::text::space(console::CENTER(texto)) + texto, 80));
}

TEST_F(TravasTest, EscCutsARecordLockWaitShortAndOtherKeysAreThrownAwayOneAPass) {
  preparaDependentes(ctx);
  teste::OutroTerminal outro(registro(dbf("IMP0310.DBF")));
  ASSERT_TRUE(outro.pronto());
  term.press('x').press(key::Esc).press('y');
  EXPECT_FALSE(REC_LOCK(ctx, 5));
  EXPECT_EQ(espera.vezes(), 1);  // 'x' read and thrown away in the first pass, Esc in the second
  EXPECT_EQ(term.pending(), 1u);
  EXPECT_EQ(mensagem(), kNaoFicou);
}

TEST_F(TravasTest, RecordLockIsHadOnceTheOtherTerminalLetsGo) {
  preparaDependentes(lento);
  teste::OutroTerminal outro(registro(dbf("IMP0310.DBF")));
  ASSERT_TRUE(outro.pronto());
  devagar.soltaNa(3, [&] { outro.libera(); });
  EXPECT_TRUE(REC_LOCK(lento, 10));
  EXPECT_EQ(devagar.vezes(), 3);
  EXPECT_EQ(mensagem(), "");
}

TEST_F(TravasTest, ANewRecordLockReleasesTheAreasPreviousOne) {
  preparaDependentes(ctx);
  auto outra = teste::abre(dbf("IMP0310.DBF"));
  ASSERT_TRUE(REC_LOCK(ctx, 0));
  EXPECT_FALSE(outra->lockRecord(1));
  area3(ctx)->skip();
  ASSERT_TRUE(area3(ctx)->status());
  ASSERT_TRUE(REC_LOCK(ctx, 0));
  EXPECT_TRUE(outra->lockRecord(1));
  EXPECT_FALSE(outra->lockRecord(2));
  ASSERT_TRUE(DESTRAVA(ctx));
  EXPECT_TRUE(outra->lockRecord(2));
}

TEST_F(TravasTest, FileLockForEverWaitsUntilTheOtherLetsGoAndIgnoresEsc) {
  preparaDependentes(lento);
  teste::OutroTerminal outro(registro(dbf("IMP0310.DBF")));
  ASSERT_TRUE(outro.pronto());
  devagar.soltaNa(3, [&] { outro.libera(); });
  term.press(key::Esc);
  EXPECT_TRUE(FIL_LOCK(lento, 0));
  EXPECT_EQ(devagar.vezes(), 3);
  EXPECT_EQ(term.pending(), 1u);  // the keyboard is not looked at
  EXPECT_TRUE(area3(lento)->isFileLocked());
  EXPECT_EQ(mensagem(), "");
}

TEST_F(TravasTest, FileLockWithALimitGivesUpOnEscOrWhenTheTimeIsOver) {
  preparaDependentes(olhado);
  teste::OutroTerminal outro(registro(dbf("IMP0310.DBF")));
  ASSERT_TRUE(outro.pronto());
  const rt::Status s = FIL_LOCK(olhado, 1);
  EXPECT_FALSE(s);
  EXPECT_TRUE(s.told());
  EXPECT_EQ(olho.vezes, 2);
  EXPECT_EQ(rt::text::alltrim(olho.visto), "Aguardando arquivo ficar disponível"_cp);
  EXPECT_EQ(mensagem(), kNaoFicou);

  olho.vezes = 0;
  term.press('a').press(key::Esc);
  EXPECT_FALSE(FIL_LOCK(olhado, 5));
  EXPECT_EQ(olho.vezes, 1);
  EXPECT_EQ(term.pending(), 0u);
}

TEST_F(TravasTest, AppendWaitsWhileAnotherTerminalHoldsTheFileAndComesLocked) {
  preparaDependentes(lento);
  teste::OutroTerminal outro(arquivo(dbf("IMP0310.DBF")));
  ASSERT_TRUE(outro.pronto());
  devagar.soltaNa(2, [&] { outro.libera(); });
  EXPECT_TRUE(ADD_REC(lento, 0));
  EXPECT_EQ(devagar.vezes(), 2);
  EXPECT_FALSE(lento.ERRO_REDE);
  EXPECT_EQ(area3(lento)->recNo(), 3u);
  EXPECT_TRUE(area3(lento)->isRecordLocked(3));
  EXPECT_FALSE(area3(lento)->isRecordLocked(1));
}

TEST_F(TravasTest, AppendThatCannotBeHadSetsTheNetworkErrorAndTellsTheCommonMessage) {
  preparaDependentes(olhado);
  teste::OutroTerminal outro(arquivo(dbf("IMP0310.DBF")));
  ASSERT_TRUE(outro.pronto());
  const rt::Status s = ADD_REC(olhado, 1);
  EXPECT_FALSE(s);
  EXPECT_TRUE(s.told());
  EXPECT_TRUE(olhado.ERRO_REDE);
  EXPECT_EQ(olho.vezes, 2);
  EXPECT_EQ(rt::text::alltrim(olho.visto), "Aguardando registro ficar disponível"_cp);
  EXPECT_EQ(mensagem(), kNaoFicou);
  outro.libera();
  EXPECT_EQ(area3(olhado)->recordCount(), 2u);
}

TEST_F(TravasTest, AnOpenIsRetriedOnceASecondForTenSecondsAndThenReported) {
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0110));
  ASSERT_TRUE(ctx.areas.closeAll());
  teste::OutroTerminal outro(exclusivo(dbf("IMP0110.DBF")));
  ASSERT_TRUE(outro.pronto());
  term.press(key::Enter);
  const auto antes = relogio.now().secondsOfDay;
  EXPECT_FALSE(ABERTURA(ctx, store::Area::IMP0110));
  EXPECT_EQ(espera.vezes(), 10);
  EXPECT_EQ(espera.total(), 10000ms);
  EXPECT_EQ(relogio.now().secondsOfDay, antes + 10);
  EXPECT_TRUE(ctx.ERRO_REDE);
  EXPECT_EQ(area(store::Area::IMP0110), nullptr);
  EXPECT_TRUE(term.contains(ctx.LOCARQ + std::string("IMP0110.DBF não está disponivel "_cp))) << term.dump();
  EXPECT_EQ(term.pending(), 0u);  // the alert took its "Ok"
}

TEST_F(TravasTest, AnOpenSucceedsOnceTheOtherTerminalLetsGo) {
  ASSERT_TRUE(ABERTURA(lento, store::Area::IMP0110));
  ASSERT_TRUE(lento.areas.closeAll());
  teste::OutroTerminal outro(exclusivo(dbf("IMP0110.DBF")));
  ASSERT_TRUE(outro.pronto());
  devagar.soltaNa(4, [&] { outro.libera(); });
  EXPECT_TRUE(ABERTURA(lento, store::Area::IMP0110));
  EXPECT_EQ(devagar.vezes(), 4);
  EXPECT_FALSE(lento.ERRO_REDE);
}

TEST_F(TravasTest, AnExclusiveOpenWaitsForASharedOneElsewhere) {
  ASSERT_TRUE(ABERTURA(lento, store::Area::IMP0110));
  ASSERT_TRUE(lento.areas.closeAll());
  teste::OutroTerminal outro(
      [caminho = dbf("IMP0110.DBF")] {
        Tabelas v;
        v.push_back(teste::abre(caminho));
        return v;
      });
  ASSERT_TRUE(outro.pronto());
  devagar.soltaNa(2, [&] { outro.libera(); });
  EXPECT_TRUE(NETUSE(lento, lento.LOCARQ + "IMP0110", true, 0));
  EXPECT_TRUE(lento.areas.currentTable()->isExclusive());
  EXPECT_EQ(devagar.vezes(), 2);
}

// What NETUSE and the locks cannot even try is not said by them: the caller says it.
TEST_F(TravasTest, AnOpenRefusedOrNoTableLeavesTheFailureUntoldAndTheScreenAsItWas) {
  const rt::Status aberta = NETUSE(ctx, ctx.LOCARQ + "NAOHA10", false, 1);
  EXPECT_EQ(aberta.code(), rt::Error::kNotFound);
  EXPECT_FALSE(aberta.told());
  EXPECT_EQ(espera.vezes(), 0);
  for (const rt::Status& s : {REC_LOCK(ctx, 0), FIL_LOCK(ctx, 1), ADD_REC(ctx, 1)}) {
    EXPECT_FALSE(s);
    EXPECT_FALSE(s.told());
  }
  EXPECT_TRUE(DESTRAVA(ctx));
  EXPECT_EQ(mensagem(), "");
}

// The release of a lock writes the row first: when the disk refuses it (full, or failing),
// the caller hears of it; once the disk takes it again, the same row goes in. A write the disk
// cuts short is completed.
TEST_F(TravasTest, ARowTheReleaseCannotWriteIsReportedNotDropped) {
  ASSERT_TRUE(ABERTURA(ctx, Area::IMP0310, true));
  rt::db::Table& t = *tabela(ctx.areas, Area::IMP0310);
  for (const support::FaultKind k :
       {support::FaultKind::kNoSpace, support::FaultKind::kIoError, support::FaultKind::kShortWrite}) {
    SCOPED_TRACE(support::kindName(k));
    ASSERT_TRUE(ADD_REC(ctx, 1));
    ASSERT_TRUE(t.put("CPF", std::string("11111111111")));
    const std::uint32_t linhas = t.recordCount();
    {
      support::DiskFaults falhas(support::Fault{support::Call::kWrite, k, "IMP0310.DBF"});
      const rt::Status s = DESTRAVA(ctx);
      EXPECT_EQ(s.isOk(), k == support::FaultKind::kShortWrite);
      EXPECT_FALSE(s.told());  // the caller says it
      EXPECT_EQ(falhas.made(), 1);
    }
    if (k != support::FaultKind::kShortWrite) {
      EXPECT_TRUE(DESTRAVA(ctx));
    }
    EXPECT_EQ(t.recordCount(), linhas);
    // Written whole: the file holds every row to its end.
    EXPECT_EQ(std::filesystem::file_size(dbf("IMP0310.DBF")), t.headerSize() + std::uint64_t{linhas} * t.recordSize() + 1);
  }
}

}  // namespace
}  // namespace store

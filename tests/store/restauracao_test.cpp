// What a restore or a save that died leaves for the next start: a restore killed between its
// table moves is finished (every table from the backup, nothing of the restore left beside
// them), one killed before its journal was whole is dropped, a journal naming files outside
// the data folder is not obeyed, and a save journal crafted to exhaust memory is moved aside
// with a message instead of stopping the start.
#include "store/diario_restauracao.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "declaracao_fixture.h"
#include "rt/text/cp860.h"
#include "store/diario_gravacao.h"
#include "store_fixture.h"

namespace store::teste {
namespace {

namespace fs = std::filesystem;
using namespace rt::text::literals;

class RestauracaoTest : public StoreFixture, public ::testing::Test {
 protected:
  void SetUp() override {
    ctx.NUSU = "03";
    preencheDeclaracoes(ctx, {"11111111111"}, 1);
    (void)ctx.areas.closeAll();
    for (int n = 1; n <= 12; ++n) {
      Troca t;
      t.alvo = std::string("IMP") + (n < 10 ? "0" : "") + std::to_string(n) + "10.DBF";
      t.preparado = "RESTORE_abc123/" + t.alvo;
      t.indices = {t.alvo.substr(0, 7) + ".CDX"};
      trocas.push_back(t);
    }
    prepara();
  }
  // The tables a restore brings, ready in its scratch folder.
  void prepara() {
    fs::create_directory(dados / "RESTORE_abc123");
    for (const Troca& t : trocas) escreveArquivo(dados / t.preparado, "backup " + t.alvo);
  }
  // In a child: the restore, killed after move `k`.
  void restauraEMorre(int k) {
    const pid_t pid = fork();
    if (pid == 0) {
      // The journal is held before anything is prepared, as a restore does.
      auto t = TravaRestauracao::tenta(dados.caminho());
      if (!t || !t->has_value()) _exit(3);
      prepara();
      (void)(*t)->troca(trocas, [k](int feitas) {
        if (feitas == k) ::kill(::getpid(), SIGKILL);
      });
      _exit(4);
    }
    int status = 0;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFSIGNALED(status)) << status;
  }
  int vindasDoBackup() {
    int n = 0;
    for (const Troca& t : trocas) n += leArquivo(dados / t.alvo) == "backup " + t.alvo ? 1 : 0;
    return n;
  }
  std::vector<Troca> trocas;
};

TEST_F(RestauracaoTest, ARestoreKilledMidwayIsFinishedAtTheNextStart) {
  restauraEMorre(6);
  EXPECT_EQ(vindasDoBackup(), 6);  // what the dead restore left: half and half
  escreveArquivo(dados / "IMPZIPq1w2e3.ICE", "archive copy");
  ctx.definePastaDados(dados.caminho());
  term.press(rt::term::key::Enter);
  recuperaDiarios(ctx);
  EXPECT_TRUE(term.contains("A recuperação de dados interrompida nesta pasta foi concluída."_cp)) << term.dump();
  EXPECT_EQ(vindasDoBackup(), 12);
  for (const std::string& n : dados.arquivos()) {
    EXPECT_FALSE(n.starts_with("RESTORE_") || n.starts_with("IMPZIP") || n == kDiarioRestauracao) << n;
    for (const Troca& t : trocas) EXPECT_NE(n, t.indices[0]) << " belongs to the tables it replaced";
  }
  EXPECT_FALSE(recuperaRestauracao(dados.caminho()));  // nothing left to do
}

TEST_F(RestauracaoTest, AJournalNotWholeOrPointingElsewhereIsDroppedAndNothingMoves) {
  const std::string inteiro = codificaRestauracao(trocas);
  ASSERT_TRUE(decodificaRestauracao(inteiro));
  std::vector<Troca> fora = trocas;
  fora[0].alvo = "../IMP0110.DBF";
  std::vector<Troca> fora2 = trocas;
  fora2[0].preparado = "/tmp/IMP0110.DBF";
  for (const std::string& jnl : {inteiro.substr(0, inteiro.size() - 5), codificaRestauracao(fora),
                                 codificaRestauracao(fora2), std::string("TVRST001\n")}) {
    escreveArquivo(dados / std::string(kDiarioRestauracao), jnl);
    EXPECT_FALSE(recuperaRestauracao(dados.caminho()));
    EXPECT_EQ(vindasDoBackup(), 0);
    EXPECT_FALSE(fs::exists(dados / std::string(kDiarioRestauracao)));
    EXPECT_FALSE(fs::exists(dados / "RESTORE_abc123"));  // the scratch of a dead restore goes
    prepara();
  }
}

TEST_F(RestauracaoTest, ARunningRestoreIsLeftAlone) {
  auto t = TravaRestauracao::tenta(dados.caminho());
  ASSERT_TRUE(t && t->has_value());
  fs::create_directory(dados / "RESTORE_run123");
  const pid_t pid = fork();
  if (pid == 0) _exit(recuperaRestauracao(dados.caminho()) ? 1 : 0);
  int status = 0;
  ASSERT_EQ(waitpid(pid, &status, 0), pid);
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_TRUE(fs::exists(dados / "RESTORE_run123"));
  auto segunda = TravaRestauracao::tenta(dados.caminho());
  ASSERT_TRUE(segunda);
  EXPECT_FALSE(segunda->has_value());
}

// A save journal whole by its hash but built to make the start allocate without end, or to
// write into the register: it is moved aside, said, and the start goes on.
TEST_F(RestauracaoTest, ACraftedSaveJournalIsMovedAsideWithAMessage) {
  auto u = [](std::string& s, std::uint64_t v, int n) {
    for (int i = 0; i < n; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  auto fecha = [&u](std::string corpo) {
    const std::uint64_t n = corpo.size(), h = hashDiario(corpo);
    corpo += "FIM!";
    u(corpo, n, 8);
    u(corpo, h, 8);
    return corpo;
  };
  std::string enorme = "TVJNL00112345678909N";
  u(enorme, 1, 4);            // one table
  u(enorme, 3, 1);            // number 3
  u(enorme, 0, 2);            // no fields
  u(enorme, 0, 4);            // records of no bytes
  u(enorme, 4'000'000'000, 4);  // four thousand million of them
  std::string registro = "TVJNL00112345678901N";
  u(registro, 1, 4);
  u(registro, 13, 1);  // table 13 is never in a save journal
  u(registro, 0, 2);
  u(registro, 0, 4);
  u(registro, 0, 4);
  escreveArquivo(dados / "SALVA12345678909.JNL", fecha(enorme));
  escreveArquivo(dados / "SALVA12345678901.JNL", fecha(registro));
  ctx.definePastaDados(dados.caminho());
  term.press(rt::term::key::Enter).press(rt::term::key::Enter);
  EXPECT_EQ(recuperaDiarios(ctx), 2);
  EXPECT_TRUE(term.contains("Foi guardado como SALVA1234567890")) << term.dump();
  for (const char* cpf : {"12345678909", "12345678901"}) {
    EXPECT_FALSE(fs::exists(dados / ("SALVA" + std::string(cpf) + ".JNL"))) << cpf;
    EXPECT_TRUE(fs::exists(dados / ("SALVA" + std::string(cpf) + ".JNL.RECUSADO"))) << cpf;
  }
}

}  // namespace
}  // namespace store::teste

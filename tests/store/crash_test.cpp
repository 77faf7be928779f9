// A save killed at any point: after recovery every table holds either the old or the new
// rows of the taxpayer, never neither and never both; a whole journal means the new ones.
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <map>

#include "declaracao_fixture.h"
#include "rt/db/file.h"
#include "store/abertura.h"
#include "store/copia_trabalho.h"
#include "store/diario_gravacao.h"
#include "store/salva.h"
#include "store_fixture.h"

namespace store::teste {
namespace {

const std::string kA = "11111111111", kB = "22222222222";

class CrashTest : public StoreFixture, public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    ctx.NUSU = "05";
    preencheDeclaracoes(ctx, {kA, kB}, 2);
    for (int n : tabelasDeclaracao()) antigas[n] = marcasNaTabela(ctx, n, kB);
  }

  // In a child process: loads kB, gives every table a new row and a changed first row, and
  // saves, dying at step `passo`. Returns the marks the save would have left.
  std::map<int, std::vector<std::string>> salvaEMorre(int passo) {
    std::map<int, std::vector<std::string>> novas;
    for (int n : tabelasDeclaracao()) {
      novas[n] = antigas[n];
      if (n == 1) {
        novas[n] = {"NOVA01"};
      } else if (n == 15) {
        novas[n] = antigas[n];  // the summary row is rewritten with the same mark
      } else {
        novas[n][0] = "NOVA" + std::to_string(n);
        novas[n].push_back("MAIS" + std::to_string(n));
      }
    }
    const pid_t pid = fork();
    if (pid == 0) {
      Declaracao dec;
      dec.espelho.CPF = kB;
      if (!INIC_VAR(ctx, dec, 0, 1)) _exit(3);
      for (int n : tabelasDeclaracao()) {
        if (n == 1 || n == 15) continue;
        rt::db::Table& c = *ctx.areas.table(copia(workareas::declaracao(n)));
        const std::string campo = campoMarca(n);
        c.goTo(1);
        if (!c.status() || !c.put(campo, "NOVA" + std::to_string(n)) || !c.appendBlank() || !c.put("CPF", kB) ||
            !c.put(campo, "MAIS" + std::to_string(n)))
          _exit(4);
        if (n >= 15 && !c.put("ATV_BRASIL", std::string("S"))) _exit(4);
        if (n == 4 && !c.put("I7_0", rt::text::Decimal::fromInt(90))) _exit(4);
        if (n == 5 && !c.put("I8_0", rt::text::Decimal::fromInt(90))) _exit(4);
        if (!c.flush()) _exit(4);
      }
      dec.espelho.tabela01.txt("I3_12D", "NOVA01");
      dec.gancho = [passo](int k) {
        if (k == passo) ::kill(::getpid(), SIGKILL);
      };
      _exit(SALVATUDO(ctx, dec, 1) ? 0 : 5);
    }
    int status = 0;
    EXPECT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "the save did not die at step " << passo
                                                                    << " (status " << status << ")";
    return novas;
  }

  std::map<int, std::vector<std::string>> antigas;
};

TEST_P(CrashTest, EveryTableHoldsTheOldOrTheNewRows) {
  const int passo = GetParam();
  auto novas = salvaEMorre(passo);
  // The next start completes or drops what the dead save left.
  EXPECT_EQ(recuperaDiarios(ctx), passo != kPassoConcluido ? 1 : 0);
  EXPECT_FALSE(rt::db::fileExists(caminhoDiario(ctx, kB)));
  for (int n : tabelasDeclaracao()) {
    const auto agora = marcasNaTabela(ctx, n, kB);
    if (passo <= kPassoDiarioMeio)
      EXPECT_EQ(agora, antigas[n]) << "table " << n << ", killed at step " << passo;
    else
      EXPECT_EQ(agora, novas[n]) << "table " << n << ", killed at step " << passo;
    EXPECT_EQ(marcasNaTabela(ctx, n, kA).size(), antigas[n].size()) << "the other taxpayer, table " << n;
  }
  // The tables are whole: every index agrees with its table.
  for (int n : tabelasDeclaracao()) {
    const Area tab = static_cast<store::Area>(n);
    ASSERT_TRUE(ABERTURA(ctx, tab, true)) << n;
    for (int o = 1; o <= area(tab)->orderCount(); ++o) EXPECT_TRUE(area(tab)->checkOrder(o)) << n;
    ASSERT_TRUE(ctx.areas.close(tab));
  }
}

INSTANTIATE_TEST_SUITE_P(Passos, CrashTest,
                         ::testing::Values(kPassoDiarioMeio, kPassoDiario, kPassoMeio + 1, kPassoTabela + 1,
                                           kPassoMeio + 4, kPassoTabela + 4, kPassoMeio + 12, kPassoTabela + 12,
                                           kPassoMeio + 18, kPassoTabela + 18, kPassoConcluido));

TEST_F(CrashTest, LoadingTheTaxpayerCompletesADeadSave) {
  auto novas = salvaEMorre(kPassoTabela + 6);
  Declaracao dec;
  dec.espelho.CPF = kB;
  ASSERT_TRUE(INIC_VAR(ctx, dec, 0, 1));
  EXPECT_FALSE(rt::db::fileExists(caminhoDiario(ctx, kB)));
  for (int n : tabelasDeclaracao()) EXPECT_EQ(marcasNaTabela(ctx, n, kB), novas[n]) << "table " << n;
  EXPECT_EQ(marcasNaCopia(*area(store::Area::TMP_02)), novas[2]);
}

TEST(DiarioTest, DamagedJournalsAreNotWhole) {
  Diario d;
  d.cpf = "12345678901";
  d.atvBrasil = "S";
  TabelaDiario t;
  t.numero = Area::IMP0310;
  t.campos = {{"CPF", 'C', 11, 0, 0}, {"NRODEPEN", 'N', 2, 0, 11}};
  t.registros = {"12345678901 1", "12345678901 2"};
  d.tabelas.push_back(t);
  const std::string b = codificaDiario(d);
  auto lido = decodificaDiario(b);
  ASSERT_TRUE(lido.has_value());
  EXPECT_EQ(lido->tabelas.at(0).registros, t.registros);
  EXPECT_EQ(lido->tabelas.at(0).campos.at(1).offset, 11);
  for (std::size_t corte : {std::size_t{0}, std::size_t{10}, b.size() / 2, b.size() - 1})
    EXPECT_FALSE(decodificaDiario(std::string_view(b).substr(0, corte)).has_value()) << corte;
  std::string errado = b;
  errado[20] ^= 1;
  EXPECT_FALSE(decodificaDiario(errado).has_value());
}

}  // namespace
}  // namespace store::teste

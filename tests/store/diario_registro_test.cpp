// The register row of a taxpayer written through the save journal, beside his tables: in the
// register as every terminal keeps it open (shared), with its three indexes kept right.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

#include "declaracao_fixture.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/areas.h"
#include "store/arquivos.h"
#include "store/catalogo.h"
#include "store/diario_gravacao.h"
#include "store/transfere.h"
#include "store_fixture.h"

namespace store::teste {
namespace {

using namespace std::chrono_literals;

const std::string kA = "11111111111", kB = "22222222222", kC = "33333333333", kD = "44444444444";
constexpr int kRegistro = numero(Area::IMP0910);
constexpr int kBens = numero(Area::IMP0410);

class DiarioRegistroTest : public StoreFixture, public ::testing::Test {
 protected:
  void SetUp() override {
    ctx.NUSU = "03";
    preencheDeclaracoes(ctx, {kA, kB, kC}, 2);
  }
  std::string dbf(int n) { return caminho(ctx, comExtensao(arquivoTabela(ctx, *tabela(static_cast<Area>(n))), ".DBF")); }
  // The CPF's rows of table n as the table holds them, each with its mark field set to `marcas`.
  TabelaDiario linhas(int n, const std::string& cpf, const std::vector<std::string>& marcas) {
    Marcas m;
    for (const std::string& x : marcas) m.emplace_back("", x);
    return linhasComMarca(ctx, n, cpf, m);
  }
  // Every order of the register checked against its rows.
  void indicesCertos() {
    auto r = abre(dbf(kRegistro));
    for (const IndiceDef& i : indicesDe(ctx, *tabela(Area::IMP0910)))
      ASSERT_TRUE(r->openIndex(caminho(ctx, comExtensao(i.arquivo, ".CDX")), i.chave));
    ASSERT_EQ(r->orderCount(), 3);
    for (int o = 1; o <= 3; ++o) EXPECT_TRUE(r->checkOrder(o)) << "order " << o;
  }
};

// Replaced, added, removed, redone: the register row follows the journal while the register
// stays open shared in its area, on the order and row its user left it.
TEST_F(DiarioRegistroTest, TheRegisterRowGoesThroughTheJournalSharedWithItsIndexes) {
  ASSERT_TRUE(ABERTURA(ctx, Area::IMP0910));
  rt::db::Table& aberta = *tabela(ctx.areas, Area::IMP0910);
  ASSERT_FALSE(aberta.isExclusive());
  aberta.setOrder(2);
  ASSERT_TRUE(aberta.seek(rt::text::upper(marca(kRegistro, kC, 0))));
  const std::uint32_t linhaC = aberta.recNo();
  // Another terminal keeps the register open with kC's row locked: rewriting or removing
  // other rows does not wait for it (a new row would: it is appended under the table's lock).
  OutroTerminal outro([caminho = dbf(kRegistro)] {
    std::vector<std::unique_ptr<rt::db::Table>> v;
    auto t = abre(caminho);
    t->goTo(3);
    v.push_back(t->lockRecord() ? std::move(t) : nullptr);
    return v;
  });
  ASSERT_TRUE(outro.pronto());

  ASSERT_TRUE(gravaLinhas(ctx, dados.caminho(), Cpf(kA), {linhas(kBens, kA, {"BEM NOVO"}), linhas(kRegistro, kA, {"A NOVO"})}));
  ASSERT_TRUE(gravaLinhas(ctx, dados.caminho(), Cpf(kB), {tabelaVazia(Area::IMP0910)}));
  EXPECT_EQ(espera.vezes(), 0);
  outro.libera();
  ASSERT_TRUE(gravaLinhas(ctx, dados.caminho(), Cpf(kD), {linhas(1, kD, {}), linhas(kRegistro, kD, {"D NOVO"})}));
  EXPECT_EQ(marcasNaTabela(ctx, kRegistro, kA), std::vector<std::string>{"A NOVO"});
  EXPECT_EQ(marcasNaTabela(ctx, kBens, kA), std::vector<std::string>{"BEM NOVO"});
  EXPECT_EQ(marcasNaTabela(ctx, kRegistro, kD), std::vector<std::string>{"D NOVO"});
  EXPECT_TRUE(marcasNaTabela(ctx, kRegistro, kB).empty());
  EXPECT_EQ(marcasNaTabela(ctx, kRegistro, kC), std::vector<std::string>{marca(kRegistro, kC, 0)});
  EXPECT_EQ(tabela(ctx.areas, Area::IMP0910), &aberta);
  EXPECT_EQ(aberta.order(), 2);
  EXPECT_EQ(aberta.recNo(), linhaC);
  indicesCertos();

  // A journal is redone as often as a start finds it: still one row, the journal's.
  Diario d;
  d.cpf = kA;
  d.atvBrasil = "S";
  d.tabelas = {linhas(kRegistro, kA, {"A REFEITO"})};
  auto lido = decodificaDiario(codificaDiario(d));
  ASSERT_TRUE(lido.has_value());
  ASSERT_EQ(lido->tabelas.size(), 1U);
  (void)ctx.areas.closeAll();
  ASSERT_TRUE(aplicaDiario(ctx, *lido));
  ASSERT_TRUE(aplicaDiario(ctx, *lido));
  EXPECT_EQ(marcasNaTabela(ctx, kRegistro, kA), std::vector<std::string>{"A REFEITO"});
  EXPECT_FALSE(ctx.areas.isOpen(Area::IMP0910));  // opened for the redo only
  indicesCertos();

  // The row held by another terminal is waited for, with the alert, then written.
  OutroTerminal segura(
      [caminho = dbf(kRegistro)] {
        std::vector<std::unique_ptr<rt::db::Table>> v;
        auto t = abre(caminho);
        t->goTo(1);
        v.push_back(t->lockRecord() ? std::move(t) : nullptr);
        return v;
      },
      300ms);
  ASSERT_TRUE(segura.pronto());
  EsperaVirtual devagar{&relogio, 20ms};
  Contexto lento{con, relogio, devagar};
  lento.PASTA_SEMENTE = ctx.PASTA_SEMENTE;
  lento.NUSU = ctx.NUSU;
  lento.definePastaPrograma(programa.caminho());
  lento.definePastaDados(dados.caminho());
  lento.definePastaTrabalho(trabalho.caminho());
  ASSERT_TRUE(gravaLinhas(lento, dados.caminho(), Cpf(kA), {linhas(kRegistro, kA, {"A ESPERADO"})}));
  EXPECT_GT(devagar.vezes(), 0);
  EXPECT_EQ(marcasNaTabela(ctx, kRegistro, kA), std::vector<std::string>{"A ESPERADO"});
}

// A deleted record still carries its CPF: it is no row of the taxpayer, and a redo that
// reused it would leave the new row deleted.
TEST_F(DiarioRegistroTest, DeletedRecordsOfTheCpfAreNotReused) {
  {
    auto t = abre(dbf(kBens), true);
    t->goTo(1);
    ASSERT_EQ(t->getText("CPF"), kA);
    ASSERT_TRUE(t->markDeleted());
    ASSERT_TRUE(t->close());
  }
  ctx.areas.setDeletedHidden(false);
  ASSERT_TRUE(gravaLinhas(ctx, dados.caminho(), Cpf(kA), {linhas(kBens, kA, {"UM", "DOIS"})}));
  EXPECT_EQ(marcasNaTabela(ctx, kBens, kA), (std::vector<std::string>{"UM", "DOIS"}));
}

// A batch keeps each table open from one taxpayer to the next (other terminals wait for it),
// and a process killed in the middle of a batch loses none of the taxpayers it finished:
// each was written out and flushed before his journal went.
TEST_F(DiarioRegistroTest, ABatchOpensEachTableOnceAndAKillLosesNoTaxpayerItFinished) {
  // The rows are read before the batch holds the tables.
  const TabelaDiario a = linhas(kBens, kA, {"A1", "A2", "A3"}), b = linhas(kBens, kB, {"B1"}),
                     rb = linhas(kRegistro, kB, {"B NOVO"}), c = linhas(kBens, kC, {"C1", "C2", "C3", "C4"}),
                     d1 = linhas(1, kD, {}), d = linhas(kBens, kD, {"D1", "D2"}), rd = linhas(kRegistro, kD, {"D NOVO"});
  {
    LoteGravacao lote(ctx);
    ASSERT_TRUE(gravaLinhas(ctx, dados.caminho(), Cpf(kA), {a}));
    const rt::db::Table* bens = ctx.areas.table(Area::IMP0410);
    ASSERT_NE(bens, nullptr);
    EXPECT_TRUE(bens->isExclusive());
    EXPECT_EQ(rt::db::Table::open(dbf(kBens)).code(), rt::Error::kInUse);  // another terminal waits for it
    ASSERT_TRUE(gravaLinhas(ctx, dados.caminho(), Cpf(kB), {b, rb}));
    EXPECT_EQ(ctx.areas.table(Area::IMP0410), bens);
    {
      LoteGravacao dentro(ctx);  // a guard inside another leaves the work to it
    }
    EXPECT_EQ(ctx.areas.table(Area::IMP0410), bens);
    EXPECT_TRUE(lote.termina());
    EXPECT_FALSE(ctx.areas.isOpen(Area::IMP0410));
  }
  EXPECT_EQ(marcasNaTabela(ctx, kBens, kA), (std::vector<std::string>{"A1", "A2", "A3"}));
  EXPECT_EQ(marcasNaTabela(ctx, kBens, kB), std::vector<std::string>{"B1"});

  const pid_t filho = fork();
  if (filho == 0) {
    LoteGravacao lote(ctx);
    const bool ok = gravaLinhas(ctx, dados.caminho(), Cpf(kC), {c}) && gravaLinhas(ctx, dados.caminho(), Cpf(kD), {d1, d, rd});
    // Killed with the tables still open, their last changes never closed.
    if (ok) ::raise(SIGKILL);
    _exit(1);
  }
  int status = 0;
  waitpid(filho, &status, 0);
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(recuperaDiarios(ctx), 0);  // nothing was left to redo
  EXPECT_EQ(marcasNaTabela(ctx, kBens, kC), (std::vector<std::string>{"C1", "C2", "C3", "C4"}));
  EXPECT_EQ(marcasNaTabela(ctx, kBens, kD), (std::vector<std::string>{"D1", "D2"}));
  EXPECT_EQ(marcasNaTabela(ctx, kRegistro, kD), std::vector<std::string>{"D NOVO"});
  ASSERT_TRUE(ABERTURA(ctx, Area::IMP0410, true));
  for (int o = 1; o <= ctx.areas.table(Area::IMP0410)->orderCount(); ++o) EXPECT_TRUE(ctx.areas.table(Area::IMP0410)->checkOrder(o));
  ASSERT_TRUE(ctx.areas.table(Area::IMP0410)->seek(Cpf(kD).chave()));
  EXPECT_TRUE(ctx.areas.table(Area::IMP0410)->found());
}

}  // namespace
}  // namespace store::teste

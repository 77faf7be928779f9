// Taxpayers copied and moved between two data folders, with the destination holding the
// taxpayer already or not, and a table of the destination kept by another terminal halfway.
#include "store/transfere.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "declaracao_fixture.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/pastas_dados.h"
#include "store_fixture.h"

namespace store::teste {
namespace {

const std::string kA = "11111111111", kB = "22222222222", kC = "33333333333";

// Tables 01-19 but 13 (which the fixture does not make) with the register.
std::vector<int> todas() {
  std::vector<int> v = tabelasDeclaracao();
  v.push_back(9);
  return v;
}

class TransfereTest : public StoreFixture, public ::testing::Test {
 protected:
  void SetUp() override {
    ctx.NUSU = "03";
    preencheDeclaracoes(ctx, {kA, kB, kC}, 2);
  }
  // The destination with taxpayer kC only, three rows a table.
  void destinoComC() {
    ctx.definePastaDados(outra.caminho());
    preencheDeclaracoes(ctx, {kB, kC}, 3);
    ctx.definePastaDados(dados.caminho());
  }
  std::map<int, std::vector<std::string>> marcas(const std::string& pasta, const std::string& cpf) {
    UsaPasta naPasta(ctx, pasta);
    std::map<int, std::vector<std::string>> m;
    for (int n : todas()) m[n] = marcasNaTabela(ctx, n, cpf);
    return m;
  }
  Transferencia tr(bool mover, bool sobrepoe = true) {
    Transferencia t;
    t.origem = dados.caminho();
    t.destino = outra.caminho();
    t.mover = mover;
    t.sobrepoe = sobrepoe;
    return t;
  }
  Pasta outra;
};

TEST_F(TransfereTest, CopyToAnEmptyFolderCarriesEveryTable) {
  const auto antes = marcas(dados.caminho(), kB);
  ASSERT_EQ(transfereContribuinte(ctx, tr(false), kB), ResultadoTransf::Feito);
  (void)ctx.areas.closeAll();
  EXPECT_EQ(marcas(outra.caminho(), kB), antes);
  EXPECT_EQ(marcas(dados.caminho(), kB), antes);
  EXPECT_TRUE(marcas(outra.caminho(), kA)[2].empty());
}

TEST_F(TransfereTest, MoveReplacesTheDestinationsRowsAndEmptiesTheOrigin) {
  destinoComC();
  const auto origem = marcas(dados.caminho(), kB);
  const auto outroC = marcas(outra.caminho(), kC);
  ASSERT_EQ(marcas(outra.caminho(), kB)[2].size(), 3u);
  ASSERT_EQ(transfereContribuinte(ctx, tr(true), kB), ResultadoTransf::Feito);
  (void)ctx.areas.closeAll();
  EXPECT_EQ(marcas(outra.caminho(), kB), origem);
  EXPECT_EQ(marcas(outra.caminho(), kC), outroC);
  for (const auto& [n, v] : marcas(dados.caminho(), kB)) EXPECT_TRUE(v.empty()) << "table " << n;
  EXPECT_EQ(marcas(dados.caminho(), kA)[4].size(), 2u);
}

TEST_F(TransfereTest, ExistingTaxpayerIsSkippedWhenAsked) {
  destinoComC();
  const auto origem = marcas(dados.caminho(), kB);
  const auto destino = marcas(outra.caminho(), kB);
  EXPECT_EQ(transfereContribuinte(ctx, tr(true, false), kB), ResultadoTransf::Saltado);
  (void)ctx.areas.closeAll();
  EXPECT_EQ(marcas(dados.caminho(), kB), origem);
  EXPECT_EQ(marcas(outra.caminho(), kB), destino);
}

TEST_F(TransfereTest, TableKeptByAnotherTerminalLeavesBothFoldersAsTheyWere) {
  destinoComC();
  const auto origem = marcas(dados.caminho(), kA);
  const auto destino = marcas(outra.caminho(), kA);
  OutroTerminal outro([&] {
    std::vector<std::unique_ptr<rt::db::Table>> v;
    v.push_back(abre(outra / "IMP1010.DBF"));
    return v;
  });
  ASSERT_TRUE(outro.pronto());
  EXPECT_EQ(transfereContribuinte(ctx, tr(true), kA), ResultadoTransf::Falhou);
  outro.libera();
  (void)ctx.areas.closeAll();
  EXPECT_EQ(marcas(dados.caminho(), kA), origem);
  EXPECT_EQ(marcas(outra.caminho(), kA), destino);
}

TEST_F(TransfereTest, RuralOnlyMoveCarriesTablesFifteenToNineteen) {
  const auto origem = marcas(dados.caminho(), kC);
  Transferencia t = tr(true);
  t.parte = Parte::SoMol;
  ASSERT_EQ(transfereContribuinte(ctx, t, kC), ResultadoTransf::Feito);
  (void)ctx.areas.closeAll();
  const auto resto = marcas(dados.caminho(), kC);
  UsaPasta naPasta(ctx, outra.caminho());
  for (int n : todas()) {
    if (n >= 15 || n == 9) {
      EXPECT_EQ(marcasNaTabela(ctx, n, kC), origem.at(n)) << n;
      EXPECT_TRUE(resto.at(n).empty()) << n;
    } else {
      EXPECT_FALSE(std::filesystem::exists(
          outra / ("IMP" + std::string(n < 10 ? "0" : "") + std::to_string(n) + "10.DBF")))
          << n;
      EXPECT_EQ(resto.at(n), origem.at(n)) << n;
    }
  }
}

TEST(Transfere, RowsGetANewCpf) {
  TabelaDiario t = tabelaVazia(store::Area::IMP0310);
  t.registros.push_back(std::string(static_cast<std::size_t>(11), '1') + std::string(68, ' '));
  trocaCpfDasLinhas(t, "99999999999");
  EXPECT_EQ(t.registros[0].substr(0, 12), "99999999999 ");
}

}  // namespace
}  // namespace store::teste

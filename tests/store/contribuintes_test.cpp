// A new CPF, parts of a declaration copied into another and taxpayers deleted, checked table
// by table; a register row held by another terminal leaves everything as it was.
#include "store/contribuintes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "declaracao_fixture.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store_fixture.h"

namespace store::teste {
namespace {

const std::string kA = "11111111111", kB = "22222222222", kC = "33333333333", kNovo = "12345678909";

class ContribuintesTest : public StoreFixture, public ::testing::Test {
 protected:
  void SetUp() override {
    ctx.NUSU = "03";
    preencheDeclaracoes(ctx, {kA, kB, kC}, 2);
  }
  std::map<int, std::vector<std::string>> marcas(const std::string& cpf) {
    std::map<int, std::vector<std::string>> m;
    for (int n : tabelasDeclaracao()) m[n] = marcasNaTabela(ctx, n, cpf);
    m[9] = marcasNaTabela(ctx, 9, cpf);
    return m;
  }
  std::string registro(const std::string& cpf, const std::string& campo) {
    auto t = abre(dados / "IMP0910.DBF");
    for (std::uint32_t r = 1; r <= t->recordCount(); ++r) {
      t->goTo(r);
      EXPECT_TRUE(t->status());
      if (!t->isDeleted() && t->getText("CPF") == cpf) return t->getText(campo);
    }
    return "(none)";
  }
};

TEST(CpfValido, CheckDigits) {
  EXPECT_TRUE(cpfValido("123.456.789-09"));
  EXPECT_TRUE(cpfValido(kNovo));
  EXPECT_FALSE(cpfValido("12345678900"));
  EXPECT_FALSE(cpfValido("1234567890"));
}

TEST_F(ContribuintesTest, NewCpfCarriesEveryRow) {
  const auto antes = marcas(kB);
  const auto outros = marcas(kC);
  ASSERT_EQ(trocaCpf(ctx, kB, kNovo), ResultadoCpf::Feito);
  (void)ctx.areas.closeAll();
  EXPECT_EQ(marcas(kNovo), antes);
  for (const auto& [n, v] : marcas(kB)) EXPECT_TRUE(v.empty()) << n;
  EXPECT_EQ(marcas(kC), outros);
}

TEST_F(ContribuintesTest, NewCpfThatExistsIsRefused) {
  const auto antes = marcas(kB);
  EXPECT_EQ(trocaCpf(ctx, kB, kC), ResultadoCpf::NovoExiste);
  EXPECT_EQ(trocaCpf(ctx, kNovo, "98765432100"), ResultadoCpf::OrigemNaoAchada);
  (void)ctx.areas.closeAll();
  EXPECT_EQ(marcas(kB), antes);
}

TEST_F(ContribuintesTest, RegisterRowHeldElsewhereChangesNothing) {
  const auto antes = marcas(kB);
  OutroTerminal outro([&] {
    std::vector<std::unique_ptr<rt::db::Table>> v;
    v.push_back(abre(dados / "IMP0910.DBF"));
    for (std::uint32_t r = 1; r <= v[0]->recordCount(); ++r) {
      v[0]->goTo(r);
      EXPECT_TRUE(v[0]->status());
      if (v[0]->getText("CPF") == kB) {
        EXPECT_TRUE(v[0]->lockRecord());
      }
    }
    return v;
  });
  ASSERT_TRUE(outro.pronto());
  EXPECT_EQ(trocaCpf(ctx, kB, kNovo), ResultadoCpf::Falhou);
  outro.libera();
  (void)ctx.areas.closeAll();
  EXPECT_EQ(marcas(kB), antes);
  for (const auto& [n, v] : marcas(kNovo)) EXPECT_TRUE(v.empty()) << n;
}

TEST_F(ContribuintesTest, AddedAssetsJoinTheDestinationsRows) {
  const auto b = marcas(kB);
  ASSERT_EQ(copiaParte(ctx, kA, kB, ParteCopia::Bens, true), ResultadoCpf::Feito);
  (void)ctx.areas.closeAll();
  std::vector<std::string> esperado = b.at(4);
  const auto a = marcas(kA);
  for (const std::string& m : a.at(4)) esperado.push_back(m);
  auto depois = marcasNaTabela(ctx, 4, kB);
  std::sort(depois.begin(), depois.end());
  std::sort(esperado.begin(), esperado.end());
  EXPECT_EQ(depois, esperado);
  EXPECT_EQ(marcasNaTabela(ctx, 2, kB), b.at(2));
}

TEST_F(ContribuintesTest, AddingEverythingReplacesTheSingleRowTables) {
  ASSERT_EQ(copiaParte(ctx, kA, kB, ParteCopia::Tudo, true), ResultadoCpf::Feito);
  (void)ctx.areas.closeAll();
  EXPECT_EQ(marcasNaTabela(ctx, 1, kB), marcas(kA).at(1));
  EXPECT_EQ(marcasNaTabela(ctx, 15, kB), marcas(kA).at(15));
  EXPECT_EQ(marcasNaTabela(ctx, 3, kB).size(), 4u);
  EXPECT_EQ(marcasNaTabela(ctx, 9, kB).size(), 1u);
}

TEST_F(ContribuintesTest, ReplacingRemovesTheDestinationsRowsFirst) {
  ASSERT_EQ(copiaParte(ctx, kA, kB, ParteCopia::Rural, false), ResultadoCpf::Feito);
  (void)ctx.areas.closeAll();
  for (int n = 15; n <= 19; ++n) EXPECT_EQ(marcasNaTabela(ctx, n, kB), marcas(kA).at(n)) << n;
  EXPECT_EQ(registro(kB, "TEMRURAL"), "S");
}

TEST_F(ContribuintesTest, CopyOntoItselfIsRefused) {
  const auto antes = marcas(kA);
  EXPECT_EQ(copiaParte(ctx, kA, kA, ParteCopia::Tudo, true), ResultadoCpf::Igual);
  EXPECT_EQ(copiaParte(ctx, kA, kNovo, ParteCopia::Tudo, true), ResultadoCpf::DestinoNaoExiste);
  (void)ctx.areas.closeAll();
  EXPECT_EQ(marcas(kA), antes);
}

TEST_F(ContribuintesTest, DeletingTheWholeDeclaration) {
  const auto outros = marcas(kC);
  ASSERT_TRUE(excluiContribuinte(ctx, kB, false));
  (void)ctx.areas.closeAll();
  for (const auto& [n, v] : marcas(kB)) EXPECT_TRUE(v.empty()) << n;
  EXPECT_EQ(marcas(kC), outros);
}

TEST_F(ContribuintesTest, DeletingOnlyTheRuralActivity) {
  const auto antes = marcas(kB);
  ASSERT_TRUE(excluiContribuinte(ctx, kB, true));
  (void)ctx.areas.closeAll();
  const auto depois = marcas(kB);
  for (const auto& [n, v] : depois) {
    if (n >= 15) {
      EXPECT_TRUE(v.empty()) << n;
    } else {
      EXPECT_EQ(v, antes.at(n)) << n;
    }
  }
  EXPECT_EQ(registro(kB, "TEMRURAL"), "N");
}

TEST_F(ContribuintesTest, MarkedTaxpayersAreDeletedAfterTheConfirmation) {
  term.pause();     // the "Processando!" notice throws away what was typed before it
  term.press('S');  // whole declarations
  term.press('S');  // "Confirma a Exclusão de 2 contribuintes?"
  EXCLUI(ctx, [](Contexto&, Area, bool) { return std::vector<std::string>{kA, kC}; });
  EXPECT_FALSE(term.exhausted()) << term.dump();
  (void)ctx.areas.closeAll();
  EXPECT_TRUE(marcas(kA).at(4).empty());
  EXPECT_TRUE(marcas(kC).at(9).empty());
  EXPECT_EQ(marcas(kB).at(4).size(), 2u);
  EXPECT_EQ(abre(dados / "IMP0410.DBF")->recordCount(), 2u);
}

}  // namespace
}  // namespace store::teste

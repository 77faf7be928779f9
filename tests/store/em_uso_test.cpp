// The hold a terminal keeps on an open declaration: another terminal is told which one holds
// it, and the changes made outside the driver (deletion, move, copy into it, new CPF) leave
// such a taxpayer as he was. Two holds in one process conflict as two processes' would (each
// is its own open file description), so terminal 02 is played here by a second hold.
#include "store/em_uso.h"

#include <gtest/gtest.h>

#include <map>

#include "declaracao_fixture.h"
#include "store/contribuintes.h"
#include "store/transfere.h"
#include "store_fixture.h"

namespace store::teste {
namespace {

const std::string kA = "11111111111", kB = "22222222222", kNovo = "12345678909";

class EmUsoTest : public StoreFixture, public ::testing::Test {
 protected:
  void SetUp() override { preencheDeclaracoes(ctx, {kA, kB}, 2); }
  // Terminal `nusu` takes the declaration.
  PosseDeclaracao toma(const std::string& nusu, const std::string& cpf, const std::string& pasta = {}) {
    const std::string antes = ctx.NUSU;
    ctx.NUSU = nusu;
    PosseDeclaracao p = tomaDeclaracao(ctx, pasta.empty() ? ctx.LOCARQ : pasta, cpf);
    ctx.NUSU = antes;
    return p;
  }
  std::map<int, std::vector<std::string>> marcas(const std::string& cpf) {
    std::map<int, std::vector<std::string>> m;
    for (int n : tabelasDeclaracao()) m[n] = marcasNaTabela(ctx, n, cpf);
    m[9] = marcasNaTabela(ctx, 9, cpf);
    return m;
  }
};

TEST_F(EmUsoTest, TheOtherTerminalIsNamedUntilTheHoldGoes) {
  PosseDeclaracao de02 = toma("02", kA);
  ASSERT_TRUE(de02.livre) << de02.erro;
  PosseDeclaracao de00 = toma("00", kA);
  EXPECT_FALSE(de00.livre);
  EXPECT_EQ(de00.terminal, "02");
  EXPECT_EQ(textoRecusa(de00), textoEmUso("02"));
  // Terminals 00 and 99 at the ends of the CPF's range, and another CPF, are told apart.
  PosseDeclaracao de99 = toma("99", kB);
  ASSERT_TRUE(de99.livre);
  EXPECT_EQ(toma("00", kB).terminal, "99");
  EXPECT_TRUE(toma("00", kNovo).livre);
  // Punctuation names the same CPF; a text that is no CPF stands for nobody.
  EXPECT_EQ(toma("05", "111.111.111-11").terminal, "02");
  EXPECT_TRUE(toma("05", "   ").livre);
  // Another folder is another declaration.
  Pasta outra;
  EXPECT_TRUE(toma("00", kA, outra.caminho()).livre);
  de02.uso.libera();
  EXPECT_TRUE(toma("00", kA).livre);
}

TEST_F(EmUsoTest, ChangesOutsideTheDriverLeaveAHeldTaxpayerAsHeWas) {
  ctx.NUSU = "00";
  PosseDeclaracao de02 = toma("02", kA);
  ASSERT_TRUE(de02.livre);
  const auto antes = marcas(kA);
  const std::string naoFeito = textoEmUso("02");

  const rt::Status exclusao = excluiContribuinte(ctx, kA, false);
  EXPECT_EQ(exclusao.code(), rt::Error::kInUse);
  EXPECT_FALSE(exclusao.told());
  EXPECT_EQ(exclusao.detail(), naoFeito);
  std::string motivo;
  EXPECT_EQ(trocaCpf(ctx, kA, kNovo, &motivo), ResultadoCpf::EmUso);
  EXPECT_EQ(motivo, naoFeito);
  // The new CPF held counts as much as the old one.
  PosseDeclaracao novo02 = toma("02", kNovo);
  motivo.clear();
  EXPECT_EQ(trocaCpf(ctx, kB, kNovo, &motivo), ResultadoCpf::EmUso);
  EXPECT_EQ(motivo, naoFeito);
  motivo.clear();
  EXPECT_EQ(copiaParte(ctx, kB, kA, ParteCopia::Tudo, false, &motivo), ResultadoCpf::EmUso);
  EXPECT_EQ(motivo, naoFeito);

  Pasta outra;
  Transferencia mover{dados.caminho(), outra.caminho(), true, Parte::Tudo, true};
  motivo.clear();
  EXPECT_EQ(transfereContribuinte(ctx, mover, kA, &motivo), ResultadoTransf::EmUso);
  EXPECT_EQ(motivo, naoFeito);
  (void)ctx.areas.closeAll();
  EXPECT_EQ(marcas(kA), antes);

  // Copying from a held declaration reads what was saved; into one held there it is refused.
  Transferencia copiar{dados.caminho(), outra.caminho(), false, Parte::Tudo, true};
  EXPECT_EQ(transfereContribuinte(ctx, copiar, kA), ResultadoTransf::Feito);
  PosseDeclaracao la = toma("04", kB, outra.caminho());
  motivo.clear();
  EXPECT_EQ(transfereContribuinte(ctx, copiar, kB, &motivo), ResultadoTransf::EmUso);
  EXPECT_EQ(motivo, textoEmUso("04"));

  // Let go, the deletion is done.
  de02.uso.libera();
  (void)ctx.areas.closeAll();
  EXPECT_TRUE(excluiContribuinte(ctx, kA, false));
  (void)ctx.areas.closeAll();
  for (const auto& [n, v] : marcas(kA)) EXPECT_TRUE(v.empty()) << n;
}

}  // namespace
}  // namespace store::teste

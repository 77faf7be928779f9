// The folder register and the choice of the current folder, whole-table copies to a backup
// folder and back, and the folder-to-folder transfer driven through its questions.
#include "store/pastas_dados.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "declaracao_fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/busca_outro.h"
#include "store/copia_pasta.h"
#include "store/rotas.h"
#include "store/transfere.h"
#include "store_fixture.h"

namespace store::teste {
namespace {

namespace fs = std::filesystem;
using namespace rt::text::literals;
const std::string kA = "11111111111", kB = "22222222222";

std::string bytes(const std::string& c) {
  std::ifstream f(c, std::ios::binary);
  std::ostringstream o;
  o << f.rdbuf();
  return o.str();
}

class PastasTest : public StoreFixture, public ::testing::Test {
 protected:
  void SetUp() override {
    ctx.NUSU = "03";
    preencheDeclaracoes(ctx, {kA, kB}, 2);
    configDoTerminal("03");
    (void)ctx.areas.closeAll();
  }
  Pasta outra;
};

TEST_F(PastasTest, ChosenFolderBecomesCurrentAndIsTheOnlyOneMarked) {
  ASSERT_TRUE(registraPasta(ctx, dados.caminho()));
  ASSERT_TRUE(registraPasta(ctx, outra.caminho()));
  ASSERT_TRUE(registraPasta(ctx, outra.caminho() + "/"));  // the same folder once
  EXPECT_EQ(pastasDoRegistro(ctx).size(), 3u);
  rt::db::Table& r = *area(store::Area::DIRET);
  r.goTop();
  ASSERT_TRUE(r.status());
  while (!r.eof() && rt::text::alltrim(r.getText("DIRETOR")) != outra.caminho()) {
    r.skip(1);
    ASSERT_TRUE(r.status());
  }
  ASSERT_FALSE(r.eof());
  ASSERT_TRUE(TROCASIM(ctx, 1));
  EXPECT_EQ(ctx.LOCARQ, outra.caminho() + "/");
  EXPECT_EQ(rt::text::alltrim(leConfig(ctx, "ROTADOANO")), outra.caminho());
  int marcados = 0;
  for (r.goTop(); r.status() && !r.eof(); r.skip(1))
    marcados += r.getText("SELEC") == "S";
  EXPECT_EQ(marcados, 1);
  // Its register is open, made new in the folder.
  ASSERT_TRUE(ctx.areas.isOpen(store::Area::IMP0910));
  EXPECT_TRUE(fs::exists(outra / "IMP0910.DBF"));
}

// A setting the field cannot hold is refused and said; the record keeps what it had.
TEST_F(PastasTest, ASettingItsFieldCannotHoldIsSaidAndKeptOut) {
  term.press(rt::term::key::Enter);
  EXPECT_FALSE(gravaConfig(ctx, "NOVOIT", rt::text::Decimal(123)));
  EXPECT_TRUE(term.contains("O valor não cabe no campo NOVOIT"_cp)) << term.dump();
  EXPECT_EQ(area(store::Area::CONFIG)->getNumber("NOVOIT"), rt::text::Decimal(0));
}

TEST_F(PastasTest, MudadirFindsTheTaxpayer) {
  std::string nome;
  ASSERT_TRUE(MUDADIR(ctx, dados.caminho(), kB, &nome));
  EXPECT_EQ(rt::text::alltrim(nome), marca(9, kB, 0));
  EXPECT_EQ(area(store::Area::IMP0910)->getText("CPF"), kB);
  EXPECT_EQ(area(store::Area::IMP0910)->order(), 2);
  EXPECT_FALSE(MUDADIR(ctx, outra / "falta"));
}

TEST_F(PastasTest, MissingTableIsFound) {
  EXPECT_TRUE(VEJA_ARQ(ctx, 12, dados.caminho(), "IMP", "10"));
  EXPECT_FALSE(VEJA_ARQ(ctx, 13, dados.caminho(), "IMP", "10"));  // 13 is not made by the fixture
}

TEST_F(PastasTest, WholeTableCopiesGoAndComeBack) {
  term.press(rt::term::key::Enter);  // what was copied
  ASSERT_TRUE(fazCopia(ctx, dados.caminho(), outra.caminho()));
  for (int n : {1, 4, 9, 19}) {
    const std::string nome = std::string("IMP") + (n < 10 ? "0" : "") + std::to_string(n) + "10.DBF";
    EXPECT_TRUE(bytes(outra / nome) == bytes(dados / nome)) << nome;
  }
  for (const std::string& n : outra.arquivos()) EXPECT_FALSE(n.ends_with(".CDX")) << n;
  const std::string original = bytes(dados / "IMP0410.DBF");
  {
    auto t = abre(dados / "IMP0410.DBF", true);
    t->goTo(1);
    ASSERT_TRUE(t->status());
    ASSERT_TRUE(t->markDeleted());
    ASSERT_TRUE(t->close());
  }
  term.press('S').press(rt::term::key::Enter);  // "Recupera os dados em", then what was brought
  ASSERT_TRUE(trazCopia(ctx, outra.caminho(), dados.caminho()));
  EXPECT_TRUE(bytes(dados / "IMP0410.DBF") == original);
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0410));
  EXPECT_TRUE(area(store::Area::IMP0410)->checkOrder(1));
}

TEST_F(PastasTest, RestoreFromAFolderWithoutTablesIsRefused) {
  EXPECT_FALSE(trazCopia(ctx, outra.caminho(), dados.caminho()));
}

TEST_F(PastasTest, TransferDrivenThroughItsQuestions) {
  ctx.definePastaDados(dados.caminho());
  term.pause().press(rt::term::key::Enter);                        // origin: the year folder
  term.pause().type(outra.caminho()).press(rt::term::key::Enter);  // destination
  term.press('T').press('M').press('T').press('S');                // Total, Mover, Tudo, Sobrepoe
  term.pause().press('N');                                         // "Muda para a nova Pasta?"
  ASSERT_TRUE(TRANOME(ctx, 1));
  (void)ctx.areas.closeAll();
  {
    UsaPasta naPasta(ctx, outra.caminho());
    EXPECT_EQ(marcasNaTabela(ctx, 4, kA), (std::vector<std::string>{marca(4, kA, 0), marca(4, kA, 1)}));
    EXPECT_EQ(marcasNaTabela(ctx, 9, kB), std::vector<std::string>{marca(9, kB, 0)});
  }
  EXPECT_TRUE(marcasNaTabela(ctx, 4, kA).empty());
  EXPECT_TRUE(marcasNaTabela(ctx, 9, kB).empty());
  EXPECT_EQ(ctx.LOCARQ, dados.caminho() + "/");
  bool registrada = false;
  for (const std::string& p : pastasDoRegistro(ctx))
    registrada = registrada || mesmaPasta(ctx, p, outra.caminho());
  EXPECT_TRUE(registrada);
}

TEST_F(PastasTest, RegisterOpenOnAnotherTerminalStopsTheTransferAndSaysWhy) {
  OutroTerminal outro([&] {
    std::vector<std::unique_ptr<rt::db::Table>> v;
    v.push_back(abre(dados / "IMP0910.DBF"));
    return v;
  });
  ASSERT_TRUE(outro.pronto());
  term.pause().press(rt::term::key::Enter);
  term.pause().type(outra.caminho()).press(rt::term::key::Enter);
  term.pause().press(rt::term::key::Enter);  // "IMP0910.DBF não está disponivel "
  term.pause().press(rt::term::key::Enter);  // the office must be idle
  EXPECT_TRUE(TRANOME(ctx, 1));
  // Both notices took their key.
  EXPECT_EQ(term.pending(), 0u);
  EXPECT_FALSE(fs::exists(outra / "IMP0410.DBF"));
  outro.libera();
}

TEST_F(PastasTest, EscAtTheFirstQuestionTransfersNothing) {
  term.pause().press(rt::term::key::Enter);
  term.pause().type(outra.caminho()).press(rt::term::key::Enter);
  term.press(rt::term::key::Esc);
  EXPECT_TRUE(TRANOME(ctx, 1));
  EXPECT_FALSE(fs::exists(outra / "IMP0410.DBF"));
}

}  // namespace
}  // namespace store::teste

namespace store::teste {
namespace {

class BuscaOutroTest : public PastasTest {};

TEST_F(BuscaOutroTest, TaxpayerOfAnotherFolderMakesItCurrent) {
  // The register's other folder holds kC; the current folder does not.
  const std::string atual = ctx.ROTADOANO;
  ctx.definePastaDados(outra.caminho());
  preencheDeclaracoes(ctx, {"33333333333"}, 1);
  ctx.definePastaDados(atual);
  ASSERT_TRUE(registraPasta(ctx, dados.caminho()));
  ASSERT_TRUE(registraPasta(ctx, outra.caminho()));
  auto a = BUSCA_OUTRO(ctx, "33333333333", 1, 1);
  ASSERT_TRUE(a.has_value());
  EXPECT_EQ(a->pasta, outra.caminho());
  EXPECT_EQ(ctx.LOCARQ, outra.caminho() + "/");
  EXPECT_EQ(area(store::Area::IMP0910)->getText("CPF"), "33333333333");
  // By name, from there: found back in the first folder.
  auto b = BUSCA_OUTRO(ctx, rt::text::lower(marca(9, kB, 0)), 2, 1);
  ASSERT_TRUE(b.has_value());
  EXPECT_EQ(b->cpf, kB);
  EXPECT_EQ(ctx.LOCARQ, dados.caminho() + "/");
  // Nobody: back where it started.
  EXPECT_FALSE(BUSCA_OUTRO(ctx, "44444444444", 1, 1).has_value());
  EXPECT_EQ(ctx.LOCARQ, dados.caminho() + "/");
}

}  // namespace
}  // namespace store::teste

namespace store::teste {
namespace {

TEST_F(PastasTest, WorkFolderIsAskedCreatedAndStored) {
  const std::string nova = outra / "trab";
  term.pause().type(nova).press(rt::term::key::Enter);
  term.press('S');  // "Diretório novo para  TAVREN? Cria-o ?"
  EXPECT_EQ(SELAREA(ctx, 1), nova);
  EXPECT_TRUE(fs::is_directory(nova));
  EXPECT_EQ(ctx.LOCTRAB, nova + "/");
  EXPECT_EQ(rt::text::alltrim(leConfig(ctx, "dirtrab")), nova);
}

TEST_F(PastasTest, TaxAuthorityFolderByAltPOrLeftBlank) {
  // The default folder lies under HOME, and answering "S" creates it: a scratch HOME.
  const char* antes = std::getenv("HOME");
  const std::string casa = antes != nullptr ? antes : "";
  ASSERT_EQ(setenv("HOME", outra.caminho().c_str(), 1), 0);
  struct Volta {
    std::string c;
    ~Volta() { setenv("HOME", c.c_str(), 1); }
  } volta{casa};
  EXPECT_TRUE(pastaPadraoReceita().starts_with(outra.caminho()));
  term.pause().press(rt::term::key::AltP).press(rt::term::key::Enter);
  term.press('S');
  EXPECT_EQ(rt::text::alltrim(NOVA_ROTA(ctx, "", " IRPF10", 80)), pastaPadraoReceita());
  term.pause().press(rt::term::key::Enter);  // blank: warned, and stays blank
  EXPECT_EQ(SELAREA(ctx, 2), "");
  term.pause().press(rt::term::key::Esc);
  EXPECT_EQ(rt::text::alltrim(NOVA_ROTA(ctx, "C:\\DADOS", " TAVREN", 40)), "C:\\DADOS");
}

}  // namespace
}  // namespace store::teste

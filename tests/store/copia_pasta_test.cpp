// Whole-table copies of a data folder (items 71 and 72) as the user meets them: this
// terminal's own open tables are no obstacle to the copy, the restore asks first with what is
// at stake, No leaves the folder as it was, and both end by saying what was copied.
#include "store/copia_pasta.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "declaracao_fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "store/abertura.h"
#include "store/restaura_pasta.h"
#include "store_fixture.h"

namespace store::teste {
namespace {

namespace fs = std::filesystem;
using namespace rt::text::literals;
const std::string kA = "11111111111", kB = "22222222222", kC = "33333333333";

class CopiaPastaTest : public StoreFixture, public ::testing::Test {
 protected:
  void SetUp() override {
    ctx.NUSU = "03";
    preencheDeclaracoes(ctx, {kA, kB}, 2);
    configDoTerminal("03");
  }
  std::map<std::string, std::string> tabelas(const Pasta& p) {
    std::map<std::string, std::string> m;
    for (const std::string& n : p.arquivos())
      if (n.ends_with("10.DBF")) m[n] = leArquivo(p / n);
    return m;
  }
  Pasta copia;
};

TEST_F(CopiaPastaTest, CopyAndRestoreAskAndSayWhatTheyDid) {
  // The terminal sits with its register and a declaration table open, as after a declaration.
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0910));
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0410));
  term.press(rt::term::key::Enter);
  ASSERT_TRUE(fazCopia(ctx, dados.caminho(), copia.caminho()));
  EXPECT_TRUE(term.contains("Copiados 18 arquivos, com 2 contribuintes,")) << term.dump();
  EXPECT_FALSE(term.contains("Aguarde?"));
  EXPECT_TRUE(fs::exists(copia / "IMP0910.DBF"));
  EXPECT_TRUE(fs::exists(copia / "IMP0410.DBF"));
  (void)ctx.areas.closeAll();

  // A third taxpayer is registered after the copy.
  {
    auto r = abre(dados / "IMP0910.DBF", true);
    ASSERT_TRUE(r->appendBlank());
    ASSERT_TRUE(r->put("CPF", kC));
    ASSERT_TRUE(r->close());
  }
  EXPECT_EQ(contaContribuintes(dados.caminho()), 3u);
  const auto antes = tabelas(dados);

  term.press('N');
  EXPECT_FALSE(trazCopia(ctx, copia.caminho(), dados.caminho()));
  EXPECT_TRUE(term.contains("A pasta tem hoje 3 contribuintes;")) << term.dump();
  EXPECT_TRUE(term.contains("a cópia traz 2."_cp)) << term.dump();
  EXPECT_TRUE(tabelas(dados) == antes);

  term.press('S').press(rt::term::key::Enter);
  EXPECT_TRUE(trazCopia(ctx, copia.caminho(), dados.caminho()));
  EXPECT_TRUE(term.contains("Recuperados 18 arquivos, com 2 contribuintes,")) << term.dump();
  EXPECT_EQ(contaContribuintes(dados.caminho()), 2u);
  EXPECT_EQ(leArquivo(dados / "IMP0910.DBF"), leArquivo(copia / "IMP0910.DBF"));
  // Nothing of the restore is left beside the tables.
  for (const std::string& n : dados.arquivos())
    EXPECT_TRUE(n.ends_with(".DBF") || n.ends_with(".CDX") || n.ends_with(".DBT")) << n;
}

}  // namespace
}  // namespace store::teste

// The data store's functions run from the main menu: every folder and taxpayer tool is
// registered under its item, the deletion marks taxpayers in its grid, the change of CPF and
// the copy between taxpayers run in their frames.
#include "shell/funcoes.h"

#include "programa_fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "shell/despacho.h"
#include "store/abertura.h"
#include "store/pastas_dados.h"
#include "store/travas.h"

namespace shell::teste {
namespace {

using namespace rt::text::literals;
namespace key = rt::term::key;

const std::string kA = "11111111111", kB = "22222222222", kNovo = "12345678909";

class Funcoes : public ProgramaFixture {
 protected:
  void SetUp() override {
    ASSERT_TRUE(inicia());
    registraFuncoes(*p);
    ASSERT_TRUE(store::ABERTURA(*p, store::Area::IMP0910));
    rt::db::Table& r = *p->areas.table(store::Area::IMP0910);
    for (const std::string& cpf : {kA, kB}) {
      ASSERT_TRUE(store::ADD_REC(*p, 5));
      ASSERT_TRUE(r.put("CPF", cpf));
      ASSERT_TRUE(r.put("NOMECONTR", "CONTRIBUINTE " + cpf));
      ASSERT_TRUE(r.commit());
      ASSERT_TRUE(r.unlock());
    }
  }
  // The CPFs of the register, in record order (deleted rows left out).
  std::vector<std::string> registro() {
    std::vector<std::string> v;
    (void)p->areas.closeAll();
    if (!store::ABERTURA(*p, store::Area::IMP0910)) return v;
    rt::db::Table& r = *p->areas.table(store::Area::IMP0910);
    for (std::uint32_t n = 1; n <= r.recordCount(); ++n) {
      r.goTo(n);
      EXPECT_TRUE(r.status());
      if (!r.isDeleted()) v.push_back(r.getText("CPF"));
    }
    return v;
  }
};

TEST_F(Funcoes, EveryFolderAndTaxpayerToolHasItsItem) {
  for (int id : {15, 21, 22, 29, 30, 31, 66, 71, 72, 73, 74, 75, 76}) {
    ASSERT_TRUE(p->funcoes.count(id)) << id;
    EXPECT_TRUE(p->funcoes.at(id)) << id;
  }
  // The folder register's grid and the declaration driver's items are there too.
  for (int id : {11, 12, 13, 14, 51, 63, 64, 65}) {
    ASSERT_TRUE(p->funcoes.count(id)) << id;
    EXPECT_TRUE(p->funcoes.at(id)) << id;
  }
}

TEST_F(Funcoes, FolderRegisterOpensInItsGridAndLeavesTheRegisterSelected) {
  const store::Area antes = p->areas.current();
  term.press(key::Esc);
  MENUSELECT(*p, 14);
  EXPECT_TRUE(gravador.viu("Drive e diretório"_cp));
  EXPECT_EQ(p->areas.current(), antes);
  EXPECT_TRUE(p->areas.isOpen(store::Area::DIRET));
}

TEST_F(Funcoes, DeletionMarksEveryoneInTheGridAndAsksFirst) {
  term.pause();                // "Processando!" throws away what was typed before it
  term.press(key::AltEquals);  // every taxpayer marked
  term.press(key::Esc);        // the grid left
  term.press('S');             // "Confirma a Exclusão de 2 contribuintes?"
  MENUSELECT(*p, 15);
  EXPECT_TRUE(gravador.viu("Elim."));
  EXPECT_TRUE(gravador.viu("Confirma a Exclusão de 2 contribuintes?"_cp));
  EXPECT_TRUE(registro().empty());
}

TEST_F(Funcoes, DeletionNotConfirmedKeepsEveryone) {
  term.pause();
  term.press(key::AltEquals).press(key::Esc);
  term.press('N');
  MENUSELECT(*p, 15);
  EXPECT_EQ(registro(), (std::vector<std::string>{kA, kB}));
}

TEST_F(Funcoes, NewCpfFromTheMenu) {
  term.type(kA).type(kNovo);
  term.press(key::Enter);  // "Pronto. CPF Trocado!"
  term.press(key::Esc);
  MENUSELECT(*p, 30);
  EXPECT_TRUE(gravador.viu("Novo  CPF"));
  EXPECT_TRUE(gravador.viu("Pronto. CPF Trocado!"));
  EXPECT_EQ(registro(), (std::vector<std::string>{kNovo, kB}));
}

TEST_F(Funcoes, CopyBetweenTaxpayersLeftAtItsMenu) {
  term.type(kA).type(kB);
  term.press(key::Esc);  // the option menu
  MENUSELECT(*p, 31);
  EXPECT_TRUE(gravador.viu("Toda a declaração"_cp));
  EXPECT_EQ(registro(), (std::vector<std::string>{kA, kB}));
  EXPECT_EQ(p->console.hotKeyFor(rt::term::Key{key::F1}), nullptr);
}

}  // namespace
}  // namespace shell::teste

namespace shell::teste {
namespace {

TEST_F(Funcoes, PartialTransferCarriesTheTaxpayersMarkedInTheGrid) {
  // Every declaration table of the year folder is there, as a folder in use has them.
  for (store::Area n : store::kComCopia) ASSERT_TRUE(store::ABERTURA(*p, n)) << store::numero(n);
  (void)p->areas.closeAll();
  (void)store::ABERTURA(*p, store::Area::IMP0910);
  PastaCurta outra;
  term.press(key::Enter).type(outra.caminho()).press(key::Enter);  // the folders
  term.press('P').press('C').press('T');                           // Parcial, Copiar, Tudo
  term.press(key::AltEquals).press(key::Esc);                      // every taxpayer marked in the grid
  term.press('S');                                                 // "Encontrando CPF iguais": overwrite
  term.pause().press('N');                                         // "Muda para a nova Pasta?"
  MENUSELECT(*p, 22);
  EXPECT_TRUE(gravador.viu("Trans"));
  EXPECT_EQ(term.pending(), 0u);
  {
    store::UsaPasta naPasta(*p, outra.caminho());
    EXPECT_EQ(registro(), (std::vector<std::string>{kA, kB}));
  }
  // Copied, not moved.
  EXPECT_EQ(registro(), (std::vector<std::string>{kA, kB}));
}

}  // namespace
}  // namespace shell::teste

namespace shell::teste {
namespace {

TEST_F(Funcoes, RuralOnlyDeletionOffersAndTakesOnlyTaxpayersWithRuralActivity) {
  {
    rt::db::Table& r = *p->areas.table(store::Area::IMP0910);
    r.goTop();
    ASSERT_TRUE(r.status());
    ASSERT_TRUE(store::REC_LOCK(*p, 5));
    ASSERT_TRUE(r.put("TEMRURAL", std::string("S")));
    ASSERT_TRUE(r.commit());
    ASSERT_TRUE(r.unlock());
  }
  const std::string rural = p->areas.table(store::Area::IMP0910)->getText("CPF");
  term.pause();
  term.press('N');                             // "NAO - Exclui so a atividade Rural"
  term.press(key::AltEquals).press(key::Esc);  // every taxpayer shown is marked
  term.press('S');                             // "Confirma a Exclusão de 1 contribuinte?"
  MENUSELECT(*p, 15);
  EXPECT_TRUE(gravador.viu("Confirma a Exclusão de 1 contribuinte?"_cp));
  EXPECT_EQ(registro(), (std::vector<std::string>{kA, kB}));
  // The rural activity of the marked one went; the other was never offered.
  rt::db::Table& r = *p->areas.table(store::Area::IMP0910);
  for (r.goTop(); r.status() && !r.eof(); r.skip(1))
    EXPECT_EQ(r.getText("TEMRURAL"), r.getText("CPF") == rural ? "N" : " ") << r.getText("CPF");
}

}  // namespace
}  // namespace shell::teste

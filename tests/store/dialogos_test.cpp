// The folder and taxpayer tools driven through their dialogs as a user would: the CPF frames
// with their pick lists, the option menu of the parts of a declaration, the folder frame with
// the register's folder list, SAI_FORA, and the status names.
#include "store/dialogos.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "console/molduras.h"
#include "declaracao_fixture.h"
#include "rt/term/keys.h"
#include "rt/text/cp860.h"
#include "rt/text/strings.h"
#include "store/abertura.h"
#include "store/contribuintes.h"
#include "store/estatus.h"
#include "store/pastas_dados.h"
#include "store/transfere.h"
#include "store_fixture.h"

namespace store::teste {
namespace {

using namespace rt::text::literals;
namespace key = rt::term::key;
namespace fs = std::filesystem;

const std::string kA = "11111111111", kB = "22222222222", kNovo = "12345678909";

class DialogosTest : public StoreFixture, public ::testing::Test {
 protected:
  void SetUp() override {
    ctx.NUSU = "03";
    preencheDeclaracoes(ctx, {kA, kB}, 2);
    configDoTerminal("03");
    (void)ctx.areas.closeAll();
  }
  // The screen as it is while a dialog waits, taken by F9.
  void fotografaCom(int tecla) {
    con.setKey(tecla, [this] {
      foto.clear();
      for (int r = 0; r < 25; ++r) foto.push_back(con.screen().rowText(r));
    });
  }
  bool naFoto(std::string_view texto) const {
    for (const std::string& l : foto)
      if (l.find(texto) != std::string::npos) return true;
    return false;
  }
  void poeNoRegistro(const std::string& cpf, std::string_view campo, const std::string& valor) {
    auto t = abre(dados / "IMP0910.DBF", true);
    for (std::uint32_t r = 1; r <= t->recordCount(); ++r) {
      t->goTo(r);
      ASSERT_TRUE(t->status());
      if (t->getText("CPF") == cpf) {
        ASSERT_TRUE(t->put(campo, valor));
        ASSERT_TRUE(t->commit());
      }
    }
  }
  std::vector<std::string> foto;
};

TEST_F(DialogosTest, NewCpfTypedInItsFrameAndTheOldOnePickedFromTheList) {
  // The register is open while the program runs.
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0910));
  fotografaCom(key::F9);
  term.press(key::F9);
  // F2: the register by CPF; Enter takes the first row (kA) into "CPF  Original".
  // The list throws away what was typed ahead when it closes.
  term.press(key::F2).press(key::Enter).pause().press(key::Enter);
  term.type(kNovo);        // the last place typed ends the form
  term.press(key::Enter);  // "Pronto. CPF Trocado!"
  term.press(key::Esc);    // the frame again: leave
  MUDA_CPF(ctx);
  EXPECT_TRUE(naFoto("CPF  Original"));
  EXPECT_TRUE(naFoto("Novo  CPF"));
  // Frame 3 of the catalogue: window 3 at row 12, column 37.
  EXPECT_NE(foto[13].find("CPF  Original"), std::string::npos);
  EXPECT_NE(foto[24].find("[F1] Contribuintes por Nome"), std::string::npos) << foto[24];
  EXPECT_NE(foto[24].find("[F2] Contribuintes por CPF"), std::string::npos);
  EXPECT_EQ(term.pending(), 0u);
  (void)ctx.areas.closeAll();
  EXPECT_TRUE(marcasNaTabela(ctx, 4, kA).empty());
  EXPECT_EQ(marcasNaTabela(ctx, 4, kNovo).size(), 2u);
  // Leaving closed the frame and gave F1 and F2 back.
  EXPECT_FALSE(ctx.janelas.isOpen(console::Jan::kTela));
  EXPECT_EQ(con.hotKeyFor(rt::term::Key{key::F1}), nullptr);
  EXPECT_EQ(con.hotKeyFor(rt::term::Key{key::F2}), nullptr);
}

TEST_F(DialogosTest, NewCpfWithWrongCheckDigitsIsNotTaken) {
  term.type(kA);
  term.type("12345678900");  // wrong check digits: the field keeps the cursor
  term.press(key::Enter);    // the alert of the check
  term.press(key::Esc);      // leaves the form
  MUDA_CPF(ctx);
  (void)ctx.areas.closeAll();
  EXPECT_EQ(marcasNaTabela(ctx, 4, kA).size(), 2u);
  EXPECT_TRUE(marcasNaTabela(ctx, 4, "12345678900").empty());
}

TEST_F(DialogosTest, PartChosenByItsHotKeyReplacesTheDestinationsRows) {
  const std::vector<std::string> bensA = marcasNaTabela(ctx, 4, kA);
  const std::vector<std::string> pagamentosB = marcasNaTabela(ctx, 6, kB);
  term.type(kA).type(kB);
  term.press('d');  // "Declaração de Bens"
  term.press('N');  // "Nao - Retire os dados anteriores"
  TRANF_PARTE(ctx);
  EXPECT_EQ(term.pending(), 0u);
  (void)ctx.areas.closeAll();
  EXPECT_EQ(marcasNaTabela(ctx, 4, kB), bensA);
  EXPECT_EQ(marcasNaTabela(ctx, 4, kA), bensA);
  EXPECT_EQ(marcasNaTabela(ctx, 6, kB), pagamentosB);
  EXPECT_FALSE(ctx.janelas.isOpen(console::Jan::kTela));
}

TEST_F(DialogosTest, MenuOffersTheRuralPartsOnlyWhenTheOriginHasThem) {
  poeNoRegistro(kA, "TEMRURAL", "N");
  const std::vector<std::string> rural = marcasNaTabela(ctx, 19, kB);
  fotografaCom(key::F9);
  term.type(kA).type(kB);
  term.press('c');  // "livro Caixa rural": not offered
  term.press(key::F9);
  term.press(key::Esc);
  TRANF_PARTE(ctx);
  (void)ctx.areas.closeAll();
  EXPECT_EQ(marcasNaTabela(ctx, 19, kB), rural);
  EXPECT_EQ(term.pending(), 0u);
}

TEST_F(DialogosTest, MenuLinesAndHelpOfTheCopyBetweenTaxpayers) {
  console::MTELA1(ctx, 2);
  term.press(key::Down).press(key::Esc);
  EXPECT_EQ(escolheParte(ctx, true), 0);
  // The help line of the option under the bar (the second) is on the status line.
  EXPECT_NE(term.row(24).find("Copia só a declaração de bens"_cp), std::string::npos) << term.dump();
  EXPECT_NE(term.row(10).find("Toda a declaração"_cp), std::string::npos) << term.dump();
  SAI_FORA(ctx);
  term.press('T');
  EXPECT_EQ(escolheParte(ctx, false), 1);
  EXPECT_NE(term.row(24).find("exceto o cadastro"), std::string::npos);
}

TEST_F(DialogosTest, CopyOntoAnUnknownTaxpayerIsRefusedBeforeTheMenu) {
  term.type(kA).type(kNovo);
  term.press(key::Enter);  // "CPF Destino nao existe. Cadastre-o para fazer a cópia"
  TRANF_PARTE(ctx);
  EXPECT_EQ(term.pending(), 0u);
  (void)ctx.areas.closeAll();
  EXPECT_TRUE(marcasNaTabela(ctx, 4, kNovo).empty());
}

TEST_F(DialogosTest, TransferDestinationPickedFromTheFolderList) {
  Pasta outra;
  ASSERT_TRUE(registraPasta(ctx, outra.caminho()));
  fotografaCom(key::F9);
  term.press(key::F9);
  term.press(key::Enter);                 // origin: the year folder
  term.press(key::F1).press(key::Enter);  // destination from the register's list
  term.pause().press(key::Enter);         // leaves the form
  term.press('T').press('C').press('T').press('S');
  term.pause().press('N');  // "Muda para a nova Pasta?"
  ASSERT_TRUE(TRANOME(ctx, 1));
  EXPECT_TRUE(naFoto("Drive e a PastaOrigem"));
  EXPECT_TRUE(naFoto("Drive e a PastaDestino"));
  (void)ctx.areas.closeAll();
  {
    UsaPasta naPasta(ctx, outra.caminho());
    EXPECT_EQ(marcasNaTabela(ctx, 4, kA).size(), 2u);
  }
  EXPECT_EQ(marcasNaTabela(ctx, 4, kA).size(), 2u);
}

TEST_F(DialogosTest, EscInTheFolderFrameClosesIt) {
  term.press(key::Esc);
  std::string o = "a", d = "b";
  EXPECT_FALSE(pedePastas(ctx, 2, o, d));
  EXPECT_FALSE(ctx.janelas.isOpen(console::Jan::kTela));
  EXPECT_EQ(o, "a");
}

TEST_F(DialogosTest, FolderTypedKeepsItsCase) {
  term.press(key::Enter).type("/Dados/Novo").press(key::Enter);
  std::string o = "/srv/X", d;
  ASSERT_TRUE(pedePastas(ctx, 3, o, d)) << term.dump() << term.pending() << term.exhausted();
  EXPECT_EQ(o, "/srv/X");
  EXPECT_EQ(d, "/Dados/Novo");
  EXPECT_TRUE(ctx.janelas.isOpen(console::Jan::kTela));
  SAI_FORA(ctx);
  EXPECT_FALSE(ctx.janelas.isOpen(console::Jan::kTela));
}

TEST_F(DialogosTest, StatusNames) {
  ASSERT_TRUE(ABERTURA(ctx, store::Area::STATUS));
  rt::db::Table& s = *area(store::Area::STATUS);
  ASSERT_TRUE(s.appendBlank());
  ASSERT_TRUE(s.put("COD", rt::text::Decimal(7)));
  ASSERT_TRUE(s.put("DESCRICAO", std::string("Entregue")));
  ASSERT_TRUE(s.commit());
  ASSERT_TRUE(s.unlock());
  const int codigo = 7;
  const std::string nome = rt::text::padr("Entregue", 13);
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0910));
  ASSERT_TRUE(ABERTURA(ctx, store::Area::IMP0110));
  EXPECT_EQ(VE_STAT(ctx, codigo, 3), nome);
  EXPECT_EQ(ctx.areas.current(), store::Area::IMP0910);
  EXPECT_EQ(VE_STAT(ctx, 98, 3), std::string(13, ' '));
  (void)ctx.areas.select(store::Area::IMP0110);
  EXPECT_EQ(VE_STAT(ctx, codigo, 4), nome);
  EXPECT_EQ(ctx.areas.current(), store::Area::TMP_09);
  // Shown beside the field.
  EXPECT_EQ(VE_STAT(ctx, codigo, 2, {5, 40}), nome);
  EXPECT_EQ(con.screen().rowText(5).substr(40, 13), nome);
  // The valid rule: an unknown code opens the list, which may leave a known one.
  int cod = 98;
  int listas = 0;
  EXPECT_TRUE(VE_STAT(ctx, cod, {6, 40}, [&](int& c) {
    ++listas;
    c = codigo;
  }));
  EXPECT_EQ(listas, 1);
  EXPECT_EQ(cod, codigo);
  cod = 98;
  EXPECT_FALSE(VE_STAT(ctx, cod, {6, 40}, [](int&) {}));
  EXPECT_EQ(con.screen().rowText(6).substr(40, 13), std::string(13, ' '));
}

}  // namespace
}  // namespace store::teste
